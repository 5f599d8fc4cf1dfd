// ShellItemPath: the long-path call looked up in the loaded shell library, the MAX_PATH one as
// the fallback (shell_item_path.h).
#include "folderedit/win32/shell_item_path.h"

#include <vector>

namespace zv {
namespace {

using PathFromIdListEx = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR, DWORD, int);

// The shell library is loaded already: the program imports the folder dialog from it.
PathFromIdListEx LongPathCall() {
  static const PathFromIdListEx call = reinterpret_cast<PathFromIdListEx>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetPathFromIDListEx")));
  return call;
}

// The longest path that Windows handles, with its terminating zero.
constexpr DWORD kLongestPath = 32768;

}  // namespace

bool ShellHasLongPathCall() { return LongPathCall() != nullptr; }

std::wstring ShellItemPath(LPCITEMIDLIST item, ShellPathCall call) {
  if (item == nullptr) return {};
  const PathFromIdListEx longCall = LongPathCall();
  if (call == ShellPathCall::kLongPaths && longCall == nullptr) return {};
  if (call != ShellPathCall::kMaxPath && longCall != nullptr) {
    std::vector<wchar_t> buffer(kLongestPath, L'\0');
    // 0: GPFIDL_DEFAULT, the item's normal file-system path.
    if (!longCall(item, buffer.data(), DWORD(buffer.size()), 0)) return {};
    return buffer.data();
  }
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(item, buffer)) return {};
  return buffer;
}

}  // namespace zv
