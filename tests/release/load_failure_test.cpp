// Why p2kapi.dll could not be loaded, as the user reads it: the loader's own file checks (a
// missing file, a folder, a text file, a 64-bit image for this 32-bit program) under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "phone/phone_library.h"
#include "phone/win32/phone_library_win32.h"
#include "ui/text.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

// The first bytes of a PE image for the given machine: enough for the loader to refuse it and
// for the header to be read.
std::string ImageHeader(WORD machine) {
  std::string bytes(1024, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  const LONG peOffset = 0x80;
  std::memcpy(&bytes[0x3C], &peOffset, sizeof peOffset);
  std::memcpy(&bytes[peOffset], "PE\0\0", 4);
  std::memcpy(&bytes[peOffset + 4], &machine, sizeof machine);
  return bytes;
}

std::string Utf8(const fs::path& path) {
  const std::wstring w = path.wstring();
  return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

TEST(LoadFailureReason, SaysWhyInTheProgramsWords) {
  const fs::path folder =
      fs::temp_directory_path() / L"zv load failure \u041F\u0430\u043F\u043A\u0430";
  fs::remove_all(folder);
  fs::create_directories(folder / L"p2kapi-folder.dll");
  std::ofstream(folder / L"text.dll", std::ios::binary) << "this is text, not code";
  std::ofstream(folder / L"wide.dll", std::ios::binary) << ImageHeader(IMAGE_FILE_MACHINE_AMD64);
  std::ofstream(folder / L"arm64.dll", std::ios::binary) << ImageHeader(0xAA64);

  struct Case {
    const wchar_t* file;
    const char* reason;
  };
  const Case cases[] = {
      {L"p2kapi.dll",
       "Такого файла нет: положите p2kapi.dll из программы телефона в папку программы (код "},
      {L"p2kapi-folder.dll", "На месте файла библиотеки папка (код "},
      {L"text.dll", "Файл не является библиотекой Windows (код "},
      {L"wide.dll",
       "Это 64-разрядная библиотека, а программа 32-разрядная и может работать только с "
       "32-разрядной p2kapi.dll из программы телефона (код "},
      {L"arm64.dll", "Это 64-разрядная библиотека"},
  };
  for (const Case& c : cases) {
    const std::string path = Utf8(folder / c.file);
    PhoneLibrary lib = LoadPhoneLibrary(path);
    ASSERT_TRUE(lib.api);
    EXPECT_EQ(lib.api->P2K_GetStatus(), 0);
    // The whole message: what failed, where, why, and what it means for the user.
    const std::string head = "Не удалось загрузить библиотеку телефона " + FileNameOf(path) +
                             ":\n" + path + "\n" + c.reason;
    EXPECT_EQ(lib.error.substr(0, head.size()), head) << lib.error;
    const std::string tail = ")\nРабота с телефоном невозможна.";
    ASSERT_GE(lib.error.size(), tail.size());
    EXPECT_EQ(lib.error.substr(lib.error.size() - tail.size()), tail) << lib.error;
  }
  fs::remove_all(folder);
}

TEST(LoadFailureReason, OtherCodesKeepTheSystemsTextAndTheCode) {
  // A file that is an x86 image says nothing of its own: the reason is the code's.
  const fs::path file = fs::temp_directory_path() / L"zv-load-failure-x86.dll";
  std::ofstream(file, std::ios::binary) << ImageHeader(IMAGE_FILE_MACHINE_I386);
  struct Case {
    unsigned long code;
    const char* reason;
  };
  const Case cases[] = {
      {ERROR_ACCESS_DENIED, "Нет доступа к файлу (код 5)"},
      {ERROR_MOD_NOT_FOUND, "Не найдена другая библиотека, без которой она не работает (код 126)"},
      {ERROR_DLL_INIT_FAILED, "Библиотека не смогла начать работу (код 1114)"},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadFailureReason(Utf8(file), c.code), c.reason);
  const std::string other = LoadFailureReason(Utf8(file), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_NE(other.find(" (код 8)"), std::string::npos) << other;
  EXPECT_GT(other.size(), std::string(" (код 8)").size()) << other;
  fs::remove(file);
}

}  // namespace
}  // namespace zv
