// The photo grid as a screen reader hears it, under Wine: a second process (accessibility_reader)
// reads the program's grid through AccessibleObjectFromWindow after a listing, ticks a delete
// box through its default action, and the run deletes that photo; the events the grid raises
// meanwhile are caught with SetWinEventHook; the rectangle a reader gets for a row is where the
// row is painted, at the display's density (this test also runs at 144 dots per inch).
// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/grid_accessible.h"
#include "gridview/photo_columns.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

using A = TGridAccessible;
using Event = std::pair<DWORD, LONG>;  // event, child id

// The grid's events as the hook delivers them (the hook's procedure has no context argument).
std::vector<Event>* gEvents = nullptr;
HWND gGrid = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                         DWORD) {
  if (gEvents && hwnd == gGrid && object == OBJID_CLIENT) gEvents->push_back({event, child});
}

class EventHook {
 public:
  EventHook(HWND grid, std::vector<Event>& events) {
    gGrid = grid;
    gEvents = &events;
    hook_ = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_STATECHANGE, nullptr, &OnWinEvent,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  ~EventHook() {
    if (hook_) UnhookWinEvent(hook_);
    gEvents = nullptr;
  }
  bool Ok() const { return hook_ != nullptr; }

 private:
  HWINEVENTHOOK hook_ = nullptr;
};

// One line of the reader's "tree": the path ("root", "3", "3.2", "focus"), role, state, name.
struct Heard {
  std::string path;
  long role = -1;
  unsigned long state = 0;
  std::string name;
};

Heard Parse(const std::string& line) {
  Heard h;
  std::istringstream in(line);
  in >> h.path;
  std::string word;
  while (in >> word) {
    if (word.rfind("role=", 0) == 0) h.role = std::strtol(word.c_str() + 5, nullptr, 10);
    if (word.rfind("state=", 0) == 0) h.state = std::strtoul(word.c_str() + 6, nullptr, 16);
    if (word.rfind("name=", 0) == 0) {
      h.name = line.substr(line.find("name=") + 5);
      h.name = h.name.substr(0, h.name.find(" children="));
      break;
    }
  }
  return h;
}

class ScreenReader : public ::testing::Test {
 protected:
  const std::vector<std::string> names_{"01-05-08_0100.jpg", "05-12-07_0012.jpg",
                                        "14-02-09_0200.jpg", "28-06-09_0300.jpg"};

  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Reader"));
    for (size_t i = 0; i < names_.size(); ++i)
      p_.Phone().AddFile("a/mobile/picture/" + names_[i], std::string(1000 + i, 'j'));
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    p_.Type(p_.Form1().DirectoryEdit1, Narrow((p_.Folder() / L"archive").wstring()));
    ASSERT_TRUE(hook_.Ok());
    p_.Click(p_.Form1().BitBtn1);  // "Список"
    ASSERT_EQ(p_.GridNames(), names_);
    SetFocus(Grid());
    p_.Pump(50);
  }
  HWND Grid() { return Hwnd(p_.Form1().GridView1); }
  std::vector<Event> TakeEvents() {
    p_.Pump(50);
    return std::exchange(events_, {});
  }

  // Runs the reader against the grid's window while the program's thread serves its calls.
  std::vector<std::string> Read(const std::wstring& arguments) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"accessibility_reader.exe";
    std::wstring command = L"\"" + exe + L"\" " +
                           std::to_wstring(reinterpret_cast<INT_PTR>(Grid())) + L" " + arguments;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &sa, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    std::string out;
    std::thread drain([&] {
      char buffer[4096];
      DWORD n = 0;
      while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n) out.append(buffer, n);
    });
    if (started) {
      p_.PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
      TerminateProcess(pi.hProcess, 1);  // only if it hung
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
    drain.join();
    CloseHandle(readEnd);
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  ProgramHarness p_;
  std::vector<Event> events_;
  EventHook hook_{Hwnd(p_.Form1().GridView1), events_};
};

