// The phone thread under the interleavings that two threads allow: which job runs next, what
// Stop reaches, that a job stopped before it began makes no call, that no phone file is left
// open, that background work gives way after the call in progress, and that Shutdown tells
// the truth about a thread left to a hung call.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "phone/guarded_phone.h"
#include "phone/phone_jobs.h"

namespace zv {
namespace {

using namespace std::chrono_literals;

// A phone that logs its calls and can hold one call, once begun, until the test lets it go.
class ScriptedPhone : public PhoneApi {
 public:
  void Hold(const std::string& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = call;
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_.clear();
    changed_.notify_all();
  }
  // Waits until the held call has begun.
  bool WaitHolding() {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, 10s, [&] { return holding_; });
  }
  std::vector<std::string> Log() {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }
  int createResult = 0;

  int P2K_Init(P2KStatusCallback) override { return Call("P2K_Init"); }
  int P2K_GetStatus() override { return Call("P2K_GetStatus", 1); }
  int File_Count() override { return Call("File_Count", 4); }
  int File_List(void*, int) override { return Call("File_List"); }
  int File_Create(const char*, int) override { return Call("File_Create", createResult); }
  int File_Read(void*, int) override { return Call("File_Read"); }
  int File_Write(const void*, int) override { return Call("File_Write"); }
  int File_Close() override { return Call("File_Close"); }
  int File_Delete(const char*) override { return Call("File_Delete"); }

 private:
  int Call(const std::string& name, int result = 0) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (held_ == name) {
      holding_ = true;
      changed_.notify_all();
      changed_.wait(lock, [&] { return held_ != name; });
      holding_ = false;
    }
    log_.push_back(name);
    return result;
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string held_;
  bool holding_ = false;
  std::vector<std::string> log_;
};

class Worker : public ::testing::Test {
 protected:
  ~Worker() override {
    phone.Release();
    worker.Shutdown(10s);
  }
  // The window thread's loop, until `done` holds.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      queue.WaitForTask(2ms);
      while (auto task = queue.Take()) (*task)();
    }
    return true;
  }
  ScriptedPhone phone;
  WindowQueue queue;
  PhoneWorker worker{phone, queue};
};

// Who may start while what is open: one user job may wait behind one poll; nothing doubles up;
// nothing starts after Shutdown.
TEST_F(Worker, StartsAreAdmittedByTheRules) {
  struct Case {
    const char* what;
    bool pollOpen, userOpen;
    bool userAdmitted, pollAdmitted;
  } cases[] = {
      {"nothing open", false, false, true, true},
      {"a poll in progress", true, false, true, false},
      {"a user job in progress", false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WindowQueue q;
    PhoneWorker w(phone, q);
    phone.Hold("P2K_GetStatus");
    const PhoneJobs::Job status = [](JobContext& j) { j.phone.P2K_GetStatus(); };
    if (c.pollOpen) {
      ASSERT_TRUE(w.StartPoll(status, {}));
    }
    if (c.userOpen) {
      ASSERT_TRUE(w.Start(status, {}));
    }
    if (c.pollOpen || c.userOpen) {
      ASSERT_TRUE(phone.WaitHolding());
    }
    EXPECT_EQ(w.Busy(), c.pollOpen || c.userOpen);
    EXPECT_EQ(w.StartPoll([](JobContext&) {}, {}), c.pollAdmitted);
    EXPECT_EQ(w.Start([](JobContext&) {}, {}), c.userAdmitted);  // behind a poll, if one is open
    EXPECT_FALSE(w.Start([](JobContext&) {}, {}));
    phone.Release();
    EXPECT_TRUE(w.Shutdown(10s));
    EXPECT_FALSE(w.Start([](JobContext&) {}, {}));
    EXPECT_FALSE(w.StartPoll([](JobContext&) {}, {}));
    EXPECT_FALSE(w.StartBackground([](JobContext&) {}, {}));
  }
}

// A job stopped while it waited behind a poll, or left waiting as the thread is shut down, makes
// no phone call, even one that forgets to look at the stop; its Done still runs on the window.
TEST_F(Worker, AJobStoppedBeforeItBeginsMakesNoCall) {
  for (bool byShutdown : {false, true}) {
    SCOPED_TRACE(byShutdown ? "shutdown" : "stop");
    WindowQueue q;
    PhoneWorker w(phone, q);
    phone.Hold("P2K_GetStatus");
    ASSERT_TRUE(w.StartPoll([](JobContext& j) { j.phone.P2K_GetStatus(); }, {}));
    ASSERT_TRUE(phone.WaitHolding());
    const int callsBefore = w.CallsMade();
    bool sawStop = false, done = false;
    std::exception_ptr error;
    ASSERT_TRUE(w.Start(
        [&](JobContext& j) {
          sawStop = j.Stopped();
          j.phone.File_Delete("/a/mobile/picture/01-01-08_1.jpg");  // no look at the stop
        },
        [&](std::exception_ptr e) {
          done = true;
          error = e;
        }));
    if (byShutdown) {
      EXPECT_FALSE(w.Shutdown(0ms));  // the poll's call is still in progress
      phone.Release();
      EXPECT_TRUE(w.Shutdown(10s));
    } else {
      w.Stop();
      phone.Release();
    }
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done && std::chrono::steady_clock::now() < end) {
      q.WaitForTask(2ms);
      while (auto task = q.Take()) (*task)();
    }
    EXPECT_TRUE(done);
    EXPECT_TRUE(sawStop);
    EXPECT_EQ(w.CallsMade(), callsBefore);  // the poll's held call was counted as it began
    const std::vector<std::string> log = phone.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "File_Delete"), 0);
    bool refused = false;
    try {
      if (error) std::rethrow_exception(error);
    } catch (const JobStoppedError&) {
      refused = true;
    }
    EXPECT_TRUE(refused);
    if (!byShutdown) {
      EXPECT_TRUE(w.Shutdown(10s));
    }
  }
}

