// ShellFolderDialog: SHBrowseForFolderW with the folder box's settings.
#include "folderedit/win32/shell_folder_dialog.h"

#include <windows.h>
// After <windows.h>, which they build on.
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "folderedit/win32/shell_item_path.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string Utf8(const wchar_t* wide) {
  const std::wstring w(wide);
  return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

struct PidlFree {
  void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// COM for the dialog's thread, for as long as the dialog is open.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

// Disables every enabled window of the thread while a modal dialog is open, and afterwards
// enables them again and activates the window that was active before.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled() : active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows_));
    for (HWND w : windows_) EnableWindow(w, FALSE);
  }
  ~ThreadWindowsDisabled() {
    for (HWND w : windows_) {
      if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND w, LPARAM list) {
    if (IsWindowVisible(w) && IsWindowEnabled(w)) {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    }
    return TRUE;
  }
  HWND active_;
  std::vector<HWND> windows_;
};

// What the dialog's callback works with.
struct CallbackState {
  const BrowseFolderRequest* request;
  ShellFolderDialog* owner;
  ShellFolderDialog::OpenDialog open;
};

// Centres the dialog on the screen, then pushes it back inside if it sticks out.
void CentreOnScreen(HWND dialog) {
  RECT r;
  if (!GetWindowRect(dialog, &r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  int x = (sw - w) / 2, y = (sh - h) / 2;
  if (x + w > sw) x = sw - w;
  if (y + h > sh) y = sh - h;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  auto* state = reinterpret_cast<CallbackState*>(data);
  state->open.Window = dialog;
  switch (message) {
    case BFFM_INITIALIZED: {
      if (state->request->Position == TDialogPosition::dpScreenCenter) CentreOnScreen(dialog);
      // "\" (the current drive's root) and other relative names go to the shell in full.
      const std::wstring start = Wide(state->request->FolderName);
      if (!start.empty() && IsFolder(start)) {
        std::vector<wchar_t> full(32768, L'\0');
        const DWORD n = GetFullPathNameW(start.c_str(), DWORD(full.size()), full.data(), nullptr);
        const std::wstring selection = (n > 0 && n < full.size()) ? full.data() : start;
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(selection.c_str()));
      }
      if (state->owner->OnShown) state->owner->OnShown(state->open);
      break;
    }
    case BFFM_SELCHANGED: {
      const std::wstring path = ShellItemPath(reinterpret_cast<LPCITEMIDLIST>(lParam));
      state->open.SelectedPath = path.empty() ? std::string() : Utf8(path.c_str());
      state->open.OkEnabled = !path.empty() && IsFolder(path);
      SendMessageW(dialog, BFFM_ENABLEOK, 0, state->open.OkEnabled ? TRUE : FALSE);
      if (state->owner->OnSelChanged) state->owner->OnSelChanged(state->open);
      break;
    }
    default:
      break;
  }
  return 0;
}

}  // namespace

unsigned ShellFolderDialog::SuppressCriticalErrors() {
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  SetErrorMode(previous | SEM_FAILCRITICALERRORS);
  return previous;
}

void ShellFolderDialog::RestoreCriticalErrors(unsigned previous) { SetErrorMode(previous); }

bool ShellFolderDialog::Browse(const BrowseFolderRequest& request, std::string& path) {
  const ComScope com;

  Pidl root;
  UINT flags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  if (request.BrowseKind == TBrowseKind::bfComputers) {
    LPITEMIDLIST p = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &p))) root.reset(p);
    flags = BIF_BROWSEFORCOMPUTER;
  } else if (!request.DesktopRoot) {
    LPITEMIDLIST p = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &p))) root.reset(p);
  }

  const std::wstring title = Wide(request.DialogText);
  wchar_t displayName[MAX_PATH] = {};
  CallbackState state{&request, this, {}};

  BROWSEINFOW info = {};
  info.hwndOwner = static_cast<HWND>(ownerWindow_ ? ownerWindow_() : nullptr);
  if (!info.hwndOwner) info.hwndOwner = GetActiveWindow();
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = title.empty() ? nullptr : title.c_str();
  info.ulFlags = flags;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&state);

  Pidl chosen;
  {
    const ThreadWindowsDisabled disabled;
    chosen.reset(SHBrowseForFolderW(&info));
  }
  if (!chosen) return false;

  const std::wstring result = ShellItemPath(chosen.get());
  if (result.empty()) {
    throw EOSError(UiText(TextId::NotAFileSystemFolder));
  }
  path = Utf8(result.c_str());
  return true;
}

}  // namespace zv
