#pragma once
// The grid's own scroll bar objects: one horizontal (pixels) and one vertical (rows) per grid.
// Each keeps its range, steps and position, pushes them to the platform scroll bar through its
// owner, and asks the owner to scroll the content when the position moves.

#include "ui/input.h"

namespace zv {

class TControlScrollBar;

// What the last scroll message asked for.
enum class TScrollKind { None, Line, Page, Thumb, TopBottom };

// Implemented by the window that shows the scroll bars (the grid).
class ScrollBarOwner {
 public:
  virtual ~ScrollBarOwner() = default;
  // Range, page, position, enabled and visible of the bar go to the platform in one step.
  virtual void ApplyScrollBar(const TControlScrollBar& bar) = 0;
  // The position moved from oldPosition to bar.Position(): scroll the content accordingly.
  virtual void ScrollContent(const TControlScrollBar& bar, int oldPosition) = 0;
};

class TControlScrollBar {
 public:
  TControlScrollBar(ScrollBarOwner& owner, TScrollBarKind kind) : owner_(owner), kind_(kind) {}
  TControlScrollBar(const TControlScrollBar&) = delete;
  TControlScrollBar& operator=(const TControlScrollBar&) = delete;

  TScrollBarKind Kind() const { return kind_; }
  bool Enabled() const { return enabled_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Page() const { return page_; }
  int Position() const { return position_; }
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  bool Visible() const { return visible_; }
  int PreviousPosition() const { return previousPosition_; }
  TScrollKind LastScrollKind() const { return lastScrollKind_; }

  void SetSmallChange(int value) { smallChange_ = value; }
  void SetLargeChange(int value) { largeChange_ = value; }

  // Clamps p into [Min, Max], updates the platform bar and, unless Max is 0, scrolls the content.
  void SetPosition(int p);
  // Sets the whole range in one step (negative bounds are raised to 0) and updates the platform
  // bar once. The position is not re-clamped here; callers set it again when they need that.
  void SetRange(int min, int max, int page, bool enabled, bool visible);
  // Handles one scroll message; trackPosition is the thumb position of the thumb messages.
  void Scroll(TScrollCode code, int trackPosition);
  // Re-applies the platform bar (after a scroll message, its visibility may have been reset).
  void Update() { owner_.ApplyScrollBar(*this); }

 private:
  ScrollBarOwner& owner_;
  TScrollBarKind kind_;
  bool enabled_ = true;
  int min_ = 0;
  int max_ = 100;
  int page_ = 0;
  int position_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
  bool visible_ = true;
  int previousPosition_ = 0;
  TScrollKind lastScrollKind_ = TScrollKind::None;
};

}  // namespace zv
