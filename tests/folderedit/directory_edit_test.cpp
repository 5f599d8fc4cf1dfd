// The folder box's button: the dialog flow against a fake dialog, with the main window's
// settings handler saving into a real (portable) settings file.
#include "folderedit/directory_edit.h"

#include <gtest/gtest.h>

#include "app/settings/ini_file.h"
#include "app/settings/settings_store.h"
#include "fakes.h"
#include "temp_dir.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing_support::FakeFolderDialog;
using testing_support::FakeFolders;
using testing_support::ReadBytes;
using testing_support::TempDir;

constexpr char kDialogText[] = "Выберите путь к Галерее фотографий";

// The folder box as the main window sets it up, with its settings handler.
class FolderBox : public ::testing::Test {
 protected:
  FolderBox() {
    box_.SetBounds(176, 319, 281, 21);
    box_.SetButtonWidth(20);
    box_.DialogText = kDialogText;
    box_.SetFolderDialog(&dialog_);
    box_.SetFileSystem(&folders_);
    box_.OnAfterDialog = [this](TObject* sender, std::string& Name, bool& Action) {
      EXPECT_EQ(sender, &box_);
      textWhenSaving_ = box_.Text();
      focusedWhenSaving_ = box_.Focused();
      afterCalls_++;
      SaveGalleryPathAfterDialog(store_, Name, Action);
    };
    folders_.Folders = {"\\", "C:\\MobileFoto", "D:\\Photos", "D:\\Фото"};
  }

  TempDir dir_;
  IniFileStore store_{dir_.File(kSettingsFileName)};
  FakeFolderDialog dialog_;
  FakeFolders folders_;
  TDirectoryEdit box_{nullptr, "DirectoryEdit1"};
  std::string textWhenSaving_;
  bool focusedWhenSaving_ = false;
  int afterCalls_ = 0;
};

TEST_F(FolderBox, ConfirmedChoiceIsSavedFirstAndShownAfter) {
  box_.SetText("C:\\MobileFoto");
  dialog_.Chosen = "D:\\Photos\\";
  box_.DoClick();

  ASSERT_EQ(dialog_.Requests.size(), 1u);
  EXPECT_EQ(dialog_.Requests[0].FolderName, "C:\\MobileFoto");
  EXPECT_EQ(dialog_.Requests[0].DialogText, kDialogText);
  EXPECT_TRUE(dialog_.Requests[0].DesktopRoot);
  EXPECT_EQ(dialog_.Requests[0].Position, TDialogPosition::dpScreenCenter);
  EXPECT_EQ(textWhenSaving_, "C:\\MobileFoto");  // still the old text while saving
  EXPECT_TRUE(focusedWhenSaving_);
  EXPECT_EQ(box_.Text(), "D:\\Photos");
  EXPECT_EQ(box_.InitialDir, "D:\\Photos");
  EXPECT_EQ(ReadBytes(store_.FileName()), "[Options]\r\nGalleryPath=D:\\Photos\r\n");
}

TEST_F(FolderBox, CancelChangesNothing) {
  box_.SetText("D:\\typed by hand");
  box_.InitialDir = "C:\\MobileFoto";
  testing_support::WriteBytes(store_.FileName(), "[Options]\nGalleryPath=C:\\Old\n; note\n");
  dialog_.Confirm = false;
  box_.DoClick();

  EXPECT_EQ(afterCalls_, 1);
  EXPECT_EQ(box_.Text(), "D:\\typed by hand");
  EXPECT_EQ(box_.InitialDir, "C:\\MobileFoto");
  EXPECT_EQ(ReadBytes(store_.FileName()), "[Options]\nGalleryPath=C:\\Old\n; note\n");
}

TEST_F(FolderBox, CancelOnFirstRunCreatesNoFile) {
  box_.SetText(ReadGalleryPath(store_));
  EXPECT_EQ(box_.Text(), "C:\\MobileFoto");
  dialog_.Confirm = false;
  box_.DoClick();
  EXPECT_FALSE(ReadBytes(store_.FileName()).has_value());
}

