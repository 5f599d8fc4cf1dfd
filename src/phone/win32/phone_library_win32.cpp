// LoadPhoneLibrary for Windows: p2kapi.dll is loaded by its full path with LoadLibraryW (never
// through the search path), and its exports are looked up by name.
#include "phone/win32/phone_library_win32.h"

#include <windows.h>

#include <string>

#include "phone/phone_library.h"
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

// The system's text for an error code, followed by the code.
std::string SystemErrorText(DWORD code) {
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
  std::string result = Narrow(message);
  return (result.empty() ? "" : result + " ") + "(код " + std::to_string(code) + ")";
}

}  // namespace

PhoneLibrary LoadPhoneLibrary(const std::string& path_utf8) {
  // The library's own dependencies are looked for beside it, not beside the program.
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryExW(Wide(path_utf8).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  const DWORD code = GetLastError();
  SetErrorMode(old_mode);
  if (!module) {
    return {std::make_unique<AbsentPhoneApi>(),
            MissingLibraryMessage(path_utf8, SystemErrorText(code))};
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
