#pragma once
// The system's accessibility interface (IAccessible) over a control's portable model
// (ui/accessibility.h): one small COM object per part that a screen reader asks for, made when
// it asks and released when it lets go, so that no object is kept per row of a large control.
// A control's window answers WM_GETOBJECT and carries out default actions through
// AnswerAccessibleMessage, and tells screen readers what happens through RaiseAccessibleEvent.
//
// Child ids: an object names its direct children 1 … n (their index + 1), as every client
// expects; the control's own object also takes the model's ids of deeper parts (the cells of a
// grid), so that an event can name them. A model's ids of deeper parts must therefore be above
// any child count.
//
// Only calls that Windows XP exports by name are used: LresultFromObject and
// AccessibleObjectFromWindow (oleacc), NotifyWinEvent (user32), SysAllocStringLen (oleaut32).
#include <windows.h>

#include <functional>
#include <memory>

#include "ui/accessibility.h"

namespace zv {

// What every object that a window handed out shares: the window and its model. A screen reader
// may keep an object after the window is gone; once disconnected, the object answers that its
// server is gone.
class AccessibleHost {
 public:
  // Runs an action that the window's own message loop carries out; the backend passes it through
  // the application's one dispatch place, so that an error in a handler reaches the error box.
  using Dispatcher = std::function<void(const std::function<void()>&)>;

  AccessibleHost(HWND window, AccessibleTree& tree, Dispatcher dispatch);
  HWND Window() const { return window_; }
  AccessibleTree* Tree() const { return tree_; }
  void Disconnect() { tree_ = nullptr; }
  void Dispatch(const std::function<void()>& action) const;
  // The private message that carries a default action to the window's thread (wParam: the id).
  static UINT ActionMessage();

 private:
  HWND window_;
  AccessibleTree* tree_;  // not owned
  Dispatcher dispatch_;
};

// Answers WM_GETOBJECT for OBJID_CLIENT with the control's own object, and carries out a
// default action posted to the window. True when `msg` was one of them (result set).
bool AnswerAccessibleMessage(const std::shared_ptr<AccessibleHost>& host, UINT msg, WPARAM wp,
                             LPARAM lp, LRESULT& result);

// Tells screen readers about a part of the control in `host`'s window.
void RaiseAccessibleEvent(const AccessibleHost& host, AccessibleEvent event, AccessibleId id);

// The child id under which the control's own object names a part (0 for the control itself).
long ChildIdOf(const AccessibleTree& tree, AccessibleId id);

}  // namespace zv
