// TFileDirEdit and TDirectoryEdit (see directory_edit.h for the button's steps).
#include "folderedit/directory_edit.h"

#include "folderedit/browse_folder_dlg.h"
#include "ui/lang/texts.h"

namespace zv {

void TFileDirEdit::DoBeforeDialog(std::string& Name, bool& Action) {
  if (OnBeforeDialog) OnBeforeDialog(this, Name, Action);
}

void TFileDirEdit::DoAfterDialog(std::string& Name, bool& Action) {
  if (OnAfterDialog) OnAfterDialog(this, Name, Action);
}

TDirectoryEdit::TDirectoryEdit(TComponent* owner, std::string name)
    : TFileDirEdit(owner, std::move(name)) {
  ButtonName = UiText(TextId::FolderButtonName);
}

bool TDirectoryEdit::DirectoryExists(const std::string& path) const {
  return files_ && !path.empty() && files_->DirectoryExists(path);
}

void TDirectoryEdit::ButtonClick() {
  TFileDirEdit::ButtonClick();
  if (!dialog_) return;

  std::string Name = Text();
  bool Action = true;
  DoBeforeDialog(Name, Action);
  if (!Action) return;

  if (Name.empty()) Name = InitialDir.empty() ? "\\" : InitialDir;
  if (!DirectoryExists(Name)) Name = "\\";

  {
    const CriticalErrorsOff quiet(*dialog_);
    // The form-based dialog (dkVCL) is not part of this program; both kinds use the shell's.
    Action = PickFolder(*dialog_, Name, DialogText, HelpContext);
  }

  if (CanFocus()) SetFocus();
  DoAfterDialog(Name, Action);
  if (Action) {
    SetSelText("");
    SetText(Name);
    if (DirectoryExists(Name)) InitialDir = Name;
  }
}

}  // namespace zv
