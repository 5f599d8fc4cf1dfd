// LoadPhoneLibrary for Windows: p2kapi.dll is loaded by its full path with LoadLibraryW (never
// through the search path), and its exports are looked up by name.
#include "phone/win32/phone_library_win32.h"

#include <windows.h>

#include <string>

#include "phone/phone_library.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

class Win32Library : public SharedLibrary {
 public:
  explicit Win32Library(HMODULE module) : module_(module) {}
  ~Win32Library() override { FreeLibrary(module_); }
  Win32Library(const Win32Library&) = delete;
  Win32Library& operator=(const Win32Library&) = delete;
  void* Symbol(const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(const std::wstring& wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// The system's text for an error code, without the trailing full stop and line break.
std::string SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return Narrow(message);
}

// What a file holds, as far as loading it goes: the machine field of a PE image's header, seen
// from this program (32-bit as shipped; the x86-64 build is the one tests run where a machine
// runs no 32-bit processes).
enum class ImageKind { Missing, Folder, NotAnImage, SameMachine, Wider, Narrower, OtherMachine };
#ifdef _WIN64
constexpr bool kProgramIs64Bit = true;
#else
constexpr bool kProgramIs64Bit = false;
#endif

ImageKind KindOfImage(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ImageKind::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ImageKind::Folder;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ImageKind::OtherMachine;  // unreadable: not ours to say
  auto readAt = [file](LONG offset, void* into, DWORD size) {
    DWORD got = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, into, size, &got, nullptr) && got == size;
  };
  IMAGE_DOS_HEADER dos{};
  DWORD signature = 0;
  WORD machine = 0;
  const bool image = readAt(0, &dos, sizeof dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
                     dos.e_lfanew > 0 && readAt(dos.e_lfanew, &signature, sizeof signature) &&
                     signature == IMAGE_NT_SIGNATURE &&
                     readAt(dos.e_lfanew + LONG(sizeof signature), &machine, sizeof machine);
  CloseHandle(file);
  if (!image) return ImageKind::NotAnImage;
  switch (machine) {
    case IMAGE_FILE_MACHINE_I386:
      return kProgramIs64Bit ? ImageKind::Narrower : ImageKind::SameMachine;
    case IMAGE_FILE_MACHINE_AMD64:
      return kProgramIs64Bit ? ImageKind::SameMachine : ImageKind::Wider;
    case IMAGE_FILE_MACHINE_IA64:
    case 0xAA64:  // ARM64
      return kProgramIs64Bit ? ImageKind::OtherMachine : ImageKind::Wider;
    default:
      return ImageKind::OtherMachine;
  }
}

}  // namespace

std::string LoadFailureReason(const std::string& path_utf8, unsigned long code) {
  const ImageKind kind = KindOfImage(Wide(path_utf8));
  std::string reason;
  if (kind == ImageKind::Missing) {
    reason = UiText(TextId::LibraryFileMissing);
  } else if (kind == ImageKind::Folder) {
    reason = UiText(TextId::LibraryIsFolder);
  } else if (kind == ImageKind::Wider) {
    // The loader answers ERROR_BAD_EXE_FORMAT; the header says why.
    reason = UiText(TextId::Library64For32);
  } else if (kind == ImageKind::Narrower) {
    reason = UiText(TextId::Library32For64);
  } else if (kind == ImageKind::OtherMachine && code == ERROR_BAD_EXE_FORMAT) {
    reason = UiText(TextId::LibraryOtherMachine);
  } else if (kind == ImageKind::NotAnImage) {
    reason = UiText(TextId::LibraryNotAnImage);
  } else if (code == ERROR_MOD_NOT_FOUND) {
    reason = UiText(TextId::LibraryDependencyMissing);
  } else if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION) {
    reason = UiText(TextId::LibraryAccessDenied);
  } else if (code == ERROR_DLL_INIT_FAILED) {
    reason = UiText(TextId::LibraryInitFailed);
  } else {
    reason = SystemText(DWORD(code));
  }
  return FormatText(TextId::LibraryErrorCode, {reason, std::to_string(code)});
}

PhoneLibrary LoadPhoneLibrary(const std::string& path_utf8) {
  // The library's own dependencies are looked for beside it, not beside the program.
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryExW(Wide(path_utf8).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  const DWORD code = GetLastError();
  SetErrorMode(old_mode);
  if (!module) {
    return {std::make_unique<AbsentPhoneApi>(),
            MissingLibraryMessage(path_utf8, LoadFailureReason(path_utf8, code))};
  }
  return BindPhoneLibrary(std::make_unique<Win32Library>(module), FileNameOf(path_utf8));
}

std::string PhoneLibraryPathBesideExe() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  path = (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"p2kapi.dll";
  return Narrow(path);
}

}  // namespace zv
