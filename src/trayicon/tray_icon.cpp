// The busy indicator's component: showing and hiding the icon, the animation and its pacing
// thread. Every operation that touches the shared state runs under mutex_; the window thread
// never waits for the pacing thread while holding it (StopThread lets go before joining).
#include "trayicon/tray_icon.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "ui/text.h"

namespace zv {

std::string TrayTipOf(const std::string& hint) {
  std::u16string tip = Utf8ToUtf16(hint.substr(0, hint.find('|')));
  if (tip.size() > static_cast<std::size_t>(kMaxTipLength)) {
    std::size_t cut = kMaxTipLength;
    // Keep a surrogate pair whole: drop its first half rather than leave it alone.
    if (tip[cut - 1] >= 0xD800 && tip[cut - 1] <= 0xDBFF) --cut;
    tip.resize(cut);
  }
  return Utf16ToUtf8(tip);
}

// ---- The pacing thread ----

TTimerThread::TTimerThread(TTrayIcon& owner) : owner_(owner), thread_([this] { Execute(); }) {}

TTimerThread::~TTimerThread() {
  {
    std::lock_guard<std::mutex> lock(owner_.mutex_);
    owner_.terminating_ = true;
  }
  owner_.wake_.notify_all();
  thread_.join();
}

void TTimerThread::Execute() {
  std::unique_lock<std::mutex> lock(owner_.mutex_);
  for (;;) {
    // The pause point: while the icon is hidden nothing advances.
    owner_.wake_.wait(lock, [this] { return owner_.terminating_ || owner_.running_; });
    if (owner_.terminating_) return;
    // A full Interval, counted from the end of the previous step; hiding the icon or ending
    // the thread cuts the wait short.
    const auto interval = std::chrono::milliseconds(owner_.interval_);
    if (owner_.wake_.wait_for(lock, interval,
                              [this] { return owner_.terminating_ || !owner_.running_; })) {
      continue;
    }
    owner_.NextFrameLocked();
  }
}

// ---- Creation and destruction ----

TTrayIcon::TTrayIcon(NotifyArea& area, TComponent* owner, std::string name)
    : TComponent(owner, std::move(name)), area_(area) {
  area_.SetListener(this);
}

TTrayIcon::~TTrayIcon() {
  enabled_ = false;
  area_.SetListener(nullptr);
  std::unique_lock<std::mutex> lock(mutex_);
  destroying_ = true;
  if (animated_) {
    animated_ = false;
    StopThread(lock);
    frame_index_ = 0;
  }
  RemoveIconLocked();
}

void TTrayIcon::StopThread(std::unique_lock<std::mutex>& lock) {
  std::unique_ptr<TTimerThread> thread = std::move(thread_);
  running_ = false;
  lock.unlock();
  thread.reset();  // signals the loop and joins it
  lock.lock();
  terminating_ = false;
}

// ---- Properties ----

bool TTrayIcon::Active() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return active_;
}

void TTrayIcon::SetActive(bool value) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (active_ == value) return;
  active_ = value;
  if (value) {
    PlaceIconLocked();
  } else {
    RemoveIconLocked();
  }
}

std::string TTrayIcon::Hint() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return hint_;
}

void TTrayIcon::SetHint(std::string value) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (hint_ == value) return;
  hint_ = std::move(value);
  RefreshAfterChange(lock);
}

void TTrayIcon::SetIcon(TIcon value) {
  std::unique_lock<std::mutex> lock(mutex_);
  icon_ = std::move(value);
  RefreshAfterChange(lock);
}

void TTrayIcon::SetIcons(const TIconList& value) {
  std::unique_lock<std::mutex> lock(mutex_);
  icons_.Assign(value);
  RefreshAfterChange(lock);
}

void TTrayIcon::LoadIcons(std::span<const std::uint8_t> stored) {
  TIconList list;
  list.ReadData(stored);  // throws before anything changes
  SetIcons(list);
}

bool TTrayIcon::Animated() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return animated_;
}

void TTrayIcon::SetAnimated(bool value) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (animated_ == value || destroying_) return;
  if (value) {
    if (icons_.Count() == 0) return;  // nothing to cycle through
    animated_ = true;
    frame_index_ = 0;
    running_ = shown_;
    thread_ = std::make_unique<TTimerThread>(*this);
  } else {
    animated_ = false;
    StopThread(lock);
    frame_index_ = 0;
  }
  RefreshIconLocked();
}

std::uint16_t TTrayIcon::Interval() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return interval_;
}

void TTrayIcon::SetInterval(std::uint16_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  interval_ = value;
}

void TTrayIcon::Loaded() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (active_ && !shown_) PlaceIconLocked();
}

// ---- Inner state and operations ----

int TTrayIcon::FrameIndex() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return frame_index_;
}

bool TTrayIcon::Shown() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

const TIcon* TTrayIcon::ShownIcon() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ShownIconLocked();
}

NotifyIconData TTrayIcon::Record() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return RecordLocked();
}

void TTrayIcon::PlaceIcon() {
  std::lock_guard<std::mutex> lock(mutex_);
  PlaceIconLocked();
}

void TTrayIcon::RemoveIcon() {
  std::lock_guard<std::mutex> lock(mutex_);
  RemoveIconLocked();
}

