#pragma once
// The folder box: TFileDirEdit adds the dialog events to the button box, TDirectoryEdit opens
// the shell's folder-browse dialog from the button. Pressing the button:
//   1. nothing while the box is read-only; otherwise OnButtonClick;
//   2. Name := the box's text, Action := true, OnBeforeDialog (Action false: stop here);
//   3. an empty Name becomes InitialDir, or "\" when that is empty too; a Name that is not an
//      existing folder becomes "\" (the root of the current drive);
//   4. with the platform's critical-error boxes off for the length of the dialog,
//      Action := PickFolder(Name, DialogText, HelpContext);
//   5. the box takes the focus if it can;
//   6. OnAfterDialog(box, Name, Action) - the main window saves a confirmed Name there;
//   7. if Action: the selection is deleted and the text becomes Name; an existing Name is
//      remembered as InitialDir.
// So a confirmed choice is saved before the box shows it, and an error while saving leaves
// the box as it was; a cancelled dialog changes nothing.
#include <functional>
#include <string>

#include "folderedit/combo_edit.h"
#include "folderedit/folder_dialog.h"
#include "ui/platform.h"

namespace zv {

enum class TDialogKind { dkVCL, dkWin32 };

// OnBeforeDialog and OnAfterDialog: the handler may change Name and Action; the box acts on the
// values it leaves.
using TExecOpenDialogEvent = std::function<void(TObject* Sender, std::string& Name, bool& Action)>;

class TFileDirEdit : public TCustomComboEdit {
 public:
  using TCustomComboEdit::TCustomComboEdit;

  TDialogKind DialogKind = TDialogKind::dkWin32;
  TExecOpenDialogEvent OnBeforeDialog;
  TExecOpenDialogEvent OnAfterDialog;

 protected:
  void DoBeforeDialog(std::string& Name, bool& Action);
  void DoAfterDialog(std::string& Name, bool& Action);
};

// Options of the form-based dialog (dkVCL); kept for the stored form, not used by the shell
// dialog.
using TSelectDirOpts = unsigned;

class TDirectoryEdit : public TFileDirEdit {
 public:
  TDirectoryEdit(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TDirectoryEdit"; }

  std::string DialogText;
  // The start folder when the box is empty; updated after each confirmed choice.
  std::string InitialDir;
  bool MultipleDirs = false;
  TSelectDirOpts DialogOptions = 0;
  int HelpContext = 0;

  // The platform services the button needs (not owned). Without a dialog the button does
  // nothing beyond OnButtonClick; without a file system no folder counts as existing.
  void SetFolderDialog(FolderDialog* dialog) { dialog_ = dialog; }
  void SetFileSystem(FileSystem* files) { files_ = files; }

 protected:
  void ButtonClick() override;

 private:
  bool DirectoryExists(const std::string& path) const;
  FolderDialog* dialog_ = nullptr;
  FileSystem* files_ = nullptr;
};

}  // namespace zv
