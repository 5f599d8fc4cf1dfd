// TTimer's state; the platform timer is the backend's.
#include "ui/timer.h"

namespace zv {

TTimer::~TTimer() { peer_.reset(); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TTimer::SetInterval(unsigned ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  Changed();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  Changed();
}

void TTimer::Tick() {
  if (Running()) onTimer_(this);
}

void TTimer::AttachPeer(std::unique_ptr<TimerPeer> peer) {
  peer_ = std::move(peer);
  Changed();
}

}  // namespace zv
