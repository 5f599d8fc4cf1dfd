#pragma once
// A headless notification area: it records every request, keeps the icon that a real area would
// show, and lets a test deliver callback messages. Safe to use from the pacing thread and the
// test's thread at once. Other subsystems' tests use it as a harmless tray.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "trayicon/notify_area.h"

namespace zv {

class FakeNotifyArea : public NotifyArea {
 public:
  enum class Op { Add, Modify, Delete };
  struct Call {
    Op op;
    NotifyIconData data;  // data.Icon identifies the icon; do not dereference it later
    bool result;
  };

  explicit FakeNotifyArea(std::uint64_t window_id = 0x1234) : window_id_(window_id) {}

  std::uint64_t WindowId() const override { return window_id_; }
  void SetListener(NotifyListener* listener) override;
  bool Add(const NotifyIconData& data) override;
  bool Modify(const NotifyIconData& data) override;
  bool Delete(const NotifyIconData& data) override;

  // What the next Add answers (true by default).
  void SetAddResult(bool result);
  // Whether the area now holds the icon, and the icon it shows.
  bool Present() const;
  const TIcon* PresentIcon() const;
  std::vector<Call> Calls() const;
  int CountOf(Op op) const;
  void ClearCalls();
  // Waits until at least `count` requests have been recorded; false on time-out.
  bool WaitForCalls(std::size_t count, std::chrono::milliseconds timeout) const;

  // Delivers what the hidden window would receive (to the listener, if any).
  void SendCallback(std::uint32_t mouse_message, TPoint cursor = {}, TShiftState shift = 0);
  void SendTaskbarCreated();  // the area forgets its icon, as a restarted shell does

 private:
  bool Record(Op op, const NotifyIconData& data, bool result);

  const std::uint64_t window_id_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  NotifyListener* listener_ = nullptr;
  bool add_result_ = true;
  bool present_ = false;
  const TIcon* present_icon_ = nullptr;
  std::vector<Call> calls_;
};

}  // namespace zv
