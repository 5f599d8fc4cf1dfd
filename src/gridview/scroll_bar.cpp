// The grid's scroll bar objects: clamping, the one-step range update and scroll messages.
#include "gridview/scroll_bar.h"

#include <algorithm>

namespace zv {

void TControlScrollBar::SetPosition(int p) {
  previousPosition_ = position_;
  position_ = std::clamp(p, min_, std::max(min_, max_));
  owner_.ApplyScrollBar(*this);
  // The owner hears of every move, also one that a shrunk range forced (Max 0): a position clamped
  // back to 0 must not leave stale rows on the screen.
  if (position_ != previousPosition_) owner_.ScrollContent(*this, previousPosition_);
}

void TControlScrollBar::SetRange(int min, int max, int page, bool enabled, bool visible) {
  min_ = std::max(0, min);
  max_ = std::max(0, max);
  page_ = page;
  enabled_ = enabled;
  visible_ = visible;
  owner_.ApplyScrollBar(*this);
}

void TControlScrollBar::Scroll(TScrollCode code, int trackPosition) {
  switch (code) {
    case TScrollCode::scLineUp:
      lastScrollKind_ = TScrollKind::Line;
      SetPosition(position_ - smallChange_);
      break;
    case TScrollCode::scLineDown:
      lastScrollKind_ = TScrollKind::Line;
      SetPosition(position_ + smallChange_);
      break;
    case TScrollCode::scPageUp:
      lastScrollKind_ = TScrollKind::Page;
      SetPosition(position_ - largeChange_);
      break;
    case TScrollCode::scPageDown:
      lastScrollKind_ = TScrollKind::Page;
      SetPosition(position_ + largeChange_);
      break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack:
      lastScrollKind_ = TScrollKind::Thumb;
      SetPosition(trackPosition);
      break;
    case TScrollCode::scTop:
      lastScrollKind_ = TScrollKind::TopBottom;
      SetPosition(0);
      break;
    case TScrollCode::scBottom:
      lastScrollKind_ = TScrollKind::TopBottom;
      SetPosition(max_);
      break;
    case TScrollCode::scEndScroll:
      break;
  }
}

}  // namespace zv
