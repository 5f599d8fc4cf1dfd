// TBrowseFolderDlg and PickFolder (see browse_folder_dlg.h).
#include "folderedit/browse_folder_dlg.h"

namespace zv {

std::string TidyChosenFolder(const std::string& path) {
  if (path.empty() || path.back() != '\\') return path;
  const bool driveRoot = path.size() == 3 && path[1] == ':' &&
                         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (driveRoot) return path;
  return path.substr(0, path.size() - 1);
}

bool TBrowseFolderDlg::Execute() {
  BrowseFolderRequest request;
  request.DialogText = DialogText;
  request.FolderName = FolderName;
  request.BrowseKind = BrowseKind;
  request.DesktopRoot = DesktopRoot;
  request.Position = Position;
  request.HelpContext = HelpContext;
  std::string chosen;
  if (!dialog_.Browse(request, chosen)) return false;
  FolderName = TidyChosenFolder(chosen);
  return true;
}

bool PickFolder(FolderDialog& dialog, std::string& Name, const std::string& DialogText,
                int HelpContext) {
  TBrowseFolderDlg dlg(nullptr, dialog);
  dlg.DialogText = DialogText;
  dlg.FolderName = Name;
  dlg.HelpContext = HelpContext;
  if (!dlg.Execute()) return false;
  Name = dlg.FolderName;
  return true;
}

}  // namespace zv
