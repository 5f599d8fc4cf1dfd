#pragma once
// TTimer: raises OnTimer every Interval milliseconds while Enabled. The object keeps its state;
// the backend runs it with a platform timer (the peer) once the timer's form has a window, and
// hands each tick to Tick() through the one event dispatch place.
#include <memory>

#include "ui/component.h"

namespace zv {

class TimerPeer {
 public:
  virtual ~TimerPeer() = default;
  // Enabled, Interval or OnTimer changed: start, restart or stop the platform timer.
  virtual void Changed() = 0;
};

class TTimer : public TComponent {
 public:
  using TComponent::TComponent;
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  // Assign through SetOnTimer so that a running platform timer follows.
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  // True while a platform timer should run: enabled, a non-zero interval and a handler.
  bool Running() const { return enabled_ && interval_ > 0 && onTimer_ != nullptr; }
  // One tick: raises OnTimer.
  void Tick();

  bool HasPeer() const { return peer_ != nullptr; }
  void AttachPeer(std::unique_ptr<TimerPeer> peer);
  void DetachPeer() { peer_.reset(); }

 private:
  void Changed() {
    if (peer_) peer_->Changed();
  }
  bool enabled_ = true;
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  std::unique_ptr<TimerPeer> peer_;
};

}  // namespace zv
