// The whole program on a display of 144 dots per inch (150 %), under Wine in a prefix of the
// test's own whose LogPixels is 144 (ctest sets it up; see CMakeLists.txt): the main window's
// client area, fonts and texts, a click on a scaled check box and the download that follows,
// the preview window and the folder button, all at 1.5 times their design.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>

#include "e2e/program_harness.h"
#include "folderedit/win32/combo_edit_peer.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/lang/texts.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 144;
// A design length at 150 %, as the program rounds it (halves up).
constexpr int Px(int v) { return (v * 3 + 1) / 2; }

std::string JpegBytes(int w, int h) {
  const auto jpeg = testing::MakeJpeg(testing::Quarters(w, h));
  return std::string(jpeg.begin(), jpeg.end());
}

// The extent of a text in the font a window draws with.
SIZE TextExtent(HWND window, const std::string& utf8) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  const std::wstring text = Widen(utf8);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size;
}

// Rows of a capture that hold a pixel far from the background colour (text ink).
int InkHeight(const Capture& c, std::uint32_t background) {
  int top = -1, bottom = -1;
  for (int y = 0; y < c.Height; ++y)
    for (int x = 0; x < c.Width; ++x)
      if (testing::ColourDistance(c.At(x, y), background) > 96) {
        if (top < 0) top = y;
        bottom = y;
        break;
      }
  return top < 0 ? 0 : bottom - top + 1;
}

class ScaledDisplay : public ::testing::Test {
 protected:
  const std::vector<std::string> names_{"01-05-08_0100.jpg", "05-12-07_0012.jpg",
                                        "14-02-09_0200.jpg"};
  void SetUp() override {
    ASSERT_EQ(kDpi, SystemDpi()) << "the test's Wine prefix must have LogPixels 144";
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Scale"));
    for (const auto& name : names_)
      p_.Phone().AddFile("a/mobile/picture/" + name, JpegBytes(64, 48));
  }
  TForm1& F() { return p_.Form1(); }
  HWND Main() { return Hwnd(F()); }

  ProgramHarness p_;
};

TEST_F(ScaledDisplay, TheWindowAndItsTextsAreLaidOutAtOneAndAHalfTimesTheDesign) {
  EXPECT_EQ(kDpi, F().PixelsPerInch());
  RECT client{};
  GetClientRect(Main(), &client);
  EXPECT_NEAR(769 * 1.5, client.right, 3.0);
  EXPECT_NEAR(370 * 1.5, client.bottom, 3.0);
  // The minimum size grew too.
  MINMAXINFO mmi{};
  SendMessageW(Main(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(Px(660), mmi.ptMinTrackSize.x);
  EXPECT_EQ(Px(220), mmi.ptMinTrackSize.y);

  // The label: the larger font, its text within the scaled width.
  HWND label = Hwnd(F().Label1);
  RECT lr{};
  GetClientRect(label, &lr);
  EXPECT_EQ(Px(141), lr.right);
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  EXPECT_EQ(-Px(11), lf.lfHeight);
  EXPECT_EQ(FW_BOLD, lf.lfWeight);
  EXPECT_LE(TextExtent(label, F().Label1.Caption()).cx, lr.right);
  // Drawn taller than the 11 pixels of its design.
  RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  p_.Pump(50);
  const int ink = InkHeight(CaptureClient(label), Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_GE(ink, 14) << "the label's text is " << ink << " pixels tall";

  // Status panel 0: its scaled width holds each of its texts in the window's language in the
  // bar's font, beside the status control's own edge and text margin (6 pixels together, which
  // the control keeps at every scale).
  HWND bar = Hwnd(F().StatusBar1);
  RECT part{};
  SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
  EXPECT_NEAR(StatusPanelWidthsFor(UiLanguage()).connection * 1.5, part.right, 2.0);
  for (const TextId id : {TextId::Disconnected, TextId::Connected, TextId::NotAnswering}) {
    const std::string& text = UiText(id);
    EXPECT_LE(TextExtent(bar, text.c_str()).cx, part.right - part.left - 6) << text;
  }
  EXPECT_EQ(p_.Panel(0), "Соединение: Телефон отключен");
}

TEST_F(ScaledDisplay, AClickOnTheScaledDeleteBoxMarksItAndTheDownloadDeletesThatPhoto) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Click(F().BitBtn1);  // "Список"
  ASSERT_EQ(p_.GridNames(), names_);
  const fs::path root = p_.Folder() / "archive";
  p_.Type(F().DirectoryEdit1, Narrow(root.wstring()));

  // Row 1's delete box where the user sees it: below the scaled header, one scaled row pitch
  // down, in the middle of the third scaled narrow column right of the scaled indicator.
  const int x = Px(12) + 2 * Px(25) + Px(25) / 2;
  const int y = Px(18) + (Px(16) + 1) + Px(16) / 2;
  p_.GridClick(x, y);
  TGridView& grid = F().GridView1;
  EXPECT_TRUE(grid.CellAt(kDeleteColumn, 1).AsBoolean());
  for (int row : {0, 2}) EXPECT_FALSE(grid.CellAt(kDeleteColumn, row).AsBoolean()) << row;

  BoxCloser closer;
  p_.Click(F().BitBtn2);  // "Скачать фотографии"
  const std::vector<BoxSeen> boxes = closer.Stop();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].Text.find("Удалено фотографий: 1")) << boxes[0].Text;
  EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/" + names_[1]).has_value());
  for (int i : {0, 2})
    EXPECT_TRUE(p_.Phone().FileBytes("a/mobile/picture/" + names_[size_t(i)]).has_value());
  EXPECT_EQ(p_.GridNames(), (std::vector<std::string>{names_[0], names_[2]}));
}