// The priority rule: a user job started during background work begins after at most the call
// in progress; the background job that gave way ends stopped, and the ones that wait go on
// afterwards, in order. A poll does not cut the background job short (polls come every second,
// and would cut every longer read again and again): it runs once that job has ended, before the
// ones that wait. Busy() counts the poll and the user job, never background work.
TEST_F(Worker, AUserJobStartedDuringBackgroundWorkBeginsAfterTheCallInProgress) {
  for (JobClass kind : {JobClass::kUser, JobClass::kPoll}) {
    const bool user = kind == JobClass::kUser;
    SCOPED_TRACE(user ? "user job" : "poll");
    WindowQueue q;
    PhoneWorker w(phone, q);
    std::vector<std::string> order;
    bool firstStopped = false;
    phone.Hold("File_Read");
    // Three reads unless stopped: the user job gets in after the first, the poll after all three.
    ASSERT_TRUE(w.StartBackground(
        [&](JobContext& j) {
          for (int i = 0; i < 3 && !j.Stopped(); ++i) j.phone.File_Read(nullptr, 0);
          firstStopped = j.Stopped();
        },
        [&](std::exception_ptr) { order.push_back("background 1"); }));
    ASSERT_TRUE(w.StartBackground([](JobContext& j) { j.phone.File_Write(nullptr, 0); },
                                  [&](std::exception_ptr) { order.push_back("background 2"); }));
    ASSERT_TRUE(phone.WaitHolding());
    EXPECT_FALSE(w.Busy());
    const size_t before = phone.Log().size();
    PhoneJobs::Job job = [](JobContext& j) { j.phone.File_Count(); };
    PhoneJobs::Done done = [&](std::exception_ptr) { order.push_back("other"); };
    ASSERT_TRUE(user ? w.Start(job, done) : w.StartPoll(job, done));
    EXPECT_TRUE(w.Busy());
    phone.Release();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (order.size() < 3 && std::chrono::steady_clock::now() < end) {
      q.WaitForTask(2ms);
      while (auto task = q.Take()) (*task)();
    }
    EXPECT_EQ(firstStopped, user);
    const std::vector<std::string> log = phone.Log();
    const size_t reads = user ? 1 : 3;  // the call in progress, or the whole job
    ASSERT_GE(log.size(), before + reads + 1);
    for (size_t i = 0; i < reads; ++i) EXPECT_EQ(log[before + i], "File_Read");
    EXPECT_EQ(log[before + reads], "File_Count");
    EXPECT_EQ(order, (std::vector<std::string>{"background 1", "other", "background 2"}));
    EXPECT_EQ(log.back(), "File_Write");
    EXPECT_TRUE(w.Shutdown(10s));
  }
}

