// The folder that the dialog tests select (see dialog_folder.h).
#include "dialog_folder.h"

#include <windows.h>

#include <vector>

#include "ui/text.h"

namespace zv::testing_support {
namespace {

std::string FindFolder() {
  std::vector<wchar_t> exe(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
  std::wstring path(exe.data(), n);
  path = path.substr(0, path.find_last_of(L'\\') + 1) + L"\u0424\u043E\u0442\u043E";  // "Фото"
  // Made by the build; made here only when someone removed it since.
  CreateDirectoryW(path.c_str(), nullptr);
  return Utf16ToUtf8(std::u16string(path.begin(), path.end()));
}

}  // namespace

const std::string& DialogTestFolder() {
  static const std::string folder = FindFolder();
  return folder;
}

}  // namespace zv::testing_support
