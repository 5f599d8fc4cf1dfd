// The phone jobs' order and admission (see job_schedule.h).
#include "phone/job_schedule.h"

#include <utility>

namespace zv {

bool JobSchedule::Add(JobClass kind, Job job, Done done) {
  if (shut_) return false;
  Entry entry{kind, std::move(job), std::move(done), std::make_shared<std::atomic<bool>>(false)};
  switch (kind) {
    case JobClass::kUser:
      // One user job at a time; it may wait behind a poll, never behind another user job.
      if (userOpen_) return false;
      userOpen_ = true;
      user_ = std::move(entry);
      StopRunningBackground();
      return true;
    case JobClass::kPoll:
      // The window's own polls never queue up, nor run beside the user's work.
      if (userOpen_ || pollOpen_) return false;
      pollOpen_ = true;
      poll_ = std::move(entry);
      // A poll does not stop the background job in progress: it comes once a second, and a head
      // read over a slow link may take longer than that, so stopping it for every poll would
      // start that read again and again, for ever. The poll waits for the job (a few calls,
      // bounded), then runs before the background jobs that wait.
      return true;
    case JobClass::kBackground:
      background_.push_back(std::move(entry));
      return true;
  }
  return false;
}

std::optional<JobSchedule::Entry> JobSchedule::TakeNext() {
  if (running_) return std::nullopt;
  std::optional<Entry> next;
  // The user's job first: a poll that waits beside it can wait for it.
  if (user_)
    next.swap(user_);
  else if (poll_)
    next.swap(poll_);
  else if (!background_.empty()) {
    next = std::move(background_.front());
    background_.pop_front();
  } else {
    return std::nullopt;
  }
  next->stoppedBeforeStart = next->stop->load();
  running_ = next->kind;
  runningStop_ = next->stop;
  return next;
}

void JobSchedule::Finished() {
  running_.reset();
  runningStop_.reset();
}

void JobSchedule::Closed(JobClass kind) {
  if (kind == JobClass::kUser) userOpen_ = false;
  if (kind == JobClass::kPoll) pollOpen_ = false;
}

void JobSchedule::StopUser() {
  if (user_) user_->stop->store(true);
  if (running_ == JobClass::kUser) runningStop_->store(true);
}

void JobSchedule::StopRunningBackground() {
  if (running_ == JobClass::kBackground) runningStop_->store(true);
}

void JobSchedule::DropBackground() {
  background_.clear();
  StopRunningBackground();
}

void JobSchedule::Shut() {
  shut_ = true;
  background_.clear();
  if (user_) user_->stop->store(true);
  if (poll_) poll_->stop->store(true);
  if (runningStop_) runningStop_->store(true);
}

}  // namespace zv
