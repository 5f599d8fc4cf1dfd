#pragma once
// The Win32 backend: gives portable controls native windows and runs the message loop.
//
//   Win32Backend backend(app, instance);          // registers the standard peers
//   backend.RegisterPeer("TDirectoryEdit", ...);  // more control kinds, by PeerKind()
//   backend.CreateHandle(form);                   // the form's window and all its controls,
//                                                 // hidden; the form's timers start
//   backend.Run(form);                            // shows it; loops until Terminate
//
// Every message of every window, and every timer tick, runs through Dispatch: the
// application's one place that hands an escaping error to the general error handler.
// The backend owns the window classes, the fonts and the hidden window of the timers; its
// state is this object (no globals), found from a window through its peer.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/forms.h"
#include "ui/timer.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/window_peer.h"

namespace zv {

class Win32Backend;
using PeerFactory = std::function<std::unique_ptr<Win32Peer>(Win32Backend&, TControl&)>;

class Win32Backend {
 public:
  Win32Backend(TApplication& app, HINSTANCE instance);
  ~Win32Backend();
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  // The peer maker for controls whose PeerKind() is `kind` (replaces an earlier one).
  void RegisterPeer(const std::string& kind, PeerFactory factory);

  // Creates the windows of a form and of all its controls (the form stays hidden) and the
  // platform timers of every TTimer owned by the form or its controls.
  void CreateHandle(TForm& form);
  // Creates the window of one control (and its children) inside parent.
  void CreateHandle(TControl& control, HWND parent);
  // Runs a timer that was created after its form got its window.
  void AttachTimer(TTimer& timer);

  // Shows the main form and handles messages until the application terminates. Returns the
  // exit code.
  int Run(TForm& mainForm);
  // Handles the messages waiting now, then returns (for tests).
  void ProcessMessages();

  // The application's one dispatch place.
  template <class F>
  void Dispatch(F&& handler) {
    app_.Dispatch(std::forward<F>(handler));
  }
  TApplication& App() const { return app_; }
  FontCache& Fonts() { return fonts_; }
  HINSTANCE Instance() const { return instance_; }
  const wchar_t* OwnClassName() const { return L"ZvWindow"; }
  UINT_PTR NextControlId() { return nextId_++; }

  // Called by the timer peers.
  UINT_PTR StartTimer(TTimer& timer, UINT_PTR id);
  void StopTimer(UINT_PTR id);

 private:
  static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnTimer(UINT_PTR id);
  void AttachTimers(TComponent& component);
  bool TranslateDialogKeys(MSG& msg);

  TApplication& app_;
  HINSTANCE instance_;
  FontCache fonts_;
  std::map<std::string, PeerFactory> factories_;
  HWND timerWindow_ = nullptr;
  std::map<UINT_PTR, TTimer*> timers_;
  UINT_PTR nextTimerId_ = 1;
  UINT_PTR nextId_ = 100;
};

// Handles the paint messages waiting for this thread's windows, and nothing else. Long work on
// the window thread calls it between its steps: the windows repaint where they were uncovered
// and the system sees the thread look at its queue, while clicks, keys and timer ticks stay
// queued in their order for the message loop.
void DispatchPendingPaints();

// Makes the peers of the standard controls (forms, labels, edits, buttons, status bars, custom
// controls); the backend registers them itself.
void RegisterStandardPeers(Win32Backend& backend);

}  // namespace zv
