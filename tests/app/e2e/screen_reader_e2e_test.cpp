// What a screen reader hears from the main window's controls and from the preview, asked from a
// second process (zv_screen_reader.exe) through the system's accessibility interface while the
// program runs here; and Ctrl+Space, the keyboard's way to the header actions, pressed on the
// grid's window.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ScreenReaderEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
    const auto jpeg = testing::MakeJpeg(testing::Quarters(64, 48));
    // Listed in the phone's order, which is not the order of their names.
    for (const char* name : {"02-01-09_0002.jpg", "01-01-09_0001.jpg"})
      p_.Phone().AddFile(std::string("a/mobile/picture/") + name,
                         std::string(jpeg.begin(), jpeg.end()));
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    p_.Click(p_.Form1().BitBtn1);  // "Список": every button enabled from here on
    ASSERT_EQ(p_.Form1().GridView1.RowCount(), 2);
  }

  // Runs the reader on the windows and gives its lines; the program answers meanwhile.
  std::vector<std::string> Ask(const std::string& command, const std::vector<HWND>& windows) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path reader = fs::path(self).parent_path() / L"zv_screen_reader.exe";
    const fs::path out = p_.Folder() / "heard.txt";
    fs::remove(out);  // nothing of an earlier question may pass for an answer
    std::wstring line =
        L"\"" + reader.wstring() + L"\" \"" + out.wstring() + L"\" " + Widen(command);
    for (HWND h : windows) line += L" " + std::to_wstring(reinterpret_cast<INT_PTR>(h));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
      ADD_FAILURE() << "cannot start " << Narrow(reader.wstring());
      return {};
    }
    const bool ended =
        p_.PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(ended) << "the reader did not end";
    std::ifstream in(out, std::ios::binary);
    return Lines(std::string(std::istreambuf_iterator<char>(in), {}));
  }

  HWND BrowseButton() {
    return FindWindowExW(Hwnd(F().DirectoryEdit1), nullptr, L"ZvEditButton", nullptr);
  }
  // One line of the reader's "describe": role, state, name.
  static std::string Heard(long role, long state, const std::string& name) {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%ld\t%lx\t", role, static_cast<unsigned long>(state));
    return buf + name;
  }
  static std::string NameOf(const std::string& line) { return line.substr(line.rfind('\t') + 1); }
  static std::string RoleOf(const std::string& line) { return line.substr(0, line.find('\t')); }

  // A key pressed on the grid's window with Ctrl held, as the keyboard delivers it: the key, the
  // character the message loop makes of it, the key's release.
  void CtrlKeyOnGrid(WPARAM key) {
    HWND grid = Hwnd(F().GridView1);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(grid, WM_KEYDOWN, key, 1);
    p_.Pump(100);
    PostMessageW(grid, WM_KEYUP, key, LPARAM(0xC0000001u));
    p_.Pump(50);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
  }
  std::vector<bool> Boxes(int col) {
    std::vector<bool> out;
    for (int r = 0; r < F().GridView1.RowCount(); ++r)
      out.push_back(F().GridView1.CellAt(col, r).AsBoolean());
    return out;
  }

  TForm1& F() { return p_.Form1(); }
  ProgramHarness p_;
};

TEST_F(ScreenReaderEndToEnd, EveryControlThatTabReachesIsReadByItsName) {
  // The grid, first in the tab order, speaks through a model of its own, tested with it.
  struct Case {
    const TControl* control;
    long role;  // 0: the system's object decides (Wine calls a button a client, Windows not)
    std::string name;
  } cases[] = {
      {&F().BitBtn1, 0, "Список"},
      {&F().BitBtn2, 0, "Скачать фотографии"},
      {&F().BitBtn3, 0, "Создать"},
      {&F().Edit1, ROLE_SYSTEM_TEXT, "Профиль пользователя"},
      {&F().DirectoryEdit1, ROLE_SYSTEM_TEXT, "Папка архива"},
      {&F().CheckBox1, 0, "Эскизы"},
  };
  HWND form = Hwnd(F());
  std::vector<HWND> tabStops;
  for (HWND h = GetNextDlgTabItem(form, Hwnd(F().GridView1), FALSE);
       h && h != Hwnd(F().GridView1) && tabStops.size() < 10; h = GetNextDlgTabItem(form, h, FALSE))
    tabStops.push_back(h);
  ASSERT_EQ(tabStops.size(), std::size(cases));
  const std::vector<std::string> heard = Ask("describe", tabStops);
  ASSERT_EQ(heard.size(), std::size(cases));
  for (size_t i = 0; i < heard.size(); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(tabStops[i], Hwnd(*c.control)) << c.name;
    EXPECT_EQ(NameOf(heard[i]), c.name) << heard[i];
    if (c.role) {
      EXPECT_EQ(RoleOf(heard[i]), std::to_string(c.role)) << heard[i];
    }
  }
  // Windows takes an edit box's name from the visible label right before it in the window order
  // (Wine looks further back): each box's label is there.
  using Labelled = std::pair<const TControl*, const TControl*>;
  for (const auto& [box, label] :
       {Labelled{&F().Edit1, &F().Label1}, Labelled{&F().DirectoryEdit1, &F().Label2}}) {
    HWND before = GetWindow(Hwnd(*box), GW_HWNDPREV);
    EXPECT_EQ(before, Hwnd(*label)) << box->Name;
    EXPECT_TRUE(IsWindowVisible(before)) << box->Name;
    EXPECT_TRUE(SendMessageW(before, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) << box->Name;
  }
  // The folder box's label takes no room: the window looks as it did.
  RECT r;
  GetWindowRect(Hwnd(F().Label2), &r);
  EXPECT_TRUE(IsRectEmpty(&r));
}

TEST_F(ScreenReaderEndToEnd, TheBrowseButtonIsAPushButtonThatItsDefaultActionPresses) {
  ASSERT_TRUE(BrowseButton());
  EXPECT_EQ(Ask("describe", {BrowseButton()}),
            std::vector<std::string>{Heard(ROLE_SYSTEM_PUSHBUTTON, 0, "Выбрать папку")});
  // Pressed from the reader: the box's button click runs (the dialog itself is stopped before
  // it opens).
  int clicks = 0;
  F().DirectoryEdit1.OnButtonClick = [&](TObject*) { ++clicks; };
  F().DirectoryEdit1.OnBeforeDialog = [](TObject*, std::string&, bool& action) { action = false; };
  EXPECT_EQ(Ask("press", {BrowseButton()}), std::vector<std::string>{"0"});
  EXPECT_TRUE(p_.PumpUntil([&] { return clicks == 1; }, 5000)) << clicks;
  // A disabled box's button says so.
  F().DirectoryEdit1.SetEnabled(false);
  EXPECT_EQ(Ask("describe", {BrowseButton()}),
            std::vector<std::string>{
                Heard(ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, "Выбрать папку")});
}

// The windows whose client object said its name changed, as a reader's event hook hears it.
std::vector<HWND> g_renamed;
void CALLBACK NameChanged(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) g_renamed.push_back(hwnd);
}

