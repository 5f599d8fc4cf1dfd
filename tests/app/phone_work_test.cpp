// The main window with its phone work on a real phone thread, against the simulated phone slowed
// down: the window side never waits; Stop, Esc and closing end a run after the phone call in
// progress and lose nothing; a phone that goes ends the run with one message; a phone call that
// never returns leaves the window alive and closable; the monitor never calls the phone while a
// job's call is in progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/download_run.h"
#include "archive/run_progress.h"
#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "phone/phone_jobs.h"
#include "testing/sim_phone.h"
#include "ui/lang/texts.h"

namespace zv {
namespace {

using namespace std::chrono_literals;

// The summary as the user reads it, under another first line.
std::string Summary(const std::string& firstLine, const std::string& root, int copied, int deleted) {
  return firstLine + "\r\rПуть сохранения: " + root + "\\\rСкачано фотографий: " +
         std::to_string(copied) + "\rУдалено фотографий: " + std::to_string(deleted);
}
const char kPhoneGone[] =
    "Телефон отключился, скачивание прервано. Остальные фотографии остались на телефоне.";

const char* const kNames[] = {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg",
                              "04-02-08_4.jpg"};

// A phone whose calls of one name wait, once begun, until the test lets them go: a driver that
// hangs in that call.
class HeldPhone : public PhoneApi {
 public:
  explicit HeldPhone(PhoneApi& phone) : phone_(phone) {}
  void Hold(std::string call) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = std::move(call);
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_.clear();
    changed_.notify_all();
  }
  bool Holding() const { return holding_; }

  int P2K_Init(P2KStatusCallback cb) override { return phone_.P2K_Init(cb); }
  int P2K_GetStatus() override { return Wait("P2K_GetStatus"), phone_.P2K_GetStatus(); }
  int File_Count() override { return Wait("File_Count"), phone_.File_Count(); }
  int File_List(void* e, int n) override { return Wait("File_List"), phone_.File_List(e, n); }
  int File_Create(const char* p, int m) override {
    return Wait("File_Create"), phone_.File_Create(p, m);
  }
  int File_Read(void* b, int n) override { return Wait("File_Read"), phone_.File_Read(b, n); }
  int File_Write(const void* b, int n) override { return phone_.File_Write(b, n); }
  int File_Close() override { return phone_.File_Close(); }
  int File_Delete(const char* p) override { return phone_.File_Delete(p); }

 private:
  void Wait(const char* call) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (held_ != call) return;
    holding_ = true;
    changed_.wait(lock, [&] { return held_ != call; });
    holding_ = false;
  }
  PhoneApi& phone_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string held_;
  std::atomic<bool> holding_{false};
};

class PhoneWork : public ::testing::Test {
 protected:
  PhoneWork() {
    for (const char* name : kNames)
      phone.AddFile(std::string("/a/mobile/picture/") + name, std::string(1000, name[1]));
    fx.Create();
    EXPECT_TRUE(PumpUntil([&] { return !worker.Busy(); }));
    // The monitor's first tick takes the phone up; its profile file is not there.
    EXPECT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
    EXPECT_TRUE(PumpUntil([&] { return f.PhoneConnected && !worker.Busy(); }));
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
    ListAll();
  }
  ~PhoneWork() override {
    held.Release();
    worker.Shutdown(10s);
    // A thread left to a hung call ends once it is let go, before the phone goes.
    while (!worker.ThreadEnded()) std::this_thread::sleep_for(1ms);
  }
  // The phone as it was at first, and no archive.
  void Restore() {
    phone.ClearFaults();
    for (const char* name : kNames)
      phone.AddFile(std::string("/a/mobile/picture/") + name, std::string(1000, name[1]));
    std::filesystem::remove_all(fx.Temp.Path() / "Phone1");
    ListAll();
    phone.ClearLog();
  }

  // The window thread's loop: runs what the phone thread hands over until `done` holds.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      queue.WaitForTask(5ms);
      while (auto task = queue.Take()) fx.Dispatch(*task);
    }
    return true;
  }
  bool Idle() { return PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }); }
  void ListAll() {
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(f.GridView1.RowCount(), 4);
  }
  void TickAllDeleteBoxes() {
    for (int row = 0; row < f.GridView1.RowCount(); ++row)
      f.GridView1.CellAt(kDeleteColumn, row).SetAsBoolean(true);
  }
  int Count(const std::string& call) {
    const std::vector<std::string> calls = phone.Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  // The photo's file in the archive.
  std::filesystem::path Archived(const std::string& name) {
    const std::string rel = "Phone1/Февраль 2008/0" + std::string(1, name[1]) + " февраля/" + name;
    return fx.Temp.Path() / std::filesystem::path(std::u8string(rel.begin(), rel.end()));
  }
  // Every photo is still on the phone, or whole in the archive; no scratch file is left.
  void ExpectNothingLost() {
    for (const char* name : kNames) {
      const bool onPhone = phone.FileBytes(std::string("a/mobile/picture/") + name).has_value();
      std::error_code ec;
      const bool archived = std::filesystem::file_size(Archived(name), ec) == 1000;
      EXPECT_TRUE(onPhone || archived) << name;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(fx.Temp.Path()))
      EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  }

  SimPhone phone;
  HeldPhone held{phone.Api()};
  std::atomic<std::int64_t> clockMs{1};
  WindowQueue queue;
  PhoneWorker worker{held, queue, [this] {
                       return std::chrono::steady_clock::time_point(
                           std::chrono::milliseconds(clockMs.load()));
                     }};
  FormFixture fx{held, &worker};
  TForm1& f = *fx.Form1;
};

