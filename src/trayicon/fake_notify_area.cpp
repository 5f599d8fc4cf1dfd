// The headless notification area: records requests and answers as a real area would.
#include "trayicon/fake_notify_area.h"

namespace zv {

void FakeNotifyArea::SetListener(NotifyListener* listener) {
  std::lock_guard<std::mutex> lock(mutex_);
  listener_ = listener;
}

bool FakeNotifyArea::Record(Op op, const NotifyIconData& data, bool result) {
  calls_.push_back({op, data, result});
  changed_.notify_all();
  return result;
}

bool FakeNotifyArea::Add(const NotifyIconData& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  // A second add of the same icon fails, as on the platform.
  const bool ok = add_result_ && !present_;
  if (ok) {
    present_ = true;
    present_icon_ = data.Icon;
  }
  return Record(Op::Add, data, ok);
}

bool FakeNotifyArea::Modify(const NotifyIconData& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (present_) present_icon_ = data.Icon;
  return Record(Op::Modify, data, present_);
}

bool FakeNotifyArea::Delete(const NotifyIconData& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  const bool ok = present_;
  present_ = false;
  present_icon_ = nullptr;
  return Record(Op::Delete, data, ok);
}

void FakeNotifyArea::SetAddResult(bool result) {
  std::lock_guard<std::mutex> lock(mutex_);
  add_result_ = result;
}

bool FakeNotifyArea::Present() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return present_;
}

const TIcon* FakeNotifyArea::PresentIcon() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return present_icon_;
}

std::vector<FakeNotifyArea::Call> FakeNotifyArea::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

int FakeNotifyArea::CountOf(Op op) const {
  std::lock_guard<std::mutex> lock(mutex_);
  int n = 0;
  for (const Call& call : calls_) n += call.op == op;
  return n;
}

void FakeNotifyArea::ClearCalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

bool FakeNotifyArea::WaitForCalls(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return calls_.size() >= count; });
}

void FakeNotifyArea::SendCallback(std::uint32_t mouse_message, TPoint cursor, TShiftState shift) {
  NotifyListener* listener;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    listener = listener_;
  }
  if (listener != nullptr) listener->NotifyMessage(mouse_message, cursor, shift);
}

void FakeNotifyArea::SendTaskbarCreated() {
  NotifyListener* listener;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    present_ = false;
    present_icon_ = nullptr;
    listener = listener_;
  }
  if (listener != nullptr) listener->TaskbarCreated();
}

}  // namespace zv
