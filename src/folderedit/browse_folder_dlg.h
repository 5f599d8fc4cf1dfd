#pragma once
// TBrowseFolderDlg: one use of the shell's folder-browse dialog, and PickFolder, which the
// folder box calls with its text. The chosen path is tidied the same way every time: a drive
// root keeps its backslash ("C:\"), any other folder loses a trailing one.
#include <string>

#include "folderedit/folder_dialog.h"
#include "ui/component.h"

namespace zv {

class TBrowseFolderDlg : public TComponent {
 public:
  TBrowseFolderDlg(TComponent* owner, FolderDialog& dialog) : TComponent(owner), dialog_(dialog) {}

  TBrowseKind BrowseKind = TBrowseKind::bfFolders;
  bool DesktopRoot = true;
  TDialogPosition Position = TDialogPosition::dpScreenCenter;
  int HelpContext = 0;
  std::string DialogText;
  // The start folder before Execute; the chosen folder after a confirmed Execute.
  std::string FolderName;

  // Shows the dialog. True when the user confirmed a folder (FolderName then holds it).
  bool Execute();

 private:
  FolderDialog& dialog_;
};

// Runs the dialog with `Name` as the start folder. True when the user confirmed a folder, which
// `Name` then holds; false (Cancel) leaves `Name` unchanged.
bool PickFolder(FolderDialog& dialog, std::string& Name, const std::string& DialogText,
                int HelpContext);

// The shell's path of a confirmed item as the box shows it: one trailing backslash removed,
// unless the path is a drive root of the form letter, colon, backslash.
std::string TidyChosenFolder(const std::string& path);

}  // namespace zv
