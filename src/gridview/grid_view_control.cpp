// TCustomGridView: construction, appearance properties, colours and visual-style queries, and
// the window's coming and going.
#include <stdexcept>

#include "gridview/grid.h"
#include "ui/lang/texts.h"

namespace zv {

TCustomGridView::TCustomGridView(TComponent* owner, std::string name)
    : TCustomControl(owner, std::move(name)), searchTimer_(this, "SearchTimer") {
  SetColor(clWindow);
  SetTabStop(true);
  BorderEdge = TBorderEdge::beStatic;
  WantArrows = true;
  HasScrollBars = true;
  searchTimer_.SetEnabled(false);
  searchTimer_.SetInterval(500);
  searchTimer_.SetOnTimer([this](TObject*) { SearchTimerFired(); });
  // Steps of the scroll bars once the grid exists: rows vertically, pixels horizontally.
  HorzScrollBar.SetLargeChange(10);
  HorzScrollBar.SetSmallChange(5);
  VertScrollBar.SetLargeChange(10);
}

TCustomGridView::~TCustomGridView() = default;

TGridView& TCustomGridView::Grid() { return static_cast<TGridView&>(*this); }
const TGridView& TCustomGridView::Grid() const { return static_cast<const TGridView&>(*this); }

const ColorResolver& TCustomGridView::Colors() const {
  static const ClassicColors kClassic;  // immutable: the fallback palette
  return colors_ ? *colors_ : kClassic;
}

bool TCustomGridView::ThemesActive() const {
  if (!ThemeQuery) return false;
  try {
    return ThemeQuery();
  } catch (...) {
    throw Exception(UiText(TextId::ThemesError));
  }
}

bool TCustomGridView::ThemedFrame() const {
  return borderStyle_ == bsSingle && enableVisualStyles_ && ThemesActive();
}

// These properties decide the look everywhere and the themed frame: everything is repainted and
// the frame rule applied again.
void TCustomGridView::LookChanged() {
  InvalidateAll();
  if (HandleAllocated() && PlatformFrameChanged) PlatformFrameChanged();
}

void TCustomGridView::SetAppearanceOptions(TAppearanceOptions value) {
  appearance_ = value;
  LookChanged();
}

void TCustomGridView::SetHeaderStyle(THeaderStyle value) {
  headerStyle_ = value;
  LookChanged();
}

void TCustomGridView::SetEnableVisualStyles(bool value) {
  enableVisualStyles_ = value;
  LookChanged();
}

void TCustomGridView::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  BorderEdge = value == bsSingle ? TBorderEdge::beStatic : TBorderEdge::beNone;
  LookChanged();
}

void TCustomGridView::HandleCreated() {
  Grid().SetHandleAllocated(true);
  if (PlatformWindowCreated && Peer()) PlatformWindowCreated(Peer()->NativeHandle());
  lastClientWidth_ = -1;
  lastClientHeight_ = -1;
  Resize();
  UpdateVerticalScrollRange();
}

void TCustomGridView::HandleDestroying() { Grid().SetHandleAllocated(false); }

}  // namespace zv
