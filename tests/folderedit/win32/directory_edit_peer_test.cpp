// The folder box's window under Wine: the button child window and the typing area in place,
// the picture drawn with its black left out, and the real folder dialog opened from the button
// and from Alt+Down, saving into the real INI functions.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings/settings_store.h"
#include "app/settings/win32/win32_ini_store.h"
#include "dialog_folder.h"
#include "folderedit/directory_edit.h"
#include "folderedit/folder_glyph.h"
#include "folderedit/win32/combo_edit_peer.h"
#include "folderedit/win32/shell_folder_dialog.h"
#include "temp_dir.h"
#include "ui/application.h"
#include "ui/errors.h"
#include "ui/forms.h"
#include "ui/win32/backend.h"
#include "ui/win32/win32_file_system.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;

constexpr char kDialogText[] = "Выберите путь к Галерее фотографий";

class RecordingBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> messages, errors;
};

void Press(void* dialog, int id) {
  HWND d = static_cast<HWND>(dialog);
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

// The main window's folder box as the program sets it up, on a real form.
class FolderBoxWindow : public ::testing::Test {
 protected:
  FolderBoxWindow() {
    RegisterFolderEditPeers(backend_);
    form_.SetClientSize(769, 370);
    box_.SetParent(&form_);
    box_.SetBounds(176, 319, 281, 21);
    box_.SetAnchors(akLeft | akRight | akBottom);
    box_.DialogText = kDialogText;
    box_.SetGlyphKind(TGlyphKind::gkCustom);
    box_.SetGlyph(FolderButtonGlyph());
    box_.SetButtonWidth(20);
    box_.SetFolderDialog(&dialog_);
    box_.SetFileSystem(&files_);
    box_.OnAfterDialog = [this](TObject*, std::string& Name, bool& Action) {
      SaveGalleryPathAfterDialog(*store_, Name, Action);
    };
    backend_.CreateHandle(form_);
    form_.Show();
    backend_.ProcessMessages();
  }
  ~FolderBoxWindow() override { form_.DestroyHandle(); }

  HWND Edit() const { return static_cast<HWND>(box_.Peer()->NativeHandle()); }
  HWND Button() const {
    return FindWindowExW(Edit(), nullptr, Win32ComboEditPeer::kButtonClass, nullptr);
  }
  HWND Form() const { return static_cast<HWND>(form_.Peer()->NativeHandle()); }

  void ClickButton() {
    SendMessageW(Button(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 8));
    SendMessageW(Button(), WM_LBUTTONUP, 0, MAKELPARAM(10, 8));
  }
  void PressAltDown() {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = keys[VK_LMENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(Edit(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    keys[VK_MENU] = keys[VK_LMENU] = 0;
    SetKeyboardState(keys);
  }

  TempDir dir_;
  const std::string folder_ = testing_support::DialogTestFolder();
  std::unique_ptr<SettingsStore> store_ =
      std::make_unique<Win32IniStore>(dir_.File(kSettingsFileName));
  RecordingBoxes boxes_;
  TApplication app_{boxes_};
  Win32Backend backend_{app_, GetModuleHandleW(nullptr)};
  ShellFolderDialog dialog_{[this] { return static_cast<void*>(Form()); }};
  Win32FileSystem files_;
  TForm form_{nullptr, "Form1"};
  TDirectoryEdit box_{&form_, "DirectoryEdit1"};
};

TEST_F(FolderBoxWindow, ButtonWindowAndTypingAreaInPlace) {
  ASSERT_TRUE(Button());
  RECT r;
  GetWindowRect(Button(), &r);
  MapWindowPoints(nullptr, Edit(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 257);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 20);
  EXPECT_EQ(r.bottom - r.top, 17);
  RECT client;
  GetClientRect(Edit(), &client);
  EXPECT_EQ(client.right, 277);
  RECT typing;
  SendMessageW(Edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&typing));
  EXPECT_LE(typing.right, 255);  // stops 2 pixels before the button
  EXPECT_GE(typing.right, 250);

  // A wider window stretches the box; the button keeps to its right end.
  RECT formClient;
  GetClientRect(Form(), &formClient);
  const int width = box_.Width();
  form_.SetClientSize(formClient.right + 100, formClient.bottom);
  backend_.ProcessMessages();
  GetWindowRect(Button(), &r);
  MapWindowPoints(nullptr, Edit(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(box_.Width(), width + 100);
  EXPECT_EQ(r.left, width + 100 - 24);
}

TEST_F(FolderBoxWindow, PictureIsDrawnWithItsBlackLeftOut) {
  HWND button = Button();
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(button);
  // The picture is centred: 16 x 16 in 20 x 17 starts at (2, 0).
  auto at = [&](int gx, int gy) { return GetPixel(dc, 2 + gx, gy); };
  // The picture's black background is left out: the button face shows through, wherever the
  // picture has no colour of its own.
  int black = 0;
  for (int gy = 1; gy < 16; ++gy) {
    for (int gx = 0; gx < 16; ++gx) black += at(gx, gy) == RGB(0, 0, 0);
  }
  EXPECT_EQ(black, 0);
  EXPECT_EQ(at(12, 2), RGB(0, 192, 0));     // the arrow
  EXPECT_EQ(at(5, 12), RGB(255, 216, 48));  // the front of the folder
  ReleaseDC(button, dc);
}

TEST_F(FolderBoxWindow, ButtonOpensTheDialogAtTheBoxsFolderAndCancelKeepsEverything) {
  box_.SetText(folder_);
  testing_support::WithOneRetry([&](bool lastTry) {
    bool shown = false, took = true;
    dialog_.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
      shown = true;
      took = lastTry || open.SelectedPath == folder_;
      EXPECT_EQ(took ? open.SelectedPath : folder_, folder_);
      EXPECT_FALSE(IsWindowEnabled(Form()));
      Press(open.Window, IDCANCEL);
    };
    ClickButton();
    EXPECT_TRUE(shown);
    EXPECT_EQ(box_.Text(), folder_);
    EXPECT_EQ(WindowTextUtf8(Edit()), folder_);
    EXPECT_TRUE(IsWindowEnabled(Form()));
    EXPECT_FALSE(ReadBytes(dir_.File(kSettingsFileName)).has_value());
    EXPECT_TRUE(boxes_.errors.empty());
    return took;
  });
}

TEST_F(FolderBoxWindow, AltDownOpensTheDialogAndOkSavesThenShows) {
  box_.SetText("C:\\");
  SetFocus(Edit());
  testing_support::WithOneRetry([&](bool lastTry) {
    bool shown = false, took = true;
    dialog_.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
      shown = true;
      EXPECT_EQ(open.SelectedPath, "C:\\");
      const std::wstring path = Widen(folder_);
      SendMessageW(static_cast<HWND>(open.Window), BFFM_SETSELECTIONW, TRUE,
                   reinterpret_cast<LPARAM>(path.c_str()));
      took = lastTry || open.SelectedPath == folder_;
      Press(open.Window, took ? IDOK : IDCANCEL);
    };
    PressAltDown();
    EXPECT_TRUE(shown);
    if (!took) return false;
    EXPECT_EQ(box_.Text(), folder_);
    EXPECT_EQ(WindowTextUtf8(Edit()), folder_);
    EXPECT_EQ(GetFocus(), Edit());
    // Saved in Windows-1251 and read back the same on the next run.
    EXPECT_EQ(ReadGalleryPath(*std::make_unique<Win32IniStore>(dir_.File(kSettingsFileName))),
              folder_);
    EXPECT_TRUE(boxes_.errors.empty());
    return true;
  });
}

TEST_F(FolderBoxWindow, FailedSaveShowsTheErrorAndKeepsTheBox) {
  const std::string unwritable = dir_.File("missing\\" + std::string(kSettingsFileName));
  store_ = std::make_unique<Win32IniStore>(unwritable);
  box_.SetText("C:\\");
  dialog_.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
    const std::wstring path = Widen(folder_);
    SendMessageW(static_cast<HWND>(open.Window), BFFM_SETSELECTIONW, TRUE,
                 reinterpret_cast<LPARAM>(path.c_str()));
    Press(open.Window, IDOK);
  };
  ClickButton();
  EXPECT_EQ(box_.Text(), "C:\\");
  ASSERT_EQ(boxes_.errors.size(), 1u);
  EXPECT_EQ(boxes_.errors[0], "Unable to write to " + unwritable + ".");
}

}  // namespace
}  // namespace zv