// Stop (the button, or Esc) at three moments: the run ends when the call in progress returns,
// with no call after it; the photo being read is neither written nor deleted; what was done
// stays done and is summed up.
TEST_F(PhoneWork, StopEndsTheRunAfterTheCallInProgress) {
  struct Case {
    const char* when;
    int photosDoneFirst;  // whole photos moved before the stop
    bool escape;
  } cases[] = {{"before the first photo", 0, false},
               {"during the second read", 1, true},
               {"during the fourth read", 3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    Restore();
    TickAllDeleteBoxes();
    fx.Boxes.Messages.clear();
    phone.SetFaults("slow 150\n");
    phone.ClearLog();
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    EXPECT_EQ(f.BitBtn2.Caption(), "Остановить");
    EXPECT_FALSE(f.BitBtn1.Enabled());
    if (c.photosDoneFirst > 0) {
      ASSERT_TRUE(PumpUntil([&] {
        return Count("File_Delete") == c.photosDoneFirst && Count("File_Create") > c.photosDoneFirst;
      }));
    }
    ASSERT_TRUE(fx.Dispatch([&] {
      if (c.escape)
        f.OnCancel(&f);
      else
        f.BitBtn2Click(&f.BitBtn2);
    }));
    // Taken once the stop is set (the log has a call once it has returned): every call begun
    // before the stop is in it by now, but for the one in progress.
    const size_t callsAtStop = phone.Calls().size();
    ASSERT_TRUE(Idle());
    // After the call in progress only the close of the file a stopped read left open.
    const std::vector<std::string> calls = phone.Calls();
    std::vector<std::string> after(calls.begin() + static_cast<std::ptrdiff_t>(callsAtStop),
                                   calls.end());
    std::erase(after, std::string("File_Close"));
    EXPECT_LE(after.size(), 1u);
    EXPECT_EQ(Count("File_Delete"), c.photosDoneFirst);
    EXPECT_EQ(f.GridView1.RowCount(), 4 - c.photosDoneFirst);
    ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
    EXPECT_EQ(fx.Boxes.Messages[0], Summary("Скачивание остановлено.", fx.Folder(),
                                            c.photosDoneFirst, c.photosDoneFirst));
    EXPECT_FALSE(std::filesystem::exists(Archived(kNames[c.photosDoneFirst])));
    ExpectNothingLost();
    // The window is whole again.
    EXPECT_EQ(f.BitBtn2.Caption(), "Скачать фотографии");
    EXPECT_TRUE(f.BitBtn1.Enabled());
    EXPECT_TRUE(f.Edit1.Enabled());
  }
  EXPECT_EQ(worker.CallsOutOfTurn(), 0);
}

// Closing in mid-run asks; Yes stops the run and closes once it has ended (no summary), No
// goes on to the end.
TEST_F(PhoneWork, ClosingDuringARunAsksAndStopsOnYes) {
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    f.Show();
    Restore();
    TickAllDeleteBoxes();
    fx.Boxes.Messages.clear();
    fx.Boxes.Questions.clear();
    fx.Boxes.Answer = yes;
    phone.SetFaults("slow 100\n");
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    ASSERT_TRUE(PumpUntil([&] { return Count("File_Delete") >= 1 || !f.Visible(); }));
    ASSERT_TRUE(fx.Dispatch([&] { f.Close(); }));
    EXPECT_EQ(fx.Boxes.Questions, std::vector<std::string>{"Остановить скачивание и закрыть программу?"});
    EXPECT_TRUE(f.Visible());  // not before the call in progress has returned
    ASSERT_TRUE(Idle());
    EXPECT_EQ(f.Visible(), !yes);
    EXPECT_EQ(fx.Boxes.Messages.size(), yes ? 0u : 1u);
    EXPECT_EQ(f.GridView1.RowCount(), yes ? 4 - Count("File_Delete") : 0);
    ExpectNothingLost();
  }
}

