#pragma once
// FolderDialog on Windows: the shell's folder-browse dialog (SHBrowseForFolderW). It limits the
// choice to file-system folders, starts at the desktop, selects the start folder, enables OK
// only while the selection is an existing folder, sits centred on the screen, and is owned by
// the application's top-level window with every other window of the program disabled while it
// is open.
#include <functional>
#include <string>

#include "folderedit/folder_dialog.h"

namespace zv {

class ShellFolderDialog : public FolderDialog {
 public:
  // `ownerWindow` gives the window (an HWND) that owns the dialog when it opens; without it the
  // active window does.
  explicit ShellFolderDialog(std::function<void*()> ownerWindow = {})
      : ownerWindow_(std::move(ownerWindow)) {}

  bool Browse(const BrowseFolderRequest& request, std::string& path) override;
  unsigned SuppressCriticalErrors() override;
  void RestoreCriticalErrors(unsigned previous) override;

  // What the open dialog shows, for automation and tests.
  struct OpenDialog {
    void* Window = nullptr;    // the dialog's HWND
    std::string SelectedPath;  // file-system path of the selected item ("" when none)
    bool OkEnabled = false;    // as the box last set it
  };
  // Called once the dialog is up and its start folder selected, and after every change of the
  // selection (with the dialog's state then). A test may close the dialog from here.
  std::function<void(const OpenDialog&)> OnShown;
  std::function<void(const OpenDialog&)> OnSelChanged;

 private:
  std::function<void*()> ownerWindow_;
};

}  // namespace zv