void TTrayIcon::RefreshIcon() {
  std::unique_lock<std::mutex> lock(mutex_);
  RefreshAfterChange(lock);
}

void TTrayIcon::NextFrame() {
  std::lock_guard<std::mutex> lock(mutex_);
  NextFrameLocked();
}

const TIcon* TTrayIcon::ShownIconLocked() const {
  if (animated_ && icons_.Count() > 0) {
    const TIcon& frame = icons_[std::clamp(frame_index_, 0, icons_.Count() - 1)];
    return frame.Empty() ? nullptr : &frame;
  }
  return icon_.Empty() ? nullptr : &icon_;
}

NotifyIconData TTrayIcon::RecordLocked() const {
  NotifyIconData data;
  data.Window = area_.WindowId();
  data.Icon = ShownIconLocked();
  data.Tip = TrayTipOf(hint_);
  return data;
}

void TTrayIcon::PlaceIconLocked() {
  RemoveIconLocked();
  const TIcon* icon = ShownIconLocked();
  if (icon == nullptr || !icon->HasImage()) return;
  left_down_ = right_down_ = false;
  const NotifyIconData data = RecordLocked();
  shown_ = area_.Add(data);
  // Some shells show an icon added without a tip only after it has been modified once.
  if (shown_ && data.Tip.empty()) area_.Modify(data);
  // Frames advance only while the icon is really there; a refused add stays absent until the
  // next show or until the notification area announces itself again (TaskbarCreated).
  if (animated_ && shown_) {
    running_ = true;
    wake_.notify_all();
  }
}

void TTrayIcon::RemoveIconLocked() {
  area_.Delete(RecordLocked());
  shown_ = false;
  left_down_ = right_down_ = false;
  if (running_) {
    running_ = false;
    wake_.notify_all();
  }
}

bool TTrayIcon::RefreshIconLocked() {
  if (animated_ && icons_.Count() == 0) return false;
  if (shown_) {
    const TIcon* icon = ShownIconLocked();
    if (icon == nullptr || !icon->HasImage()) {
      RemoveIconLocked();
    } else {
      area_.Modify(RecordLocked());
    }
  } else if (active_) {
    PlaceIconLocked();
  }
  return true;
}

void TTrayIcon::RefreshAfterChange(std::unique_lock<std::mutex>& lock) {
  if (!RefreshIconLocked()) {
    // The frames are gone: the animation cannot go on.
    animated_ = false;
    StopThread(lock);
    frame_index_ = 0;
    RefreshIconLocked();
  }
}

void TTrayIcon::NextFrameLocked() {
  if (destroying_ || !animated_) return;
  ++frame_index_;
  if (frame_index_ >= icons_.Count()) frame_index_ = 0;
  RefreshIconLocked();  // never false here: the window thread stops the animation first
}

// ---- The hidden window's callback ----

void TTrayIcon::NotifyMessage(std::uint32_t mouse_message, TPoint cursor, TShiftState shift) {
  if (!enabled_) return;
  const int x = cursor.X, y = cursor.Y;
  // Remembers or takes back a button's down state under the lock: the pacing thread clears it
  // when it removes the icon.
  auto remember = [this](bool TTrayIcon::*flag, bool value) {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool was = this->*flag;
    this->*flag = value;
    return was;
  };
  auto down = [&](TMouseButton button, TShiftState extra = 0) {
    if (OnMouseDown) OnMouseDown(this, button, shift | extra, x, y);
  };
  auto up = [&](TMouseButton button) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  };
  switch (mouse_message) {
    case kWmMouseMove:
      if (OnMouseMove) OnMouseMove(this, shift, x, y);
      break;
    case kWmLButtonDown:
      remember(&TTrayIcon::left_down_, true);
      down(TMouseButton::mbLeft);
      break;
    case kWmLButtonUp:
      if (remember(&TTrayIcon::left_down_, false) && OnClick) OnClick(this);
      up(TMouseButton::mbLeft);
      break;
    case kWmLButtonDblClk:
      if (OnDblClick) OnDblClick(this);
      down(TMouseButton::mbLeft, ssDouble);
      break;
    case kWmRButtonDown:
      remember(&TTrayIcon::right_down_, true);
      down(TMouseButton::mbRight);
      break;
    case kWmRButtonUp:
      up(TMouseButton::mbRight);
      if (remember(&TTrayIcon::right_down_, false) && popup_menu_ != nullptr &&
          popup_menu_->AutoPopup) {
        popup_menu_->Popup(x, y);
      }
      break;
    case kWmRButtonDblClk:
      down(TMouseButton::mbRight, ssDouble);
      break;
    case kWmMButtonDown:
      down(TMouseButton::mbMiddle);
      break;
    case kWmMButtonDblClk:
      down(TMouseButton::mbMiddle, ssDouble);
      break;
    case kWmMButtonUp:
      up(TMouseButton::mbMiddle);
      break;
    default:
      break;
  }
}

void TTrayIcon::TaskbarCreated() {
  // The shell forgot every icon: put ours back if it should be there.
  std::lock_guard<std::mutex> lock(mutex_);
  if (active_ && !destroying_) PlaceIconLocked();
}

}  // namespace zv