TEST_F(FolderBox, WhereTheDialogStarts) {
  struct Case {
    const char* what;
    std::string text, initialDir, expected;
  };
  const Case cases[] = {
      {"existing folder", "D:\\Photos", "", "D:\\Photos"},
      {"empty box, no InitialDir", "", "", "\\"},
      {"empty box, existing InitialDir", "", "D:\\Фото", "D:\\Фото"},
      {"empty box, missing InitialDir", "", "Q:\\gone", "\\"},
      {"missing folder", "Q:\\gone", "D:\\Photos", "\\"},
      {"a file's or garbage name", "C:\\MobileFoto\\a.jpg", "", "\\"},
  };
  dialog_.Confirm = false;
  for (const Case& c : cases) {
    box_.SetText(c.text);
    box_.InitialDir = c.initialDir;
    dialog_.Requests.clear();
    box_.DoClick();
    ASSERT_EQ(dialog_.Requests.size(), 1u) << c.what;
    EXPECT_EQ(dialog_.Requests[0].FolderName, c.expected) << c.what;
  }
}

TEST_F(FolderBox, BeforeDialogCanStopOrRedirect) {
  box_.SetText("C:\\MobileFoto");
  box_.OnBeforeDialog = [](TObject*, std::string&, bool& Action) { Action = false; };
  box_.DoClick();
  EXPECT_TRUE(dialog_.Requests.empty());
  EXPECT_EQ(afterCalls_, 0);
  EXPECT_EQ(box_.Text(), "C:\\MobileFoto");

  box_.OnBeforeDialog = [](TObject*, std::string& Name, bool&) { Name = "D:\\Photos"; };
  dialog_.Confirm = false;
  box_.DoClick();
  ASSERT_EQ(dialog_.Requests.size(), 1u);
  EXPECT_EQ(dialog_.Requests[0].FolderName, "D:\\Photos");
}

TEST_F(FolderBox, AfterDialogDecidesWhatTheBoxTakes) {
  box_.SetText("C:\\MobileFoto");
  dialog_.Chosen = "D:\\Photos";
  box_.OnAfterDialog = [](TObject*, std::string& Name, bool&) { Name = "D:\\Фото"; };
  box_.DoClick();
  EXPECT_EQ(box_.Text(), "D:\\Фото");

  box_.OnAfterDialog = [](TObject*, std::string&, bool& Action) { Action = false; };
  box_.DoClick();
  EXPECT_EQ(box_.Text(), "D:\\Фото");
}

TEST_F(FolderBox, FailedSaveLeavesTheBoxAsItWas) {
  IniFileStore unwritable(dir_.File("no such folder/" + std::string(kSettingsFileName)));
  box_.OnAfterDialog = [&](TObject*, std::string& Name, bool& Action) {
    SaveGalleryPathAfterDialog(unwritable, Name, Action);
  };
  box_.SetText("C:\\MobileFoto");
  dialog_.Chosen = "D:\\Photos";
  EXPECT_THROW(box_.DoClick(), EIniFileException);
  EXPECT_EQ(box_.Text(), "C:\\MobileFoto");
  EXPECT_EQ(box_.InitialDir, "");
  EXPECT_EQ(dialog_.Restores, 1);
}

TEST_F(FolderBox, CriticalErrorBoxesAreOffOnlyWhileTheDialogIsOpen) {
  box_.SetText("C:\\MobileFoto");
  dialog_.Chosen = "D:\\Photos";
  box_.DoClick();
  EXPECT_TRUE(dialog_.ErrorsSuppressedWhileOpen);
  EXPECT_FALSE(dialog_.ErrorsSuppressed);

  // A confirmed item without a path raises; the setting comes back all the same and nothing
  // is saved or shown.
  dialog_.WhileOpen = [] { throw EOSError("no path"); };
  EXPECT_THROW(box_.DoClick(), EOSError);
  EXPECT_FALSE(dialog_.ErrorsSuppressed);
  EXPECT_EQ(dialog_.Restores, 2);
  EXPECT_EQ(afterCalls_, 1);
  EXPECT_EQ(box_.Text(), "D:\\Photos");
}

