#pragma once
// The status bar with its panels.
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace zv {

class TStatusBar;

class TStatusPanel {
 public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

 private:
  friend class TStatusPanels;
  friend class TStatusBar;
  TStatusPanel(TStatusBar* bar, int index) : bar_(bar), index_(index) {}
  TStatusBar* bar_;
  int index_;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

// The panels, counted from 0. An index outside them fails with "List index out of bounds (%d)".
class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TStatusPanel& Add();
  TStatusPanel& operator[](int index);
  const TStatusPanel& operator[](int index) const;

 private:
  TStatusBar* bar_;
  std::vector<std::unique_ptr<TStatusPanel>> items_;
};

class TStatusBar : public TWinControl {
 public:
  // PropPanels: the panels' widths or alignments; PropPanelText + i: the text of panel i.
  enum Prop { PropPanels = 300, PropSizeGrip, PropPanelText = 1000 };

  TStatusBar(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TStatusBar"; }

  TStatusPanels Panels{this};
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool on);
  int BorderWidth = 0;

  // Right edges of the panels as the platform takes them: each panel's edge is the sum of the
  // widths up to it; the last panel reaches to the right end of the bar (-1).
  std::vector<int> PanelEdges() const;

  // The panels' widths scale with the bar.
  void ChangeScale(int m, int d) override;

 private:
  friend class TStatusPanel;
  friend class TStatusPanels;
  void PanelChanged(int property) { Changed(property); }
  bool sizeGrip_ = true;
};

}  // namespace zv
