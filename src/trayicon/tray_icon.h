#pragma once
// The busy indicator: TTrayIcon, an icon in the notification area whose frames are advanced by a
// pacing thread of its own, so that the icon keeps moving whatever the window thread is doing.
// The program uses it only through Active (true at the start of a long operation, false at its
// end).
//
// Wiring the main window's indicator (see also main_tray_icon.h):
//   std::unique_ptr<NotifyArea> area = CreateWin32NotifyArea(on_error);   // win32/, or
//   auto area = std::make_unique<FakeNotifyArea>();                        // headless
//   std::unique_ptr<TTrayIcon> TrayIcon1 = CreateMainTrayIcon(*area);
// The area must outlive the component: declare it before TrayIcon1 so that it is destroyed after.
//
// Threads: every property is written on the window thread. The pacing thread runs NextFrame
// while the icon is shown; it shares FrameIndex, the shown flag and the record with the window
// thread under one mutex, and it waits on a condition variable while the icon is hidden.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "trayicon/icon_list.h"
#include "trayicon/notify_area.h"
#include "ui/component.h"
#include "ui/input.h"

namespace zv {

// A pop-up menu that the right button's release over the icon opens.
class TPopupMenu {
 public:
  virtual ~TPopupMenu() = default;
  bool AutoPopup = true;
  virtual void Popup(int x, int y) = 0;
};

class TTrayIcon;

// The pacing thread: one frame per Interval, each step a full Interval after the previous one
// finished, none while the icon is hidden. Owned by its TTrayIcon and joined when released.
class TTimerThread {
 public:
  explicit TTimerThread(TTrayIcon& owner);
  ~TTimerThread();  // asks the loop to end and joins it
  TTimerThread(const TTimerThread&) = delete;
  TTimerThread& operator=(const TTimerThread&) = delete;

 private:
  void Execute();

  TTrayIcon& owner_;
  std::thread thread_;
};

class TTrayIcon : public TComponent, private NotifyListener {
 public:
  // Mouse events over the icon; X and Y are the cursor's screen position.
  using TMouseEvent =
      std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
  using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

  // Defaults at creation: Active true (placed only once there is an icon, or by Loaded), Enabled
  // true, empty Hint, Icon and Icons, Animated false, Interval 150. The area is not owned.
  explicit TTrayIcon(NotifyArea& area, TComponent* owner = nullptr, std::string name = {});
  // Enabled becomes false, the area is detached, the pacing thread ends and is joined, and the
  // icon is removed from the notification area.
  ~TTrayIcon() override;

  // Published properties.
  bool Active() const;
  void SetActive(bool value);  // true shows the icon, false removes it; same value: nothing
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }  // whether the callback message is handled
  std::string Hint() const;
  void SetHint(std::string value);  // the tip is the part before the first "|", 63 characters
  const TIcon& Icon() const { return icon_; }
  void SetIcon(TIcon value);
  const TIconList& Icons() const { return icons_; }
  void SetIcons(const TIconList& value);
  // Reads the stored form of Icons (see TIconList::ReadData); one refresh for the whole list.
  void LoadIcons(std::span<const std::uint8_t> stored);
  bool Animated() const;
  void SetAnimated(bool value);  // on only when Icons has an entry
  std::uint16_t Interval() const;
  void SetInterval(std::uint16_t value);  // milliseconds between frames, read before every wait
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu) { popup_menu_ = menu; }  // not owned
  bool ShowDesign = false;

  TNotifyEvent OnClick, OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown, OnMouseUp;

  // Ends loading of the stored values: places the icon when Active is true.
  void Loaded();

  // Inner state and operations, open for tests and the benchmark.
  int FrameIndex() const;
  bool Shown() const;
  // The icon that would be shown now: the frame at FrameIndex (clamped to the list) while
  // animated, otherwise Icon; null when that is empty.
  const TIcon* ShownIcon() const;
  // The record as it would be sent now.
  NotifyIconData Record() const;
  void PlaceIcon();
  void RemoveIcon();
  void RefreshIcon();
  void NextFrame();

 private:
  friend class TTimerThread;

  // NotifyListener, called by the area on the window thread.
  void NotifyMessage(std::uint32_t mouse_message, TPoint cursor, TShiftState shift) override;
  void TaskbarCreated() override;

  // The *Locked operations run with mutex_ held (on either thread) and never wait for the
  // pacing thread.
  const TIcon* ShownIconLocked() const;
  NotifyIconData RecordLocked() const;
  void PlaceIconLocked();
  void RemoveIconLocked();
  // Returns false when Icons is empty while animated: the caller must switch Animated off
  // (outside the lock, since that joins the pacing thread) and refresh again.
  bool RefreshIconLocked();
  void NextFrameLocked();
  void RefreshAfterChange(std::unique_lock<std::mutex>& lock);
  void StopThread(std::unique_lock<std::mutex>& lock);

  NotifyArea& area_;
  TIcon icon_;
  TIconList icons_;
  TPopupMenu* popup_menu_ = nullptr;
  bool enabled_ = true;
  bool destroying_ = false;

  // Shared with the pacing thread.
  mutable std::mutex mutex_;
  std::condition_variable wake_;  // the pacing thread's pause point and sleep
  bool active_ = true;
  bool animated_ = false;
  std::uint16_t interval_ = 150;
  std::string hint_;
  int frame_index_ = -1;
  bool shown_ = false;
  bool running_ = false;      // the pacing thread may advance frames (the icon is placed)
  bool terminating_ = false;  // the pacing thread is to end
  bool left_down_ = false, right_down_ = false;
  std::unique_ptr<TTimerThread> thread_;
};

// Shows the indicator for the life of a long operation and hides it when the operation ends,
// also when it ends with an error (the error then goes on to the general error handler):
//   BusyIndicatorScope busy(*TrayIcon1);   // Active true
//   ... phone calls ...                    // Active false on leaving the scope
class BusyIndicatorScope {
 public:
  explicit BusyIndicatorScope(TTrayIcon& tray) : tray_(tray) { tray_.SetActive(true); }
  ~BusyIndicatorScope() { tray_.SetActive(false); }
  BusyIndicatorScope(const BusyIndicatorScope&) = delete;
  BusyIndicatorScope& operator=(const BusyIndicatorScope&) = delete;

 private:
  TTrayIcon& tray_;
};

// The tip of a hint: the part before the first "|", cut to 63 UTF-16 characters without
// splitting a surrogate pair.
std::string TrayTipOf(const std::string& hint);

}  // namespace zv