TEST_F(ScreenReader, HearsTheListedGridTicksABoxByItsDefaultActionAndTheRunDeletesIt) {
  // The listing: the focus leaves "Список", which is locked while the phone lists, for the grid
  // (the system's event for the window, and the grid's for itself: it has no rows yet); then the
  // rows are cleared and filled in one batch.
  EXPECT_EQ((std::vector<Event>{{EVENT_OBJECT_FOCUS, CHILDID_SELF},
                                {EVENT_OBJECT_FOCUS, CHILDID_SELF},
                                {EVENT_OBJECT_REORDER, CHILDID_SELF},
                                {EVENT_OBJECT_REORDER, CHILDID_SELF}}),
            TakeEvents());

  const std::vector<std::string> tree = Read(L"tree");
  ASSERT_EQ(1 + 1 + 5 + 4 * 6 + 1, static_cast<int>(tree.size())) << ::testing::PrintToString(tree);
  const Heard root = Parse(tree[0]);
  EXPECT_EQ(ROLE_SYSTEM_TABLE, root.role);
  EXPECT_EQ("Фотографии на телефоне", root.name);
  EXPECT_NE(std::string::npos, tree[0].find("children=5"));
  EXPECT_EQ("Скачать", Parse(tree[3]).name);  // the header row's second column header
  EXPECT_EQ(ROLE_SYSTEM_COLUMNHEADER, Parse(tree[3]).role);
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE(r);
    const size_t at = 7 + 6 * size_t(r);
    const Heard row = Parse(tree[at]);
    EXPECT_EQ(ROLE_SYSTEM_ROW, row.role);
    EXPECT_EQ(names_[size_t(r)] + ", " + std::to_string(1000 + r), row.name);
    const Heard download = Parse(tree[at + 2]), del = Parse(tree[at + 3]);
    EXPECT_EQ(ROLE_SYSTEM_CHECKBUTTON, download.role);
    EXPECT_EQ("Скачать", download.name);
    EXPECT_TRUE(download.state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ("Удалить", del.name);
    EXPECT_FALSE(del.state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(names_[size_t(r)], Parse(tree[at + 4]).name);
  }
  const Heard focus = Parse(tree.back());
  EXPECT_EQ("focus", focus.path);
  EXPECT_EQ(ROLE_SYSTEM_CELL, focus.role);
  EXPECT_EQ("1", focus.name);
  EXPECT_TRUE(focus.state & STATE_SYSTEM_FOCUSED);

  // The arrow key moves the focus, and the selection with the row.
  SendMessageW(Grid(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(Grid(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ((std::vector<Event>{{EVENT_OBJECT_FOCUS, A::CellId(kNumColumn, 1)},
                                {EVENT_OBJECT_SELECTION, 3},
                                {EVENT_OBJECT_FOCUS, A::CellId(kDownLoadColumn, 1)}}),
            TakeEvents());

  // Row 2's delete box (child 4 of the table, child 3 of the row) through its default action.
  EXPECT_EQ(std::vector<std::string>{"action 0"}, Read(L"action 4 3"));
  p_.Pump(50);
  EXPECT_TRUE(p_.Form1().GridView1.CellAt(kDeleteColumn, 2).AsBoolean());
  EXPECT_EQ((std::vector<Event>{{EVENT_OBJECT_STATECHANGE, A::CellId(kDeleteColumn, 2)}}),
            TakeEvents());
  const std::vector<std::string> after = Read(L"tree");
  ASSERT_EQ(tree.size(), after.size());
  EXPECT_TRUE(Parse(after[7 + 6 * 2 + 3]).state & STATE_SYSTEM_CHECKED) << after[7 + 6 * 2 + 3];

  BoxCloser closer;
  p_.Click(p_.Form1().BitBtn2);  // "Скачать фотографии"
  closer.Stop();
  EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/" + names_[2]).has_value());
  EXPECT_TRUE(p_.Phone().FileBytes("a/mobile/picture/" + names_[1]).has_value());
  EXPECT_EQ((std::vector<std::string>{names_[0], names_[1], names_[3]}), p_.GridNames());
  const std::vector<Event> run = TakeEvents();
  ASSERT_FALSE(run.empty());
  EXPECT_EQ((Event{EVENT_OBJECT_REORDER, CHILDID_SELF}), run.back());
}

TEST_F(ScreenReader, RowLocationIsWhereTheRowIsPainted) {
  SendMessageW(Grid(), WM_KEYDOWN, VK_DOWN, 0);  // row 1 current: framed by the focus mark
  RedrawWindow(Grid(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  p_.Pump(50);
  const std::vector<std::string> heard = Read(L"location 3");
  ASSERT_EQ(1u, heard.size());
  long x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(4, std::sscanf(heard[0].c_str(), "location %ld %ld %ld %ld", &x, &y, &w, &h));
  POINT origin{0, 0};
  ClientToScreen(Grid(), &origin);
  const TGridView& grid = p_.Form1().GridView1;
  EXPECT_EQ(origin.x, x);
  EXPECT_EQ(origin.y + grid.RowTop(1), y);
  EXPECT_EQ(grid.IndicatorWidthNow() + grid.TotalColumnsWidth(), w);
  const int dpi = SystemDpi();
  EXPECT_EQ((16 * dpi + 48) / 96, h) << "a row of 16 pixels at " << dpi << " dots per inch";

  // The focus mark's frame runs along the row's first and last pixel lines, and not outside.
  const Capture c = CaptureClient(Grid());
  const std::uint32_t frame = Rgb(GetSysColor(COLOR_HIGHLIGHT));
  const int inside = grid.Columns()[kFileColumn].ColumnLeft + 20, top = int(y - origin.y);
  EXPECT_EQ(frame, c.At(inside, top));
  EXPECT_EQ(frame, c.At(inside, top + int(h) - 1));
  EXPECT_NE(frame, c.At(inside, top - 1));
  EXPECT_NE(frame, c.At(inside, top + int(h) + 1));
}

}  // namespace
}  // namespace zv::e2e
