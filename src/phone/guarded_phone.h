#pragma once
// The phone as the jobs see it on the phone thread: every call counted and timed, so that the
// window can tell a phone that does not answer and tests can tell that no two calls overlap; the
// one-file-at-a-time model kept (a file a job left open, even by a create that failed, is
// closed before the next create and when the job ends); and no call at all for a job that was
// stopped before it began.
#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "phone/phone_api.h"

namespace zv {

// A job stopped before it began called the phone: the call was not made.
class JobStoppedError : public std::logic_error {
 public:
  JobStoppedError() : std::logic_error("a stopped phone job called the phone") {}
};

class GuardedPhone : public PhoneApi {
 public:
  using Clock = std::chrono::steady_clock;
  GuardedPhone(PhoneApi& phone, std::function<Clock::time_point()> now)
      : phone_(phone), now_(std::move(now)) {}

  // The thread that may call; calls from another one are counted as out of turn.
  void SetThread(std::thread::id id) { thread_ = id; }
  // Every call of the job that begins now is refused (JobStoppedError).
  void Refuse(bool on) { refuse_ = on; }
  // Closes the file a job left open (a stopped read, a failed create).
  void CloseLeftOpen();

  int P2K_Init(P2KStatusCallback onStatus) override;
  int P2K_GetStatus() override;
  int File_Count() override;
  int File_List(void* entries, int count) override;
  int File_Create(const char* path, int mode) override;
  int File_Read(void* buffer, int size) override;
  int File_Write(const void* buffer, int size) override;
  int File_Close() override;
  int File_Delete(const char* path) override;

  // How long the call in progress has waited; zero when none is.
  std::chrono::milliseconds InProgressFor() const;
  // The bytes the call in progress moves (a read's or a write's size); zero when none is.
  int InProgressBytes() const { return bytes_; }
  int calls() const { return calls_; }
  int outOfTurn() const { return outOfTurn_; }

 private:
  template <class F>
  int Guard(F&& call, int bytes = 0);

  PhoneApi& phone_;
  std::function<Clock::time_point()> now_;
  std::thread::id thread_;
  bool open_ = false;
  bool refuse_ = false;
  std::atomic<bool> inCall_{false};
  std::atomic<Clock::rep> started_{0};
  std::atomic<int> bytes_{0};
  std::atomic<int> calls_{0};
  std::atomic<int> outOfTurn_{0};
};

}  // namespace zv
