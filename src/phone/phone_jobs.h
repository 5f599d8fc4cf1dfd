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
// A job looks at job.Stopped() before each call and ends early when the window asked it to stop;
// the call in progress is never cut short. Which job runs next, what Stop reaches and what
// closing does are decided here alone (the rules: job_schedule.h). PhoneWorker is the real
// thread; SteppedPhoneJobs (stepped_phone_jobs.h) runs the same jobs on the caller's thread, one
// step at a time, for tests of the form's logic.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "phone/guarded_phone.h"
#include "phone/job_schedule.h"
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
  using Job = JobSchedule::Job;
  // After the job and everything it handed to the window; the error the job ended with, if any.
  using Done = JobSchedule::Done;
  using Clock = std::chrono::steady_clock;

  virtual ~PhoneJobs() = default;
  // Starts a job the user asked for. It runs at once, or after the window's poll in progress;
  // false, and nothing started, while another user job is open (its Done not yet run) and after
  // Shutdown. Window thread, as are all calls here.
  virtual bool Start(Job job, Done done) = 0;
  // Starts work of the window's own (start-up, a status poll); false while a user job or another
  // poll is open, and after Shutdown. The user's Stop does not reach it.
  virtual bool StartPoll(Job job, Done done) = 0;
  // Work of the lowest priority (e.g. reading the heads of photos for thumbnails). Background jobs
  // wait in a queue of their own, any number of them, run one at a time in the order given, and
  // only while no other job runs or waits. When a user job is started while a background job
  // runs, that background job is stopped after the call in progress (its JobContext::Stopped()
  // turns true) and the user job runs next; a poll instead waits for the background job to end
  // (a poll comes every second, and would otherwise cut every read longer than that). Either
  // runs before the background jobs that wait, which resume when the phone is free. Done runs
  // on the window thread as for any job. False, and nothing queued, after Shutdown.
  virtual bool StartBackground(Job job, Done done) = 0;
  // Drops the background jobs that wait (their Done is not called); the one running is stopped
  // after its call.
  virtual void DropBackground() = 0;
  // A user job or a poll started and its Done not yet run (background work does not count).
  virtual bool Busy() const = 0;
  // Stops the user job after the phone call in progress; one still waiting makes no call.
  virtual void Stop() = 0;
  // How long the phone call in progress has been waiting for the library; zero when none is.
  virtual std::chrono::milliseconds CallInProgressFor() const = 0;
  // The bytes the call in progress moves (a read's size); zero for other calls or none.
  virtual int CallInProgressBytes() const { return 0; }
};

// How the phone thread waits for work between jobs. The default waits on a condition variable;
// on Windows the thread must also run its own messages meanwhile (a phone library may make a
// hidden window on the thread that initialised it), which win32/phone_thread_idle.h does.
class ThreadIdle {
 public:
  virtual ~ThreadIdle() = default;
  // Phone thread: returns once Wake was called after the last return (at once when it was).
  virtual void Wait() = 0;
  // Any thread.
  virtual void Wake() = 0;
};
std::unique_ptr<ThreadIdle> MakeConditionIdle();

// The phone thread. Results go back through the window queue.
class PhoneWorker : public PhoneJobs {
 public:
  PhoneWorker(PhoneApi& phone, WindowQueue& window,
              std::function<Clock::time_point()> now = Clock::now,
              std::unique_ptr<ThreadIdle> idle = nullptr);
  // Ends the thread, waiting for the call in progress, unless Shutdown was called: a thread that
  // Shutdown left behind is then let go (it hands nothing to the window any more, and ends
  // whenever its call returns; the phone library must stay loaded under it).
  ~PhoneWorker() override;
  PhoneWorker(const PhoneWorker&) = delete;
  PhoneWorker& operator=(const PhoneWorker&) = delete;

  bool Start(Job job, Done done) override;
  bool StartPoll(Job job, Done done) override;
  bool StartBackground(Job job, Done done) override;
  void DropBackground() override;
  bool Busy() const override;
  void Stop() override;
  std::chrono::milliseconds CallInProgressFor() const override;
  int CallInProgressBytes() const override;

  // Stops every job, refuses new ones, and asks the thread to end once the job in progress and
  // the user job or poll that waited (stopped: no phone call) are done; waits at most `wait`.
  // True once the thread has ended, on every call: false when the call in progress has not
  // returned by then (the program must then not unload the phone library, and ends its process
  // at once). The Done of the jobs that ended still reach the window queue.
  bool Shutdown(std::chrono::milliseconds wait);

  // For tests: calls made in all; calls that began while another was in progress or on another
  // thread than the phone thread (both must stay 0).
  int CallsMade() const;
  int CallsOutOfTurn() const;
  // The thread has ended.
  bool ThreadEnded() const;

 private:
  struct State;
  static void Loop(std::shared_ptr<State> state);
  bool Add(JobClass kind, Job job, Done done);

  std::shared_ptr<State> state_;
  bool shutDown_ = false;
};

}  // namespace zv
