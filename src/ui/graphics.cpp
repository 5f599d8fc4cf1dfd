// Geometry helpers and the classic system palette used when no platform is there to ask.
#include "ui/graphics.h"

#include <algorithm>

namespace zv {

TRect TRect::Intersect(const TRect& r) const {
  TRect out{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right),
            std::min(Bottom, r.Bottom)};
  if (out.IsEmpty()) return {};
  return out;
}

TColor ClassicColors::Resolve(TColor c) const {
  if (!IsSystemColor(c)) return c;
  switch (c & 0xFF) {
    case 0: return RGB(200, 200, 200);   // scroll bar
    case 5: return RGB(255, 255, 255);   // window
    case 6: return RGB(0, 0, 0);         // window frame
    case 8: return RGB(0, 0, 0);         // window text
    case 13: return RGB(10, 36, 106);    // highlight
    case 14: return RGB(255, 255, 255);  // highlight text
    case 15: return RGB(212, 208, 200);  // button face
    case 16: return RGB(128, 128, 128);  // button shadow
    case 17: return RGB(128, 128, 128);  // grey text
    case 18: return RGB(0, 0, 0);        // button text
    case 20: return RGB(255, 255, 255);  // button highlight
    default: return RGB(0, 0, 0);
  }
}

}  // namespace zv
