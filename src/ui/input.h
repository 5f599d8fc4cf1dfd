#pragma once
// Portable input vocabulary: mouse buttons, shift state, keys, scroll-bar codes and cursors. The
// Win32 backend translates WM_* messages and virtual keys into these; controls never see a
// WPARAM.

namespace zv {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held during an input event (a set of bits).
enum ShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// Keys that controls react to. Letters, digits and everything else the program does not name
// arrive as Other (their characters still come through KeyPress).
enum class TKey {
  Other,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  Home,
  End,
  Enter,
  Escape,
  Space,
  Tab,
  Backspace,
  Delete,
  Insert,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Shift,
  Control,
  Alt,
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

// What a scroll-bar message asks for.
enum class TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,  // the thumb was released at a position
  scTrack,     // the thumb is being dragged
  scTop,
  scBottom,
  scEndScroll,
};

enum class TCursor {
  crDefault,
  crArrow,
  crIBeam,
  crCross,
  crSizeWE,
  crSizeNS,
  crHSplit,
  crVSplit,
  crHandPoint,
  crHourGlass,
  crNo,
  crDrag,
};

}  // namespace zv
