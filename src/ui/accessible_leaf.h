#pragma once
// What a screen reader is told about a window that is one whole thing without parts: a
// custom-painted picture, the folder box's picture-only button. The Win32 backend answers the
// system's accessibility requests with it (ui/win32/accessible_leaf.h); a control with parts of
// its own, such as the grid, has a model of its own instead.
#include <string>

namespace zv {

enum class TAccessibleRole {
  arNone,        // nothing of our own: the system describes the window as it does any other
  arGraphic,     // a picture
  arPushButton,  // a button
};

// The property change (TControl::Changed) by which a control says that what it tells screen
// readers changed: the window then tells the readers (for a picture: its name).
constexpr int kScreenReaderLeafChanged = 900;

struct AccessibleLeaf {
  TAccessibleRole Role = TAccessibleRole::arNone;
  std::string Name;  // UTF-8; what the reader says the thing is called
};

}  // namespace zv
