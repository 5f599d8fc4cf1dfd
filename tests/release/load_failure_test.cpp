// Why p2kapi.dll could not be loaded, as the user reads it: the loader's own file checks (a
// missing file, a folder, a text file, an image of the other width or of another processor)
// under Wine. The program ships 32-bit; the x86-64 build, which runs these tests where a
// machine runs no 32-bit processes, sees the widths the other way round.
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
  std::ofstream(folder / L"narrow.dll", std::ios::binary) << ImageHeader(IMAGE_FILE_MACHINE_I386);
  std::ofstream(folder / L"arm.dll", std::ios::binary) << ImageHeader(IMAGE_FILE_MACHINE_ARMNT);

  struct Case {
    const wchar_t* file;
    const char* reason;
  };
  const Case cases[] = {
      {L"p2kapi.dll",
       "Такого файла нет: положите p2kapi.dll из программы телефона в папку программы (код "},
      {L"p2kapi-folder.dll", "На месте файла библиотеки папка (код "},
      {L"text.dll", "Файл не является библиотекой Windows (код "},
#ifdef _WIN64
      {L"narrow.dll",
       "Это 32-разрядная библиотека, а программа 64-разрядная и может работать только с "
       "64-разрядной p2kapi.dll (код 193)"},
      {L"arm64.dll", "Библиотека собрана для процессора другого типа (код 193)"},
#else
      {L"wide.dll",
       "Это 64-разрядная библиотека, а программа 32-разрядная и может работать только с "
       "32-разрядной p2kapi.dll из программы телефона (код "},
      {L"arm64.dll", "Это 64-разрядная библиотека"},
#endif
      {L"arm.dll", "Библиотека собрана для процессора другого типа (код 193)"},
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
  // A file that is an image for this program's own processor says nothing of its own: the
  // reason is the code's.
#ifdef _WIN64
  const WORD own = IMAGE_FILE_MACHINE_AMD64;
#else
  const WORD own = IMAGE_FILE_MACHINE_I386;
#endif
  const fs::path file = fs::temp_directory_path() / L"zv-load-failure-own.dll";
  std::ofstream(file, std::ios::binary) << ImageHeader(own);
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
