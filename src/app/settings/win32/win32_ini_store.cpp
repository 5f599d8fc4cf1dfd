// Win32IniStore: the settings file through the system's INI functions.
#include "app/settings/win32/win32_ini_store.h"

#include <windows.h>

#include <vector>

#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

// The 8-bit INI functions take the file name in the system's ANSI code page. When the full
// name has characters that code page cannot hold, the folder's short (8.3) name is used, which
// is plain ASCII, so the file beside the executable is still found.
std::string AnsiFileName(const std::string& utf8) {
  const std::wstring wide = Wide(utf8);
  auto toAnsi = [](const std::wstring& w, bool* lossy) {
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), int(w.size()),
                                      nullptr, 0, nullptr, &usedDefault);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) {
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.c_str(), int(w.size()), out.data(), n,
                          nullptr, &usedDefault);
    }
    *lossy = usedDefault != FALSE;
    return out;
  };
  bool lossy = false;
  std::string ansi = toAnsi(wide, &lossy);
  if (!lossy) return ansi;
  const size_t slash = wide.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ansi;
  const std::wstring folder = wide.substr(0, slash);
  std::vector<wchar_t> shortName(32768);
  const DWORD n = GetShortPathNameW(folder.c_str(), shortName.data(), DWORD(shortName.size()));
  if (n == 0 || n >= shortName.size()) return ansi;
  std::string shortAnsi = toAnsi(std::wstring(shortName.data(), n) + wide.substr(slash), &lossy);
  return lossy ? ansi : shortAnsi;
}

}  // namespace

Win32IniStore::Win32IniStore(std::string fileName)
    : fileName_(std::move(fileName)), ansiFileName_(AnsiFileName(fileName_)) {}

std::string Win32IniStore::ReadString(const std::string& section, const std::string& key,
                                      const std::string& def) {
  std::vector<char> buffer(kSettingsValueBuffer, '\0');
  const DWORD n = GetPrivateProfileStringA(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(),
                                           Utf8ToCp1251(def).c_str(), buffer.data(),
                                           DWORD(buffer.size()), ansiFileName_.c_str());
  return Cp1251ToUtf8(std::string(buffer.data(), n));
}

void Win32IniStore::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  if (!WritePrivateProfileStringA(Utf8ToCp1251(section).c_str(), Utf8ToCp1251(key).c_str(),
                                  Utf8ToCp1251(value).c_str(), ansiFileName_.c_str())) {
    throw EIniFileException(FormatText(TextId::SettingsWriteFailed, {fileName_}));
  }
}

std::string ExecutableSettingsFile() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n < path.size()) {
      const std::u16string u(path.begin(), path.begin() + n);
      return SettingsFileBeside(Utf16ToUtf8(u));
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace zv