// DropBackground: the waiting ones go without their Done, the running one stops after its call;
// a user job then has the phone.
TEST_F(Worker, DroppedBackgroundJobsNeitherRunNorFinish) {
  std::vector<std::string> order;
  phone.Hold("File_Read");
  ASSERT_TRUE(worker.StartBackground(
      [](JobContext& j) {
        while (!j.Stopped()) j.phone.File_Read(nullptr, 0);
      },
      [&](std::exception_ptr) { order.push_back("running"); }));
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(worker.StartBackground([](JobContext& j) { j.phone.File_Write(nullptr, 0); },
                                       [&](std::exception_ptr) { order.push_back("waiting"); }));
  ASSERT_TRUE(phone.WaitHolding());
  worker.DropBackground();
  phone.Release();
  ASSERT_TRUE(worker.Start([](JobContext& j) { j.phone.File_Count(); },
                           [&](std::exception_ptr) { order.push_back("user"); }));
  ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }));
  EXPECT_EQ(order, (std::vector<std::string>{"running", "user"}));
  const std::vector<std::string> log = phone.Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "File_Write"), 0);
  EXPECT_EQ(std::count(log.begin(), log.end(), "File_Read"), 1);
}

// The phone's one-file-at-a-time model: a file that a stopped read or a failed create left open
// is closed before the next create, and before the job, and the thread, end.
TEST_F(Worker, NoPhoneFileIsLeftOpen) {
  struct Case {
    const char* what;
    int createResult;
    bool stopDuringRead;
    std::vector<std::string> log;
  } cases[] = {
      {"a failed create, then another",
       -1,
       false,
       {"File_Create", "File_Close", "File_Create", "File_Close"}},
      {"a read stopped in progress", 0, true, {"File_Create", "File_Read", "File_Close"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedPhone p;
    p.createResult = c.createResult;
    WindowQueue q;
    PhoneWorker w(p, q);
    bool done = false;
    if (c.stopDuringRead) p.Hold("File_Read");
    ASSERT_TRUE(w.Start(
        [](JobContext& j) {
          // As the run does: a failed create skips the photo, a stop ends the job at once.
          if (j.phone.File_Create("/a/1.jpg", 0) < 0) {
            j.phone.File_Create("/a/2.jpg", 0);
            return;  // the second one left open as well
          }
          j.phone.File_Read(nullptr, 10);
          if (j.Stopped()) return;
          j.phone.File_Close();
        },
        [&](std::exception_ptr) { done = true; }));
    if (c.stopDuringRead) {
      ASSERT_TRUE(p.WaitHolding());
      w.Stop();
      p.Release();
    }
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done && std::chrono::steady_clock::now() < end) {
      q.WaitForTask(2ms);
      while (auto task = q.Take()) (*task)();
    }
    EXPECT_TRUE(done);
    EXPECT_TRUE(w.Shutdown(10s));
    EXPECT_EQ(p.Log(), c.log);
  }
}

// A thread left to a hung call is never reported as ended, however often Shutdown is asked;
// once the call returns, it is.
TEST_F(Worker, ShutdownTellsTheTruthEveryTime) {
  phone.Hold("File_Read");
  ASSERT_TRUE(worker.Start([](JobContext& j) { j.phone.File_Read(nullptr, 10); }, {}));
  ASSERT_TRUE(phone.WaitHolding());
  EXPECT_FALSE(worker.Shutdown(20ms));
  EXPECT_FALSE(worker.Shutdown(20ms));
  EXPECT_FALSE(worker.ThreadEnded());
  phone.Release();
  EXPECT_TRUE(worker.Shutdown(10s));
  EXPECT_TRUE(worker.ThreadEnded());
  EXPECT_TRUE(worker.Shutdown(0ms));
}

// The call in progress is timed with its size, and nothing is "in progress" after a call that
// threw.
TEST(GuardedPhoneTest, ACallThatThrowsLeavesNoCallInProgress) {
  struct ThrowingPhone : ScriptedPhone {
    int File_Read(void*, int) override { throw std::runtime_error("driver fault"); }
  } phone;
  std::int64_t nowMs = 1;
  GuardedPhone guarded(phone, [&] {
    return std::chrono::steady_clock::time_point(std::chrono::milliseconds(nowMs));
  });
  guarded.SetThread(std::this_thread::get_id());
  EXPECT_THROW(guarded.File_Read(nullptr, 500), std::runtime_error);
  nowMs += 60'000;
  EXPECT_EQ(guarded.InProgressFor(), 0ms);
  EXPECT_EQ(guarded.InProgressBytes(), 0);
  EXPECT_EQ(guarded.outOfTurn(), 0);
  EXPECT_EQ(guarded.File_Count(), 4);  // the next call is not taken for an overlapping one
  EXPECT_EQ(guarded.outOfTurn(), 0);
}

}  // namespace
}  // namespace zv
