#pragma once
// The system's accessibility object (IAccessible) for a window that is one whole thing without
// parts: role, name, state, place, and for a button its default action. Screen readers ask a
// window for it with WM_GETOBJECT; the window answers with AnswerAccessibleLeaf.
#include <windows.h>

#include <string>

#include "ui/accessible_leaf.h"

namespace zv {

struct Win32AccessibleLeaf {
  TAccessibleRole Role = TAccessibleRole::arNone;
  std::wstring Name;
  // Posted to the window by the default action (ActionPress for a button); 0: no default action.
  // Posted, not sent: a reader's call returns at once, and the window does the work from its own
  // message loop (a button may open a modal dialog).
  UINT DefaultActionMessage = 0;
};

// Answers a WM_GETOBJECT for the window's client object with `leaf` and returns true, `result`
// set; false for any other object, for arNone, and when the object cannot be handed over.
bool AnswerAccessibleLeaf(HWND hwnd, WPARAM wp, LPARAM lp, const Win32AccessibleLeaf& leaf,
                          LRESULT& result);

}  // namespace zv
