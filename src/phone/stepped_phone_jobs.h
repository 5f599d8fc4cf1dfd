#pragma once
// The phone jobs layer without a thread, for tests of the window's logic: the jobs follow the
// same rules as on the phone thread (job_schedule.h, guarded_phone.h), but nothing happens until
// the test says so, one step at a time:
//
//   SteppedPhoneJobs jobs(phone);
//   form.BitBtn1Click(...);       // the listing is started: nothing has run yet
//   jobs.RunJob();                // the phone thread's part, whole; what it hands to the window
//                                 // and its Done wait
//   jobs.RunWindowTask();         // the window takes the first of them
//   jobs.RunAll();                // or everything, in order, until nothing waits
//
// A test that needs an event in the middle of a job makes its phone run it during a call (the
// call is then the one in progress). With autoRun, every Start runs everything to its end
// before it returns (forms built for tests that do not step).
#include <chrono>
#include <deque>
#include <optional>

#include "phone/phone_jobs.h"

namespace zv {

class SteppedPhoneJobs : public PhoneJobs {
 public:
  explicit SteppedPhoneJobs(PhoneApi& phone, bool autoRun = false);

  bool Start(Job job, Done done) override;
  bool StartPoll(Job job, Done done) override;
  bool StartBackground(Job job, Done done) override;
  void DropBackground() override { schedule_.DropBackground(); }
  bool Busy() const override { return schedule_.Busy(); }
  void Stop() override { schedule_.StopUser(); }
  std::chrono::milliseconds CallInProgressFor() const override { return guarded_.InProgressFor(); }
  int CallInProgressBytes() const override { return guarded_.InProgressBytes(); }
  // Refuses every job from now on; the ones that wait end stopped (as PhoneWorker::Shutdown).
  void Shutdown() { schedule_.Shut(); }

  // Runs the next job as the phone thread would; false when none can run.
  bool RunJob();
  // Runs the oldest task handed to the window (the jobs' own tasks and their Done); false when
  // none waits.
  bool RunWindowTask();
  // The same task, for a caller that runs it itself (as an event, through the error handler).
  std::optional<WindowQueue::Task> TakeWindowTask();
  // Window tasks first, then the next job, until nothing waits.
  void RunAll();
  int WindowTasks() const { return static_cast<int>(window_.size()); }
  bool JobWaiting() const { return schedule_.Waiting(); }
  int CallsMade() const { return guarded_.calls(); }
  // The clock the calls are timed by (tests move it on during a call).
  std::chrono::steady_clock::time_point now{std::chrono::milliseconds(1)};

 private:
  bool Add(JobClass kind, Job job, Done done);

  GuardedPhone guarded_;
  JobSchedule schedule_;
  std::deque<WindowQueue::Task> window_;
  bool autoRun_;
  bool running_ = false;  // inside RunAll: a Start from a task adds to what it runs
};

}  // namespace zv
