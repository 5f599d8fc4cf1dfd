// The status bar and its panels.
#include "ui/comctrls.h"

#include "ui/errors.h"
#include "ui/scaling.h"

namespace zv {

void TStatusPanel::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  bar_->PanelChanged(TStatusBar::PropPanelText + index_);
}

void TStatusPanel::SetWidth(int width) {
  width_ = width;
  bar_->PanelChanged(TStatusBar::PropPanels);
}

void TStatusPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  bar_->PanelChanged(TStatusBar::PropPanelText + index_);
}

TStatusPanel& TStatusPanels::Add() {
  items_.emplace_back(new TStatusPanel(bar_, Count()));
  bar_->PanelChanged(TStatusBar::PropPanels);
  return *items_.back();
}

TStatusPanel& TStatusPanels::operator[](int index) {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return *items_[static_cast<size_t>(index)];
}

const TStatusPanel& TStatusPanels::operator[](int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return *items_[static_cast<size_t>(index)];
}

TStatusBar::TStatusBar(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  SetBounds(0, 0, 0, 19);
  SetAlign(TAlign::alBottom);
}

void TStatusBar::SetSizeGrip(bool on) {
  sizeGrip_ = on;
  Changed(PropSizeGrip);
}

void TStatusBar::ChangeScale(int m, int d) {
  if (m == d) return;
  for (int i = 0; i < Panels.Count(); ++i) Panels[i].width_ = MulDiv(Panels[i].width_, m, d);
  Changed(PropPanels);
  TWinControl::ChangeScale(m, d);
}

std::vector<int> TStatusBar::PanelEdges() const {
  std::vector<int> edges;
  int edge = 0;
  for (int i = 0; i < Panels.Count(); ++i) {
    edge += Panels[i].Width();
    edges.push_back(i + 1 == Panels.Count() ? -1 : edge);
  }
  return edges;
}

}  // namespace zv
