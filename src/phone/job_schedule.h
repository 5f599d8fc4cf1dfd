#pragma once
// Which phone job runs next: the rules of the phone jobs layer, kept apart from any thread so
// that the phone thread (PhoneWorker) and the stepping fake of the form tests follow the same
// ones. Not thread-safe: PhoneWorker calls it under its lock.
//
// Three classes of work share the one phone:
//   - the user's job (a listing, the run, a preview, the profile file): at most one is open (its
//     Done not yet run); it runs at once, or waits behind the poll in progress;
//   - the window's own poll (start-up, the monitor's tick): at most one is open, and none while
//     a user job is;
//   - background work (lowest priority): any number wait in order; one runs only while no user
//     job or poll runs or waits. A user job stops the one in progress after its call; a poll
//     waits for it to end, and then goes before the background jobs that wait.
// Stop reaches the user job whether it waits or runs. A job whose stop was set before it began
// makes no phone call (the phone thread refuses its calls).
#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace zv {

struct JobContext;

enum class JobClass { kUser, kPoll, kBackground };

class JobSchedule {
 public:
  using Job = std::function<void(JobContext&)>;
  using Done = std::function<void(std::exception_ptr error)>;
  using StopFlag = std::shared_ptr<std::atomic<bool>>;

  struct Entry {
    JobClass kind;
    Job job;
    Done done;
    StopFlag stop;
    bool stoppedBeforeStart = false;  // set when it is taken: it makes no phone call
  };

  // Queues a job; false, and nothing queued, when the rules refuse it (see above) or after Shut.
  // A user job stops the background job that runs (a poll waits for it).
  bool Add(JobClass kind, Job job, Done done);
  // The job to run now; none while one runs or none waits. It runs until Finished.
  std::optional<Entry> TakeNext();
  void Finished();
  // The Done of a user job or a poll has run: another of its class may be added.
  void Closed(JobClass kind);

  // A user job or a poll is open (added, its Done not yet run). Background work does not count.
  bool Busy() const { return userOpen_ || pollOpen_; }
  bool Running() const { return running_.has_value(); }
  bool Waiting() const { return user_ || poll_ || !background_.empty(); }
  bool IsShut() const { return shut_; }

  // Stops the user job, waiting or running.
  void StopUser();
  // Drops the waiting background jobs (their Done is not called) and stops the running one.
  void DropBackground();
  // No job is added from now on. Every job is stopped; the waiting user job and poll still come
  // out of TakeNext (stopped before they began: no phone call) so that their Done reach the
  // window; waiting background jobs are dropped.
  void Shut();

 private:
  void StopRunningBackground();

  std::optional<Entry> user_, poll_;
  std::deque<Entry> background_;
  std::optional<JobClass> running_;
  StopFlag runningStop_;
  bool userOpen_ = false, pollOpen_ = false, shut_ = false;
};

}  // namespace zv