TEST_F(ScaledDisplay, ThePreviewWindowOpensAtItsScaledSizeAndShowsThePhoto) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Click(F().BitBtn1);
  ASSERT_EQ(3, F().GridView1.RowCount());
  const int fileX = Px(12) + 3 * Px(25) + 40;
  const int rowY = Px(18) + Px(16) / 2;
  p_.GridDoubleClick(fileX, rowY);
  HWND preview = Hwnd(p_.Form3());
  ASSERT_TRUE(IsWindowVisible(preview));
  RECT client{};
  GetClientRect(preview, &client);
  EXPECT_NEAR(640 * 1.5, client.right, 3.0);
  EXPECT_NEAR(480 * 1.5, client.bottom, 3.0);
  RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  p_.Pump(50);
  // The 64 x 48 photo fits and is shown at its natural size, centred: its red top-left
  // quarter sits left of and above the middle.
  const Capture c = CaptureClient(preview);
  const int cx = c.Width / 2, cy = c.Height / 2;
  EXPECT_LE(testing::ColourDistance(c.At(cx - 16, cy - 12), 0xFF0000u), 24);
  EXPECT_LE(testing::ColourDistance(c.At(cx + 16, cy + 12), 0xFFFFFFu), 24);
  EXPECT_EQ(Rgb(GetSysColor(COLOR_BTNFACE)), c.At(cx - 40, cy));
}

// Watches for the folder dialog (a dialog of this process holding the folder tree), selects a
// folder in it and confirms it.
class FolderDialogAnswer {
 public:
  explicit FolderDialogAnswer(std::wstring folder)
      : folder_(std::move(folder)), thread_([this] { Watch(); }) {}
  ~FolderDialogAnswer() {
    stop_ = true;
    thread_.join();
  }
  bool Seen() const { return seen_; }

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM lp) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (process == GetCurrentProcessId() && lstrcmpW(cls, L"#32770") == 0 &&
        IsWindowVisible(window) && FindWindowExW(window, nullptr, L"SysTreeView32", nullptr)) {
      *reinterpret_cast<HWND*>(lp) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Watch() {
    for (int i = 0; i < 1000 && !stop_; ++i) {
      HWND dialog = nullptr;
      EnumWindows(&Find, reinterpret_cast<LPARAM>(&dialog));
      if (!dialog) {
        Sleep(20);
        continue;
      }
      seen_ = true;
      Sleep(200);  // the tree settles
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
      Sleep(100);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      return;
    }
  }

  std::wstring folder_;
  std::atomic<bool> stop_{false}, seen_{false};
  std::thread thread_;
};

TEST_F(ScaledDisplay, TheFolderButtonIsScaledAndOpensTheDialog) {
  HWND edit = Hwnd(F().DirectoryEdit1);
  HWND button = FindWindowExW(edit, nullptr, Win32ComboEditPeer::kButtonClass, nullptr);
  ASSERT_TRUE(button);
  RECT r{}, er{};
  GetClientRect(button, &r);
  GetClientRect(edit, &er);
  EXPECT_EQ(Px(20), r.right);
  EXPECT_EQ(er.bottom, r.bottom);
  EXPECT_EQ(Px(16), F().DirectoryEdit1.Glyph().Width);

  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  {
    FolderDialogAnswer answer(windows);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom / 2));
    p_.Pump(50);
    EXPECT_TRUE(answer.Seen());
  }
  EXPECT_EQ(0, lstrcmpiW(Widen(F().DirectoryEdit1.Text()).c_str(), windows))
      << F().DirectoryEdit1.Text();
}

}  // namespace
}  // namespace zv::e2e