TEST_F(ScreenReaderEndToEnd, ThePreviewsPictureIsAGraphicNamedAfterItsPhoto) {
  HWND picture = Hwnd(p_.Form3().Image1);
  g_renamed.clear();
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &NameChanged,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  constexpr int kHeader = 18, kRowPitch = 17, kFileX = 12 + 3 * 25 + 30;
  struct Case {
    int row;
    bool renamed;  // another photo than the one shown: readers are told the new name
  } cases[] = {{0, true}, {1, true}, {1, false}, {0, true}};
  for (const Case& c : cases) {
    g_renamed.clear();
    p_.GridDoubleClick(kFileX, kHeader + kRowPitch * c.row + 8);
    p_.Pump(50);
    const std::string photo = p_.GridNames()[size_t(c.row)];
    EXPECT_EQ(Ask("describe", {picture}),
              std::vector<std::string>{Heard(ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY, photo)});
    EXPECT_EQ(std::count(g_renamed.begin(), g_renamed.end(), picture), c.renamed ? 1 : 0) << photo;
  }
  UnhookWinEvent(hook);
  // Closed, the window keeps its picture and says it is out of sight.
  SendMessageW(Hwnd(p_.Form3()), WM_CLOSE, 0, 0);
  p_.Pump(50);
  ASSERT_FALSE(IsWindowVisible(picture));
  EXPECT_EQ(
      Ask("describe", {picture}),
      std::vector<std::string>{Heard(
          ROLE_SYSTEM_GRAPHIC, STATE_SYSTEM_READONLY | STATE_SYSTEM_INVISIBLE, p_.GridNames()[0])});
}

TEST_F(ScreenReaderEndToEnd, CtrlSpaceOnTheGridDoesTheCurrentColumnsHeaderAction) {
  TGridView& grid = F().GridView1;
  SetFocus(Hwnd(grid));
  p_.Pump(50);
  // The delete column: every box checked, then every box cleared; the typed space ticks nothing.
  grid.SelectCell(kDeleteColumn, 0, 0);
  CtrlKeyOnGrid(VK_SPACE);
  EXPECT_EQ(Boxes(kDeleteColumn), (std::vector<bool>{true, true}));
  CtrlKeyOnGrid(VK_SPACE);
  EXPECT_EQ(Boxes(kDeleteColumn), (std::vector<bool>{false, false}));
  EXPECT_EQ(Boxes(kDownLoadColumn), (std::vector<bool>{true, true}));
  // Over to the file column with the arrow key; Ctrl+Space sorts, ascending, then the reverse.
  PostMessageW(Hwnd(grid), WM_KEYDOWN, VK_RIGHT, 1);
  p_.Pump(50);
  ASSERT_EQ(grid.SelectedColumn(), kFileColumn);
  CtrlKeyOnGrid(VK_SPACE);
  EXPECT_EQ(p_.GridNames(), (std::vector<std::string>{"01-01-09_0001.jpg", "02-01-09_0002.jpg"}));
  CtrlKeyOnGrid(VK_SPACE);
  EXPECT_EQ(p_.GridNames(), (std::vector<std::string>{"02-01-09_0002.jpg", "01-01-09_0001.jpg"}));
}

}  // namespace
}  // namespace zv::e2e
