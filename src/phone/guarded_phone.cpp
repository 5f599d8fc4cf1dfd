// The phone as the jobs see it (see guarded_phone.h).
#include "phone/guarded_phone.h"

#include <algorithm>

namespace zv {

template <class F>
int GuardedPhone::Guard(F&& call, int bytes) {
  if (refuse_) throw JobStoppedError();
  if (inCall_.exchange(true) || std::this_thread::get_id() != thread_) ++outOfTurn_;
  ++calls_;
  // Never zero, which means "no call": the clock may start at zero in tests.
  bytes_ = bytes;
  started_ = std::max<Clock::rep>(now_().time_since_epoch().count(), 1);
  // Cleared however the call ends: a library call that throws leaves no call "in progress".
  struct Ended {
    GuardedPhone& phone;
    ~Ended() {
      phone.started_ = 0;
      phone.bytes_ = 0;
      phone.inCall_ = false;
    }
  } ended{*this};
  return call();
}

void GuardedPhone::CloseLeftOpen() {
  if (!open_) return;
  const bool refused = refuse_;
  refuse_ = false;  // the close is the layer's own, not the job's
  try {
    File_Close();
  } catch (...) {
  }
  refuse_ = refused;
}

int GuardedPhone::P2K_Init(P2KStatusCallback onStatus) {
  return Guard([&] { return phone_.P2K_Init(onStatus); });
}
int GuardedPhone::P2K_GetStatus() {
  return Guard([&] { return phone_.P2K_GetStatus(); });
}
int GuardedPhone::File_Count() {
  return Guard([&] { return phone_.File_Count(); });
}
int GuardedPhone::File_List(void* entries, int count) {
  return Guard([&] { return phone_.File_List(entries, count); });
}
int GuardedPhone::File_Create(const char* path, int mode) {
  if (refuse_) throw JobStoppedError();
  // One file at a time: the library may still hold the last one, even after a failed create.
  CloseLeftOpen();
  open_ = true;  // the library may hold the file open even when it answers -1
  return Guard([&] { return phone_.File_Create(path, mode); });
}
int GuardedPhone::File_Read(void* buffer, int size) {
  return Guard([&] { return phone_.File_Read(buffer, size); }, size);
}
int GuardedPhone::File_Write(const void* buffer, int size) {
  return Guard([&] { return phone_.File_Write(buffer, size); }, size);
}
int GuardedPhone::File_Close() {
  if (refuse_) throw JobStoppedError();
  open_ = false;
  return Guard([&] { return phone_.File_Close(); });
}
int GuardedPhone::File_Delete(const char* path) {
  return Guard([&] { return phone_.File_Delete(path); });
}

std::chrono::milliseconds GuardedPhone::InProgressFor() const {
  const auto started = started_.load();
  if (started == 0) return {};
  const auto waited = now_().time_since_epoch() - Clock::duration(started);
  return std::chrono::duration_cast<std::chrono::milliseconds>(waited);
}

}  // namespace zv
