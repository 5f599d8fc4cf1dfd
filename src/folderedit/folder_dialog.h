#pragma once
// The platform's shell folder-browse dialog, as the folder box reaches it. The Win32 backend
// (win32/shell_folder_dialog.h) opens SHBrowseForFolderW; tests hand in a fake. Everything the
// dialog decides while it is open (which items enable OK, the start selection, where it sits)
// happens inside the platform implementation; the box only asks and takes the answer.
#include <string>

namespace zv {

enum class TBrowseKind { bfFolders, bfComputers };
enum class TDialogPosition { dpDefault, dpScreenCenter };

struct BrowseFolderRequest {
  std::string DialogText;  // shown above the tree (UTF-8); none when empty
  std::string FolderName;  // selected at the start when it names an existing folder
  TBrowseKind BrowseKind = TBrowseKind::bfFolders;
  bool DesktopRoot = true;  // the tree starts at the desktop
  TDialogPosition Position = TDialogPosition::dpScreenCenter;
  int HelpContext = 0;  // non-zero adds a help button
};

class FolderDialog {
 public:
  virtual ~FolderDialog() = default;
  // Shows the dialog until the user closes it. On OK returns true with the selected item's
  // file-system path exactly as the shell gives it (trailing backslash and all); on Cancel
  // returns false and leaves `path` alone. Throws when the path of the confirmed item cannot
  // be had.
  virtual bool Browse(const BrowseFolderRequest& request, std::string& path) = 0;
  // Switches off the platform's critical-error boxes (no "drive not ready" prompts) and
  // returns the previous setting for RestoreCriticalErrors.
  virtual unsigned SuppressCriticalErrors() = 0;
  virtual void RestoreCriticalErrors(unsigned previous) = 0;
};

// Keeps the critical-error boxes off for its lifetime, and restores them also on an error.
class CriticalErrorsOff {
 public:
  explicit CriticalErrorsOff(FolderDialog& dialog)
      : dialog_(dialog), previous_(dialog.SuppressCriticalErrors()) {}
  ~CriticalErrorsOff() { dialog_.RestoreCriticalErrors(previous_); }
  CriticalErrorsOff(const CriticalErrorsOff&) = delete;
  CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

 private:
  FolderDialog& dialog_;
  unsigned previous_;
};

}  // namespace zv
