// The connection monitor on the main window's real windows under Wine, with the simulated phone
// and the platform timer: attaching and detaching read back from the status bar, the edit box and
// the buttons; a Cyrillic profile name typed into the real edit box; and ticks that keep coming
// while the program's message box "Профиль не определен!" is open.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "app/settings/ini_file.h"
#include "app/win32/program.h"
#include "form_fixture.h"
#include "testing/sim_phone.h"
#include "trayicon/fake_notify_area.h"
#include "ui/application.h"
#include "ui/win32/backend.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/win32_file_system.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kConnected[] = "Соединение: Телефон подключен";
constexpr char kDisconnected[] = "Соединение: Телефон отключен";

std::string ProfileFile(const std::string& bytes) {
  std::string out = bytes;
  out.resize(200, '\0');
  return out;
}

HWND HandleOf(const TControl& control) { return static_cast<HWND>(control.Peer()->NativeHandle()); }

// The text of a status bar panel, as the window holds it. Works from any thread of the process.
std::string PanelText(HWND bar, int panel) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, panel, 0, SMTO_NORMAL, 2000, &length))
    return "<no answer>";
  std::wstring text(LOWORD(length) + 1, L'\0');
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                      2000, &ignored);
  text.resize(LOWORD(length));
  return Narrow(text);
}

// The main window as the program builds it, on real windows, with the program's real message
// boxes and the simulated phone (unplugged at start).
class MonitorWindows : public ::testing::Test {
 protected:
  MonitorWindows()
      : settings_(Narrow((temp_.Path() / "Zarvelinthoscope.ini").wstring())),
        backend_(app_, GetModuleHandleW(nullptr)) {
    phone_.SetStatus(0);
    phone_.AddFile("a/GalleryID.txt", ProfileFile("Phone1"));
    phone_.AddFile("a/mobile/picture/05-12-07_0012.jpg", std::string(300, 'x'));
    form_ = std::make_unique<TForm1>(FormServices{phone_.Api(), boxes_, files_, settings_, tray_});
    app_.SetMainForm(*form_);
    RegisterProgramPeers(backend_);  // the grid and the folder box as the program makes them
    ConnectPlatform(*form_);
    backend_.CreateHandle(*form_);
    app_.Dispatch([this] { form_->FormCreate(form_.get()); });
    form_->Show();
    backend_.ProcessMessages();
  }
  ~MonitorWindows() override { form_.reset(); }  // windows and timer go while the backend lives

  // Handles messages until `done` holds or `ms` milliseconds have passed; gives `done`.
  bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      if (Clock::now() > end) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      backend_.ProcessMessages();
    }
    return true;
  }
  void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
  }

  HWND Bar() const { return HandleOf(form_->StatusBar1); }
  std::string Panel(int i) const { return PanelText(Bar(), i); }
  bool ListEnabled() const { return IsWindowEnabled(HandleOf(form_->BitBtn1)) != FALSE; }
  bool DownloadEnabled() const { return IsWindowEnabled(HandleOf(form_->BitBtn2)) != FALSE; }
  std::string ProfileBox() const { return WindowTextUtf8(HandleOf(form_->Edit1)); }

  // Waits for the monitor to take the phone up (or down); a tick comes every second.
  void Attach() {
    phone_.SetStatus(1);
    ASSERT_TRUE(PumpUntil([this] { return Panel(0) == kConnected; }, 5000)) << Panel(0);
  }
  void Detach() {
    phone_.SetStatus(0);
    ASSERT_TRUE(PumpUntil([this] { return Panel(0) == kDisconnected; }, 5000)) << Panel(0);
  }

  SimPhone phone_;
  TempFolder temp_;
  Win32MessageBoxes boxes_{kApplicationTitle};
  Win32FileSystem files_;
  IniFileStore settings_;
  FakeNotifyArea tray_;
  TApplication app_{boxes_};
  Win32Backend backend_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(MonitorWindows, AttachAndDetachShowOnTheWindows) {
  // No phone: two ticks change nothing on the windows.
  Pump(2200);
  EXPECT_EQ(Panel(0), kDisconnected);
  EXPECT_EQ(Panel(1), "Найдено файлов: ---");
  EXPECT_EQ(Panel(2), "Фотографий: ---");
  EXPECT_FALSE(ListEnabled());
  EXPECT_FALSE(DownloadEnabled());
  EXPECT_EQ(ProfileBox(), "");

  const auto attached = Clock::now();
  Attach();
  const auto taken_up =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - attached);
  std::printf("phone taken up %lld ms after the status changed\n",
              static_cast<long long>(taken_up.count()));
  EXPECT_EQ(ProfileBox(), "Phone1");
  EXPECT_TRUE(ListEnabled());
  EXPECT_FALSE(DownloadEnabled());

  // "Список" through its window: the counters and "Скачать фотографии" come from the listing.
  SendMessageW(HandleOf(form_->BitBtn1), BM_CLICK, 0, 0);
  backend_.ProcessMessages();
  EXPECT_EQ(Panel(1), "Найдено файлов: 2");
  EXPECT_EQ(Panel(2), "Фотографий: 1");
  EXPECT_TRUE(DownloadEnabled());

  Detach();
  EXPECT_EQ(Panel(1), "Найдено файлов: ---");
  EXPECT_EQ(Panel(2), "Фотографий: ---");
  EXPECT_FALSE(ListEnabled());
  EXPECT_FALSE(DownloadEnabled());
  EXPECT_EQ(ProfileBox(), "Phone1");
  EXPECT_EQ(form_->GridView1.RowCount(), 1);
}