TEST_F(FolderBox, ReadOnlyBoxIgnoresTheButton) {
  int clicks = 0;
  box_.OnButtonClick = [&](TObject*) { ++clicks; };
  box_.SetReadOnly(true);
  box_.DoClick();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(dialog_.Requests.empty());

  box_.SetReadOnly(false);
  box_.OnBeforeDialog = [&](TObject*, std::string&, bool&) { EXPECT_EQ(clicks, 1); };
  dialog_.Confirm = false;
  box_.DoClick();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dialog_.Requests.size(), 1u);
}

TEST_F(FolderBox, ClickKeyOpensTheDialog) {
  struct Case {
    const char* what;
    TKey key;
    TShiftState shift;
    int buttonWidth;
    bool opens;
  };
  const Case cases[] = {
      {"Alt+Down", TKey::Down, ssAlt, 20, true},
      {"Alt+Down with a mouse button held", TKey::Down, ssAlt | ssLeft, 20, true},
      {"Down alone", TKey::Down, 0, 20, false},
      {"Ctrl+Alt+Down", TKey::Down, ssAlt | ssCtrl, 20, false},
      {"Alt+Up", TKey::Up, ssAlt, 20, false},
      {"Alt+Down without a button", TKey::Down, ssAlt, 0, false},
  };
  dialog_.Confirm = false;
  for (const Case& c : cases) {
    box_.SetButtonWidth(c.buttonWidth);
    dialog_.Requests.clear();
    const bool handled = box_.KeyDown(c.key, c.shift);
    EXPECT_EQ(handled, c.opens) << c.what;
    EXPECT_EQ(dialog_.Requests.size(), c.opens ? 1u : 0u) << c.what;
  }
}

TEST_F(FolderBox, CyrillicFolderSurvivesBoxIniBox) {
  box_.SetText("C:\\MobileFoto");
  dialog_.Chosen = "D:\\Фото\\Ёлка №1\\";
  box_.DoClick();
  EXPECT_EQ(box_.Text(), "D:\\Фото\\Ёлка №1");

  // The next run reads the same file into a new box.
  IniFileStore nextRun(store_.FileName());
  TDirectoryEdit next(nullptr, "DirectoryEdit1");
  next.SetText(ReadGalleryPath(nextRun));
  EXPECT_EQ(next.Text(), "D:\\Фото\\Ёлка №1");
}

TEST_F(FolderBox, TypedFolderIsNotSaved) {
  WriteGalleryPath(store_, "D:\\Photos");
  box_.SetText(ReadGalleryPath(store_));
  box_.SetText("E:\\typed");  // the user types; the download run would use this text
  IniFileStore nextRun(store_.FileName());
  EXPECT_EQ(ReadGalleryPath(nextRun), "D:\\Photos");
}

TEST(ComboEditLayout, ButtonAndTypingArea) {
  struct Case {
    int width, height, buttonWidth;
    TRect button;
    int margin;
  };
  const Case cases[] = {
      {281, 21, 20, Bounds(257, 0, 20, 17), 22},
      {400, 25, 21, Bounds(375, 0, 21, 21), 23},
      {281, 21, 1, TRect{}, 0},
      {281, 21, 0, TRect{}, 0},
  };
  for (const Case& c : cases) {
    TDirectoryEdit box(nullptr, "box");
    box.SetBounds(0, 0, c.width, c.height);
    box.SetButtonWidth(c.buttonWidth);
    EXPECT_EQ(box.ButtonVisible(), c.buttonWidth > 1);
    EXPECT_EQ(box.ButtonRect(), c.button) << c.buttonWidth;
    EXPECT_EQ(box.TypingAreaRightMargin(), c.margin) << c.buttonWidth;
  }
}

}  // namespace
}  // namespace zv
