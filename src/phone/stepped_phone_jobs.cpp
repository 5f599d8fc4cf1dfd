// The phone jobs layer stepped by tests (see stepped_phone_jobs.h).
#include "phone/stepped_phone_jobs.h"

#include <thread>
#include <utility>

namespace zv {

SteppedPhoneJobs::SteppedPhoneJobs(PhoneApi& phone, bool autoRun)
    : guarded_(phone, [this] { return now; }), autoRun_(autoRun) {
  guarded_.SetThread(std::this_thread::get_id());
}

bool SteppedPhoneJobs::Add(JobClass kind, Job job, Done done) {
  Done closing = [this, kind, done = std::move(done)](std::exception_ptr error) {
    schedule_.Closed(kind);
    if (done) done(error);
  };
  if (!schedule_.Add(kind, std::move(job), std::move(closing))) return false;
  if (autoRun_ && !running_) RunAll();
  return true;
}

bool SteppedPhoneJobs::Start(Job job, Done done) {
  return Add(JobClass::kUser, std::move(job), std::move(done));
}
bool SteppedPhoneJobs::StartPoll(Job job, Done done) {
  return Add(JobClass::kPoll, std::move(job), std::move(done));
}
bool SteppedPhoneJobs::StartBackground(Job job, Done done) {
  return Add(JobClass::kBackground, std::move(job), std::move(done));
}

bool SteppedPhoneJobs::RunJob() {
  std::optional<JobSchedule::Entry> entry = schedule_.TakeNext();
  if (!entry) return false;
  JobContext context{guarded_, *entry->stop,
                     [this](WindowQueue::Task task) { window_.push_back(std::move(task)); }};
  std::exception_ptr error;
  guarded_.Refuse(entry->stoppedBeforeStart);
  try {
    entry->job(context);
  } catch (...) {
    error = std::current_exception();
  }
  guarded_.Refuse(false);
  guarded_.CloseLeftOpen();
  if (entry->done) window_.push_back([done = std::move(entry->done), error] { done(error); });
  schedule_.Finished();
  return true;
}

std::optional<WindowQueue::Task> SteppedPhoneJobs::TakeWindowTask() {
  if (window_.empty()) return std::nullopt;
  WindowQueue::Task task = std::move(window_.front());
  window_.pop_front();
  return task;
}

bool SteppedPhoneJobs::RunWindowTask() {
  std::optional<WindowQueue::Task> task = TakeWindowTask();
  if (task) (*task)();
  return task.has_value();
}

void SteppedPhoneJobs::RunAll() {
  // An error a task ends with goes on to the caller; what is left waits for the next step.
  struct Running {
    bool& on;
    bool outer = !on;
    ~Running() {
      if (outer) on = false;
    }
  } running{running_};
  running_ = true;
  while (RunWindowTask() || RunJob()) {
  }
}

}  // namespace zv
