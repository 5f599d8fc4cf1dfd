// The phone thread and the window queue (see phone_jobs.h).
#include "phone/phone_jobs.h"

#include <thread>
#include <utility>

namespace zv {

// --- WindowQueue ---

void WindowQueue::SetWake(std::function<void()> wake) {
  std::lock_guard<std::mutex> lock(mutex_);
  wake_ = std::move(wake);
}

void WindowQueue::Post(Task task) {
  std::function<void()> wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // One wake for a run of tasks: the window takes all that wait when it looks.
    if (tasks_.empty()) wake = wake_;
    tasks_.push_back(std::move(task));
  }
  arrived_.notify_all();
  if (wake) wake();
}

std::optional<WindowQueue::Task> WindowQueue::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (tasks_.empty()) return std::nullopt;
  Task task = std::move(tasks_.front());
  tasks_.pop_front();
  return task;
}

bool WindowQueue::WaitForTask(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return arrived_.wait_for(lock, timeout, [this] { return !tasks_.empty(); });
}

void WindowQueue::Discard() {
  std::deque<Task> dropped;
  std::lock_guard<std::mutex> lock(mutex_);
  dropped.swap(tasks_);
}

// --- The phone thread ---

namespace {

// Waits on a condition variable; a wake before the wait is not lost.
class ConditionIdle : public ThreadIdle {
 public:
  void Wait() override {
    std::unique_lock<std::mutex> lock(mutex_);
    woken_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
  }
  void Wake() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      signalled_ = true;
    }
    woken_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
  bool signalled_ = false;
};

}  // namespace

std::unique_ptr<ThreadIdle> MakeConditionIdle() { return std::make_unique<ConditionIdle>(); }

struct PhoneWorker::State {
  State(PhoneApi& phone, WindowQueue& window, std::function<Clock::time_point()> now,
        std::unique_ptr<ThreadIdle> idle)
      : guarded(phone, std::move(now)), window(window), idle(std::move(idle)) {}

  // Hands a task to the window, unless the window has stopped waiting for this thread.
  void ToWindow(WindowQueue::Task task) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!abandoned) window.Post(std::move(task));
  }

  GuardedPhone guarded;
  WindowQueue& window;
  std::unique_ptr<ThreadIdle> idle;
  mutable std::mutex mutex;
  std::condition_variable ended;
  JobSchedule schedule;    // under mutex
  bool quit = false;       // the thread is to end once nothing waits
  bool finished = false;   // the thread has ended
  bool abandoned = false;  // nothing more goes to the window
  std::thread thread;
};

PhoneWorker::PhoneWorker(PhoneApi& phone, WindowQueue& window,
                         std::function<Clock::time_point()> now, std::unique_ptr<ThreadIdle> idle)
    : state_(std::make_shared<State>(phone, window, std::move(now),
                                     idle ? std::move(idle) : MakeConditionIdle())) {
  state_->thread = std::thread(&PhoneWorker::Loop, state_);
}

PhoneWorker::~PhoneWorker() {
  if (!shutDown_) Shutdown(std::chrono::hours(24 * 365));
  std::unique_lock<std::mutex> lock(state_->mutex);
  if (state_->finished) {
    lock.unlock();
    if (state_->thread.joinable()) state_->thread.join();
    return;
  }
  // Left to a call that never returned: it keeps its own share of the state.
  state_->abandoned = true;
  state_->thread.detach();
}

void PhoneWorker::Loop(std::shared_ptr<State> state) {
  state->guarded.SetThread(std::this_thread::get_id());
  while (true) {
    std::optional<JobSchedule::Entry> entry;
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      entry = state->schedule.TakeNext();
      if (!entry && state->quit) break;
    }
    if (!entry) {
      state->idle->Wait();
      continue;
    }
    JobContext context{state->guarded, *entry->stop,
                       [&state](WindowQueue::Task task) { state->ToWindow(std::move(task)); }};
    std::exception_ptr error;
    state->guarded.Refuse(entry->stoppedBeforeStart);
    try {
      entry->job(context);
    } catch (...) {
      error = std::current_exception();
    }
    state->guarded.Refuse(false);
    // No file stays open between jobs (a stopped read, a failed create).
    state->guarded.CloseLeftOpen();
    if (entry->done) state->ToWindow([done = std::move(entry->done), error] { done(error); });
    std::lock_guard<std::mutex> lock(state->mutex);
    state->schedule.Finished();
  }
  state->guarded.CloseLeftOpen();
  std::lock_guard<std::mutex> lock(state->mutex);
  state->finished = true;
  state->ended.notify_all();
}

bool PhoneWorker::Add(JobClass kind, Job job, Done done) {
  // The class's Done runs on the window thread: another job of its class may start from there.
  Done closing = [state = state_, kind, done = std::move(done)](std::exception_ptr error) {
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      state->schedule.Closed(kind);
    }
    if (done) done(error);
  };
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (!state_->schedule.Add(kind, std::move(job), std::move(closing))) return false;
  }
  state_->idle->Wake();
  return true;
}

bool PhoneWorker::Start(Job job, Done done) {
  return Add(JobClass::kUser, std::move(job), std::move(done));
}
bool PhoneWorker::StartPoll(Job job, Done done) {
  return Add(JobClass::kPoll, std::move(job), std::move(done));
}
bool PhoneWorker::StartBackground(Job job, Done done) {
  return Add(JobClass::kBackground, std::move(job), std::move(done));
}

void PhoneWorker::DropBackground() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->schedule.DropBackground();
}

bool PhoneWorker::Busy() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->schedule.Busy();
}

void PhoneWorker::Stop() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->schedule.StopUser();
}

std::chrono::milliseconds PhoneWorker::CallInProgressFor() const {
  return state_->guarded.InProgressFor();
}
int PhoneWorker::CallInProgressBytes() const { return state_->guarded.InProgressBytes(); }

bool PhoneWorker::Shutdown(std::chrono::milliseconds wait) {
  shutDown_ = true;
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->schedule.Shut();
    state_->quit = true;
  }
  state_->idle->Wake();
  std::unique_lock<std::mutex> lock(state_->mutex);
  // Asked anew each time: a thread that an earlier call left to a hung call may have ended since.
  if (!state_->ended.wait_for(lock, wait, [this] { return state_->finished; })) return false;
  lock.unlock();
  if (state_->thread.joinable()) state_->thread.join();
  return true;
}

bool PhoneWorker::ThreadEnded() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->finished;
}

int PhoneWorker::CallsMade() const { return state_->guarded.calls(); }
int PhoneWorker::CallsOutOfTurn() const { return state_->guarded.outOfTurn(); }

}  // namespace zv
