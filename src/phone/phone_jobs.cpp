// The phone thread and the window queue (see phone_jobs.h).
#include "phone/phone_jobs.h"

#include <algorithm>
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

// --- InlinePhoneJobs ---

bool InlinePhoneJobs::Start(Job job, Done done) {
  if (busy_) return false;
  busy_ = true;
  stop_ = false;
  JobContext context{phone_, stop_, [](WindowQueue::Task task) { task(); }};
  std::exception_ptr error;
  try {
    job(context);
  } catch (...) {
    error = std::current_exception();
  }
  busy_ = false;
  done(error);
  return true;
}

// --- PhoneWorker ---

// The phone as the jobs see it: every call counted and timed, so that the window can tell a
// phone that does not answer, and tests can tell that no two calls ever overlap.
class PhoneWorker::GuardedPhone : public PhoneApi {
 public:
  GuardedPhone(PhoneApi& phone, std::function<Clock::time_point()> now)
      : phone_(phone), now_(std::move(now)) {}

  void SetThread(std::thread::id id) { thread_ = id; }
  // A file a stopped job left open is closed before the next job touches the phone.
  void CloseLeftOpen() {
    if (open_) File_Close();
  }

  int P2K_Init(P2KStatusCallback onStatus) override {
    return Guard([&] { return phone_.P2K_Init(onStatus); });
  }
  int P2K_GetStatus() override { return Guard([&] { return phone_.P2K_GetStatus(); }); }
  int File_Count() override { return Guard([&] { return phone_.File_Count(); }); }
  int File_List(void* entries, int count) override {
    return Guard([&] { return phone_.File_List(entries, count); });
  }
  int File_Create(const char* path, int mode) override {
    open_ = true;  // the library may hold the file open even when it answers -1
    return Guard([&] { return phone_.File_Create(path, mode); });
  }
  int File_Read(void* buffer, int size) override {
    return Guard([&] { return phone_.File_Read(buffer, size); });
  }
  int File_Write(const void* buffer, int size) override {
    return Guard([&] { return phone_.File_Write(buffer, size); });
  }
  int File_Close() override {
    open_ = false;
    return Guard([&] { return phone_.File_Close(); });
  }
  int File_Delete(const char* path) override {
    return Guard([&] { return phone_.File_Delete(path); });
  }

  std::chrono::milliseconds InProgressFor() const {
    const auto started = started_.load();
    if (started == Clock::duration::zero().count()) return {};
    const auto waited = now_().time_since_epoch() - Clock::duration(started);
    return std::chrono::duration_cast<std::chrono::milliseconds>(waited);
  }
  int calls() const { return calls_; }
  int outOfTurn() const { return outOfTurn_; }

 private:
  template <class F>
  int Guard(F&& call) {
    if (inCall_.exchange(true) || std::this_thread::get_id() != thread_) ++outOfTurn_;
    ++calls_;
    // Never zero, which means "no call": the clock may start at zero in tests.
    started_ = std::max<Clock::rep>(now_().time_since_epoch().count(), 1);
    const int result = call();
    started_ = 0;
    inCall_ = false;
    return result;
  }

  PhoneApi& phone_;
  std::function<Clock::time_point()> now_;
  std::thread::id thread_;
  bool open_ = false;
  std::atomic<bool> inCall_{false};
  std::atomic<Clock::rep> started_{0};
  std::atomic<int> calls_{0};
  std::atomic<int> outOfTurn_{0};
};

struct PhoneWorker::State {
  State(PhoneApi& phone, WindowQueue& window, std::function<Clock::time_point()> now)
      : guarded(phone, std::move(now)), window(window) {}

  // Hands a task to the window, unless the window has stopped waiting for this thread.
  void ToWindow(WindowQueue::Task task) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!abandoned) window.Post(std::move(task));
  }

  GuardedPhone guarded;
  WindowQueue& window;
  std::mutex mutex;
  std::condition_variable changed;
  std::optional<Job> job;  // the next job, handed over by Start
  Done done;
  std::atomic<bool> stop{false};
  bool quit = false;       // the thread is to end
  bool finished = false;   // the thread has ended
  bool abandoned = false;  // nothing more goes to the window
  std::thread thread;
};

PhoneWorker::PhoneWorker(PhoneApi& phone, WindowQueue& window,
                         std::function<Clock::time_point()> now)
    : state_(std::make_shared<State>(phone, window, std::move(now))) {
  state_->thread = std::thread(&PhoneWorker::Loop, state_);
}

PhoneWorker::~PhoneWorker() {
  if (!ended_) Shutdown(std::chrono::hours(24 * 365));
}

void PhoneWorker::Loop(std::shared_ptr<State> state) {
  state->guarded.SetThread(std::this_thread::get_id());
  while (true) {
    Job job;
    Done done;
    {
      std::unique_lock<std::mutex> lock(state->mutex);
      state->changed.wait(lock, [&] { return state->quit || state->job; });
      if (state->quit) break;
      job = std::move(*state->job);
      state->job.reset();
      done = std::move(state->done);
    }
    JobContext context{state->guarded, state->stop, [&state](WindowQueue::Task task) {
                         state->ToWindow(std::move(task));
                       }};
    std::exception_ptr error;
    try {
      state->guarded.CloseLeftOpen();
      job(context);
    } catch (...) {
      error = std::current_exception();
    }
    state->ToWindow([done = std::move(done), error] { done(error); });
  }
  std::lock_guard<std::mutex> lock(state->mutex);
  state->finished = true;
  state->changed.notify_all();
}

bool PhoneWorker::Start(Job job, Done done) {
  if (busy_ || ended_) return false;
  busy_ = true;
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->stop = false;
  state_->job = std::move(job);
  state_->done = [this, done = std::move(done)](std::exception_ptr error) {
    busy_ = false;
    done(error);
  };
  state_->changed.notify_all();
  return true;
}

void PhoneWorker::Stop() { state_->stop = true; }

std::chrono::milliseconds PhoneWorker::CallInProgressFor() const {
  return state_->guarded.InProgressFor();
}

bool PhoneWorker::Shutdown(std::chrono::milliseconds wait) {
  if (ended_) return true;
  ended_ = true;
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->quit = true;
  state_->stop = true;
  state_->changed.notify_all();
  if (state_->changed.wait_for(lock, wait, [this] { return state_->finished; })) {
    lock.unlock();
    state_->thread.join();
    return true;
  }
  // The thread keeps its own share of the state and ends whenever its call returns.
  state_->abandoned = true;
  state_->thread.detach();
  return false;
}

bool PhoneWorker::ThreadEnded() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->finished;
}

int PhoneWorker::CallsMade() const { return state_->guarded.calls(); }
int PhoneWorker::CallsOutOfTurn() const { return state_->guarded.outOfTurn(); }

}  // namespace zv
