#pragma once
// Phone work off the window thread.
//
// A phone call may take seconds (a photo over the phone's slow link) or never return (a driver
// that hangs). The window must answer meanwhile, so every call into the phone library runs on
// one phone thread, one call at a time, and the window thread only hands work over and takes the
// results back:
//
//   jobs.Start([](JobContext& job) {              // on the phone thread
//                 int n = job.phone.File_Count();
//                 job.toWindow([n] { ... });       // runs later on the window thread
//               },
//               [](std::exception_ptr error) { ... });  // on the window thread, after the job
//
// A job looks at job.Stopped() after each call and ends early when the window asked it to stop;
// the call in progress is never cut short. PhoneWorker is the real thread; InlinePhoneJobs runs
// the same jobs at once on the caller's thread (the form's logic in tests that need no thread).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "phone/phone_api.h"

namespace zv {

// Work handed to the window thread from any thread, run there in the order given. The platform's
// wake makes the window look (a posted message); headless, tests take the tasks themselves.
class WindowQueue {
 public:
  using Task = std::function<void()>;

  // Called (on the posting thread) whenever a task arrives while none waited.
  void SetWake(std::function<void()> wake);
  void Post(Task task);
  // The next task, oldest first; none when the queue is empty. Window thread.
  std::optional<Task> Take();
  // Blocks until a task waits or the time is up; true when one waits (tests).
  bool WaitForTask(std::chrono::milliseconds timeout);
  // Drops every task that waits (the program is ending).
  void Discard();

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<Task> tasks_;
  std::function<void()> wake_;
};

// What a job has while it runs on the phone thread.
struct JobContext {
  PhoneApi& phone;
  // The window thread asked the job to stop: it makes no further phone call.
  const std::atomic<bool>& stop;
  // Runs a task on the window thread, after what the job handed over before.
  std::function<void(WindowQueue::Task)> toWindow;
  bool Stopped() const { return stop.load(); }
};

class PhoneJobs {
 public:
  using Job = std::function<void(JobContext&)>;
  // After the job and everything it handed to the window; the error the job ended with, if any.
  using Done = std::function<void(std::exception_ptr error)>;
  using Clock = std::chrono::steady_clock;

  virtual ~PhoneJobs() = default;
  // Starts a job; false, and nothing started, while another one is busy. Window thread.
  virtual bool Start(Job job, Done done) = 0;
  // A job started and its Done not yet run. Window thread.
  virtual bool Busy() const = 0;
  // Asks the running job to stop after the phone call in progress.
  virtual void Stop() = 0;
  // How long the phone call in progress has been waiting for the library; zero when none is.
  virtual std::chrono::milliseconds CallInProgressFor() const = 0;
};

// Every job runs to its end inside Start, on the caller's thread.
class InlinePhoneJobs : public PhoneJobs {
 public:
  explicit InlinePhoneJobs(PhoneApi& phone) : phone_(phone) {}
  bool Start(Job job, Done done) override;
  bool Busy() const override { return busy_; }
  void Stop() override { stop_ = true; }
  std::chrono::milliseconds CallInProgressFor() const override { return {}; }

 private:
  PhoneApi& phone_;
  bool busy_ = false;
  std::atomic<bool> stop_{false};
};

// The phone thread. Results go back through the window queue.
class PhoneWorker : public PhoneJobs {
 public:
  PhoneWorker(PhoneApi& phone, WindowQueue& window,
              std::function<Clock::time_point()> now = Clock::now);
  // Ends the thread, waiting for the call in progress (Shutdown first where that may hang).
  ~PhoneWorker() override;
  PhoneWorker(const PhoneWorker&) = delete;
  PhoneWorker& operator=(const PhoneWorker&) = delete;

  bool Start(Job job, Done done) override;
  bool Busy() const override { return busy_; }
  void Stop() override;
  std::chrono::milliseconds CallInProgressFor() const override;

  // Asks the job to stop and the thread to end, and waits at most `wait` for it. False when the
  // call in progress has not returned by then: the thread is left behind (it hands nothing to
  // the window any more, and ends whenever the call returns), and the phone library must not be
  // unloaded under it: the program then ends its process at once.
  bool Shutdown(std::chrono::milliseconds wait);

  // For tests: calls made in all; calls that began while another was in progress or on another
  // thread than the phone thread (both must stay 0).
  int CallsMade() const;
  int CallsOutOfTurn() const;
  // The thread has ended (after Shutdown; also once a thread left behind is let go).
  bool ThreadEnded() const;

 private:
  struct State;
  class GuardedPhone;
  static void Loop(std::shared_ptr<State> state);

  std::shared_ptr<State> state_;
  bool busy_ = false;
  bool ended_ = false;
};

}  // namespace zv