// Typed into the real edit box, written by "Создать", read back when the phone comes again.
TEST_F(MonitorWindows, CyrillicProfileNameRoundTrip) {
  HWND edit = HandleOf(form_->Edit1);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 200);
  Attach();

  SetWindowTextW(edit, Widen("Профиль Маши").c_str());
  backend_.ProcessMessages();
  SendMessageW(HandleOf(form_->BitBtn3), BM_CLICK, 0, 0);
  backend_.ProcessMessages();
  EXPECT_EQ(phone_.FileBytes("a/GalleryID.txt"),
            ProfileFile("\xCF\xF0\xEE\xF4\xE8\xEB\xFC \xCC\xE0\xF8\xE8"));

  Detach();
  SetWindowTextW(edit, L"unsaved");
  backend_.ProcessMessages();
  Attach();
  EXPECT_EQ(ProfileBox(), "Профиль Маши");
}

// What the helper thread saw while the message box was open.
struct BoxWatch {
  bool box_found = false;
  std::vector<std::string> box_texts;
  bool connected_while_open = false;
  bool list_enabled_while_open = false;
};

BOOL CALLBACK CollectText(HWND child, LPARAM lp) {
  reinterpret_cast<std::vector<std::string>*>(lp)->push_back(WindowTextUtf8(child));
  return TRUE;
}

// The system message box runs its own message loop, which hands the timer's ticks to the form:
// the monitor keeps following the phone behind "Профиль не определен!".
TEST_F(MonitorWindows, TicksRunWhileTheMessageBoxIsOpen) {
  form_->Edit1.SetText("");
  // The third status call from now sees the phone: the second tick inside the box takes it up.
  phone_.ChangeStatusAfter(2, 1);
  phone_.ClearLog();

  BoxWatch watch;
  const HWND bar = Bar();
  const HWND list = HandleOf(form_->BitBtn1);
  std::thread watcher([&watch, bar, list] {
    const auto end = Clock::now() + std::chrono::seconds(10);
    HWND box = nullptr;
    while (!box && Clock::now() < end) {
      box = FindWindowW(L"#32770", Widen(kApplicationTitle).c_str());
      if (!box) Sleep(20);
    }
    if (!box) return;
    watch.box_found = true;
    EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&watch.box_texts));
    while (Clock::now() < end && IsWindow(box)) {
      if (PanelText(bar, 0) == kConnected) {
        watch.connected_while_open = IsWindow(box) != FALSE;
        watch.list_enabled_while_open = IsWindowEnabled(list) != FALSE;
        break;
      }
      Sleep(50);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  SendMessageW(HandleOf(form_->BitBtn3), BM_CLICK, 0, 0);  // returns when the box is closed
  watcher.join();

  ASSERT_TRUE(watch.box_found);
  bool message_shown = false;
  for (const auto& t : watch.box_texts) message_shown |= t == "Профиль не определен!";
  EXPECT_TRUE(message_shown);
  EXPECT_TRUE(watch.connected_while_open);
  EXPECT_TRUE(watch.list_enabled_while_open);
  EXPECT_TRUE(form_->PhoneConnected);
  EXPECT_EQ(form_->Edit1.Text(), "Phone1");  // read by the tick behind the box

  // Ticks and the profile read, but nothing written: the click itself made no phone call.
  const std::vector<std::string> calls = phone_.Calls();
  ASSERT_GE(calls.size(), 7u);
  const std::vector<std::string> first(calls.begin(), calls.begin() + 7);
  EXPECT_EQ(first,
            (std::vector<std::string>{"P2K_GetStatus", "P2K_GetStatus", "P2K_GetStatus",
                                      "P2K_GetStatus", "File_Create", "File_Read", "File_Close"}));
  for (const auto& c : calls) EXPECT_NE(c, "File_Write");
}

}  // namespace
}  // namespace zv
