#pragma once
// Drawing routines shared by the grid's painters: colour mixing, box placement, the old-style
// raised box, the indicator cell, the sort arrow, single-line text and the check box. They draw
// on the stateless Canvas and keep no state of their own.
#include <string_view>

#include "gridview/grid_types.h"
#include "ui/canvas.h"
#include "ui/graphics.h"

namespace zv {

// Width of the indicator strip left of the cells.
constexpr int IndicatorWidth = 12;

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
// row, inverted for a selected or current row.
void DrawIndicatorCell(Canvas& canvas, const TRect& r, bool oldStyle, bool current, bool selected);

// The sort arrow at (x, y): a grey filled triangle when themed, an engraved one otherwise.
void DrawSortArrow(Canvas& canvas, int x, int y, bool ascending, bool themed);

// One line of text, vertically centred, with an end ellipsis and no prefix processing.
void DrawSingleLineText(Canvas& canvas, const TRect& r, bool rightToLeft, std::u16string_view text,
                        const TFont& font, TAlignment alignment);

// Size of the check box: the theme's 13 pixels, or the hand-drawn 11.
inline int CheckBoxSize(bool themed) { return themed ? 13 : 11; }

// Draws a check box placed by AlignBox (margin 2) in the cell rectangle. Themed: the platform's
// "Button" check box part (state 1 unchecked, 5 checked); otherwise the hand-drawn box.
void DrawCheckBox(Canvas& canvas, const TRect& cell, bool checked, TAlignment horizontal,
                  TVerticalAlignment vertical, bool themed);

// The formatted-text flags for a cell's content.
unsigned CellTextFlags(TAlignment alignment, TVerticalAlignment vertical, TWrapKind wrap,
                       bool rightToLeft);

}  // namespace zv
