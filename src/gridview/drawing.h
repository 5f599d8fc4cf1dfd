#pragma once
// Drawing routines shared by the grid's painters: colour mixing, box placement, the old-style
// raised box, the indicator cell, the sort arrow, single-line text and the check box. They draw
// on the stateless Canvas and keep no state of their own.
#include <string_view>

#include "gridview/grid_types.h"
#include "ui/canvas.h"
#include "ui/graphics.h"

namespace zv {

// The grid's small sizes in pixels, designed for 96 dots per inch (Design) and scaled by the
// display's factor as one set (At). Painting, hit testing and layout read them from here, so that
// no handler scales a number of its own.
struct TGridMetrics {
  int IndicatorWidth = 12;      // the indicator strip left of the cells
  int TextMargin = 2;           // a cell's text keeps this far from its left and right edges
  int HeaderIndent = 2;         // a header cell's picture or caption from its left edge (+1)
  int HeaderIndentThemed = 11;  // a text-only header's caption under visual styles
  int GlyphGap = 2;             // between a header's picture and its caption
  int SortArrowGap = 19;        // from a header's content to its sort arrow
  int SortArrowSize = 8;        // the sort arrow's width (its height is half of it)
  int CheckBoxMargin = 2;       // AlignBox margin of the check boxes
  int CheckBoxThemed = 13;      // the theme's check box
  int CheckBoxClassic = 11;     // the hand-drawn check box
  int TriangleWidth = 6;        // the current row's triangle in the indicator
  int TriangleHeight = 11;
  int BorderGrab = 2;   // a header border can be grabbed this far on each side
  int CaptionTop = 4;   // an empty grid's caption below the cell area's top
  int ResizeGuard = 2;  // part of the strip repainted left of a changed client width

  // The metrics at 96 dots per inch.
  static TGridMetrics Design() { return {}; }
  // Every metric scaled to `pixelsPerInch`; the themed check box takes `themedCheckBox` when it
  // is given (the platform's theme knows its size at that density), else the scaled 13.
  static TGridMetrics At(int pixelsPerInch, int themedCheckBox = 0);
  friend bool operator==(const TGridMetrics&, const TGridMetrics&) = default;
};

// Mixes two colours: each channel is round(f × b + (1 − f) × a), halves to the even neighbour.
// System colours are resolved first.
TColor Blend(TColor a, TColor b, double f, const ColorResolver& colors);

// Weighted mix with an integer weight w < 256: per channel (w × a + (255 − w) × b) div 256.
// A weight of 256 or more is a programming error (std::invalid_argument).
TColor Shade(TColor a, TColor b, int w, const ColorResolver& colors);

// Places a w × h box in r: left/right/top/bottom placements keep the margin, centred ones
// ignore it.
TRect AlignBox(int w, int h, TAlignment horizontal, TVerticalAlignment vertical, const TRect& r,
               int margin);

// The old-style raised box: r shrunk by one filled with clBtnFace, a one-pixel outer frame with
// its top and left edges in clBtnHighlight and its bottom and right edges in clWindowFrame.
void RaisedBox(Canvas& canvas, const TRect& r);

// One indicator cell: the raised box (old style) or the flat bevel, the triangle of the current
// row (metrics' triangle size), inverted for a selected or current row.
void DrawIndicatorCell(Canvas& canvas, const TRect& r, bool oldStyle, bool current, bool selected,
                       const TGridMetrics& metrics = {});

// The sort arrow at (x, y): a grey filled triangle when themed, an engraved one otherwise. `size`
// is its width (8 at 96 dots per inch); the engraved arrow is drawn at its design size only, and
// larger as the themed triangle in the engraving's shadow colour.
void DrawSortArrow(Canvas& canvas, int x, int y, bool ascending, bool themed, int size = 8);

// One line of text, vertically centred, with an end ellipsis and no prefix processing.
void DrawSingleLineText(Canvas& canvas, const TRect& r, bool rightToLeft, std::u16string_view text,
                        const TFont& font, TAlignment alignment);

// Size of the check box: the theme's (13 pixels at 96 dots per inch), or the hand-drawn one (11).
inline int CheckBoxSize(bool themed, const TGridMetrics& metrics = {}) {
  return themed ? metrics.CheckBoxThemed : metrics.CheckBoxClassic;
}

// Draws a check box placed by AlignBox (metrics' margin) in the cell rectangle. Themed: the
// platform's "Button" check box part (state 1 unchecked, 5 checked); otherwise the hand-drawn
// box, its check mark scaled with the box.
void DrawCheckBox(Canvas& canvas, const TRect& cell, bool checked, TAlignment horizontal,
                  TVerticalAlignment vertical, bool themed, const TGridMetrics& metrics = {});

// The formatted-text flags for a cell's content.
unsigned CellTextFlags(TAlignment alignment, TVerticalAlignment vertical, TWrapKind wrap,
                       bool rightToLeft);

}  // namespace zv
