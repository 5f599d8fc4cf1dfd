// TForm: outer bounds within constraints, the design frame while headless, closing.
#include "ui/forms.h"

#include <algorithm>

#include "ui/scaling.h"

namespace zv {

TForm::TForm(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  SetVisible(false);
}

void TForm::SetConstraints(const TSizeConstraints& c) {
  constraints_ = c;
  Changed(PropConstraints);
  int w = Width(), h = Height();
  ClampSize(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TForm::ClampSize(int& width, int& height) const {
  if (constraints_.MaxWidth > 0) width = std::min(width, constraints_.MaxWidth);
  if (constraints_.MaxHeight > 0) height = std::min(height, constraints_.MaxHeight);
  width = std::max(width, constraints_.MinWidth);
  height = std::max(height, constraints_.MinHeight);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  ClampSize(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(Left(), Top(), width + Width() - client.Width(), height + Height() - client.Height());
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::BringToFront() { Changed(PropBringToFront); }

void TForm::Close() {
  TCloseAction action = CloseAction;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caFree:
      Hide();
      if (OnRelease) OnRelease(this);
      break;
    case TCloseAction::caNone:
    case TCloseAction::caMinimize:
      break;
  }
}

void TForm::BoundsChangedByPlatform(const TRect& outer) { StoreBounds(outer); }

void TForm::ChangeScale(int m, int d) {
  if (m == d) return;
  auto scale = [m, d](int v) { return v > 0 ? MulDiv(v, m, d) : v; };
  constraints_ = {scale(constraints_.MinWidth), scale(constraints_.MinHeight),
                  scale(constraints_.MaxWidth), scale(constraints_.MaxHeight)};
  Changed(PropConstraints);
  TWinControl::ChangeScale(m, d);
}

TRect TForm::ScaledBounds(int m, int d) const {
  const TRect client = ClientRect();
  const int frameW = Width() - client.Width(), frameH = Height() - client.Height();
  return Bounds(Left(), Top(), MulDiv(client.Width(), m, d) + frameW,
                MulDiv(client.Height(), m, d) + frameH);
}

TRect TForm::HeadlessClientRect() const {
  return {0, 0, std::max(0, Width() - kDesignFrameWidth),
          std::max(0, Height() - kDesignFrameHeight)};
}

}  // namespace zv