// The phone goes in mid-run: one message, the status bar says so, the photos left stay on the
// phone with their rows.
TEST_F(PhoneWork, APhoneThatGoesEndsTheRunWithOneMessage) {
  TickAllDeleteBoxes();
  phone.ClearLog();
  // Create, Read, Close, Delete of the first photo, then the phone is gone.
  phone.ChangeStatusAfter(4, 0);
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
  EXPECT_EQ(fx.Boxes.Messages[0], Summary(kPhoneGone, fx.Folder(), 1, 1));
  EXPECT_EQ(f.StatusBar1.Panels[0].Text(), "Соединение: Телефон отключен");
  EXPECT_FALSE(f.PhoneConnected);
  EXPECT_FALSE(f.BitBtn1.Enabled());
  EXPECT_EQ(f.GridView1.RowCount(), 3);
  EXPECT_EQ(Count("File_Create"), 2);
  ExpectNothingLost();
}

// A call that never returns: the window answers, the status bar says the phone does not answer
// after 30 s of it, and closing ends the program without waiting for the call.
TEST_F(PhoneWork, APhoneCallThatHangsLeavesTheWindowAliveAndClosable) {
  f.Show();
  held.Hold("File_Count");
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  ASSERT_TRUE(PumpUntil([&] { return held.Holding(); }));
  EXPECT_EQ(f.RunningJob(), JobKind::kList);
  clockMs += 29'000;
  ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
  EXPECT_EQ(f.StatusBar1.Panels[0].Text(), "Соединение: Телефон подключен");
  clockMs += 1'000;
  ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
  EXPECT_EQ(f.StatusBar1.Panels[0].Text(), "Соединение: Телефон не отвечает");
  ASSERT_TRUE(fx.Dispatch([&] { f.Close(); }));
  EXPECT_FALSE(f.Visible());
  EXPECT_TRUE(fx.Boxes.Questions.empty());
  // The program's end gives the thread a moment and leaves it to the call.
  EXPECT_FALSE(worker.Shutdown(50ms));
  // The grid still holds the listing from before.
  EXPECT_EQ(f.GridView1.RowCount(), 4);
}

// While a job's call is in progress the monitor's ticks call nothing; once it is done, they do.
TEST_F(PhoneWork, TheMonitorNeverCallsThePhoneDuringAJob) {
  held.Hold("File_Read");
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  ASSERT_TRUE(PumpUntil([&] { return held.Holding(); }));
  phone.ClearLog();
  for (int tick = 0; tick < 3; ++tick) ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
  // The run's boxes and headers are locked meanwhile.
  f.GridView1.ClickHeader(kDeleteColumn);
  EXPECT_FALSE(f.GridView1.CellAt(kDeleteColumn, 0).AsBoolean());
  held.Release();
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Count("P2K_GetStatus"), 0);
  ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
  ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }));
  EXPECT_EQ(Count("P2K_GetStatus"), 2);
  EXPECT_EQ(worker.CallsOutOfTurn(), 0);
}

// Speed and time left, from what the phone delivered and how long it took.
TEST(RunProgressText, SpeedAndTimeLeftFromTheBytesRead) {
  struct Case {
    RunProgress progress;
    const char* text;
  } cases[] = {
      {{1, 150, 0, 0ms, 45'000'000}, "1 из 150"},  // nothing read yet: no estimate
      {{12, 150, 11 * 300 * 1024, 11 * 300 * 1024 * 1000ms / (28 * 1024), 138 * 300 * 1024},
       "12 из 150 · 28 КБ/с · осталось 25 мин"},
      {{2, 3, 500, 1000ms, 1000}, "2 из 3 · 500 Б/с · осталось 2 с"},
      {{2, 3, 3 * 1024 * 1024, 2000ms, 1}, "2 из 3 · 1,5 МБ/с · осталось 1 с"},
      {{5, 900, 4 * 1024, 1000ms, 200 * 1024 * 1024}, "5 из 900 · 4 КБ/с · осталось 14 ч 14 мин"},
      {{3, 3, 1000, 1000ms, 0}, "3 из 3 · 1000 Б/с"},  // nothing left to read
  };
  for (const Case& c : cases) EXPECT_EQ(RunProgressText(c.progress), c.text);
  // The same in English, decimal point and all.
  SetUiLanguage(Language::en);
  EXPECT_EQ(RunProgressText(cases[1].progress), "12 of 150 · 28 KB/s · 25 min left");
  EXPECT_EQ(RunProgressText(cases[3].progress), "2 of 3 · 1.5 MB/s · 1 s left");
  EXPECT_EQ(RunProgressText(cases[4].progress), "5 of 900 · 4 KB/s · 14 h 14 min left");
  SetUiLanguage(Language::ru);
}

}  // namespace
}  // namespace zv
