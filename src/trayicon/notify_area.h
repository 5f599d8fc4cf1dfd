#pragma once
// The boundary between the busy indicator and the platform's notification area. The component
// decides what to show and when; a NotifyArea only carries out add, modify and delete requests
// and reports what arrives at its hidden window. The Win32 backend (win32/) implements it with
// Shell_NotifyIconW; FakeNotifyArea (fake_notify_area.h) records the requests for tests and for
// headless runs of the program.
#include <cstdint>
#include <string>

#include "ui/graphics.h"
#include "ui/input.h"

namespace zv {

class TIcon;

// Flags of the notification record: callback message, icon and tip are valid.
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;
// The callback message that the notification area sends to the hidden window.
constexpr std::uint32_t kTrayCallbackMessage = 0xB054;
// Longest tip of the record's first version, in characters (its buffer holds 64 with the end).
constexpr int kMaxTipLength = 63;

// Mouse messages that the callback message names in its second parameter.
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kWmRButtonDown = 0x0204;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmRButtonDblClk = 0x0206;
constexpr std::uint32_t kWmMButtonDown = 0x0207;
constexpr std::uint32_t kWmMButtonUp = 0x0208;
constexpr std::uint32_t kWmMButtonDblClk = 0x0209;

// The notification record in its first version.
struct NotifyIconData {
  std::uint64_t Window = 0;  // the hidden window that receives the callback
  std::uint32_t Id = 0;
  std::uint32_t Flags = kNifMessage | kNifIcon | kNifTip;
  std::uint32_t CallbackMessage = kTrayCallbackMessage;
  // The icon to show; null stands for "no icon" (the handle -1). Not owned: valid for the call.
  const TIcon* Icon = nullptr;
  std::string Tip;  // UTF-8, at most kMaxTipLength UTF-16 characters
};

// What the hidden window receives, handed to the component on the window thread.
class NotifyListener {
 public:
  virtual ~NotifyListener() = default;
  // The callback message; mouse_message is its second parameter, cursor the screen position,
  // shift the modifier keys and buttons held.
  virtual void NotifyMessage(std::uint32_t mouse_message, TPoint cursor, TShiftState shift) = 0;
  // The notification area was (re)created, e.g. after the shell restarted: a shown icon is gone.
  virtual void TaskbarCreated() = 0;
};

// One hidden window and the requests made for it. Add, Modify and Delete may be called from the
// window thread or the pacing thread, never from both at once (the component serialises them).
class NotifyArea {
 public:
  virtual ~NotifyArea() = default;
  // Identifier of the hidden window, put into every record.
  virtual std::uint64_t WindowId() const = 0;
  // Who receives the hidden window's messages; nullptr detaches. Window thread only.
  virtual void SetListener(NotifyListener* listener) = 0;
  // Each returns the platform's answer.
  virtual bool Add(const NotifyIconData& data) = 0;
  virtual bool Modify(const NotifyIconData& data) = 0;
  virtual bool Delete(const NotifyIconData& data) = 0;
};

}  // namespace zv
