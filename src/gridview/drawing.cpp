// Shared drawing routines of the grid: colour mixing, box placement and the small pictures that
// every painter uses (raised boxes, indicator cells, sort arrows, check boxes, single-line text).
#include "gridview/drawing.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/scaling.h"

namespace zv {

namespace {

int MixChannel(double f, int a, int b) {
  // nearbyint follows the default rounding mode: to nearest, halves to even.
  return static_cast<int>(std::nearbyint(f * b + (1.0 - f) * a));
}

}  // namespace

TGridMetrics TGridMetrics::At(int pixelsPerInch, int themedCheckBox) {
  TGridMetrics m;
  auto scale = [pixelsPerInch](int& v) { v = MulDiv(v, pixelsPerInch, kDesignPixelsPerInch); };
  for (int* v :
       {&m.IndicatorWidth, &m.TextMargin, &m.HeaderIndent, &m.HeaderIndentThemed, &m.GlyphGap,
        &m.SortArrowGap, &m.SortArrowSize, &m.CheckBoxMargin, &m.CheckBoxThemed, &m.CheckBoxClassic,
        &m.TriangleWidth, &m.TriangleHeight, &m.BorderGrab, &m.CaptionTop, &m.ResizeGuard})
    scale(*v);
  if (themedCheckBox > 0) m.CheckBoxThemed = themedCheckBox;
  return m;
}

TColor Blend(TColor a, TColor b, double f, const ColorResolver& colors) {
  a = colors.Resolve(a);
  b = colors.Resolve(b);
  return RGB(MixChannel(f, GetRValue(a), GetRValue(b)), MixChannel(f, GetGValue(a), GetGValue(b)),
             MixChannel(f, GetBValue(a), GetBValue(b)));
}

TColor Shade(TColor a, TColor b, int w, const ColorResolver& colors) {
  if (w < 0 || w >= 256) throw std::invalid_argument("Shade weight out of range");
  a = colors.Resolve(a);
  b = colors.Resolve(b);
  auto mix = [w](int x, int y) { return (w * x + (255 - w) * y) / 256; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

TRect AlignBox(int w, int h, TAlignment horizontal, TVerticalAlignment vertical, const TRect& r,
               int margin) {
  int x = r.Left + margin;
  if (horizontal == taRightJustify) x = r.Right - w - margin;
  if (horizontal == taCenter) x = (r.Left + r.Right) / 2 - w / 2;
  int y = r.Top + margin;
  if (vertical == vaMiddle) y = (r.Top + r.Bottom) / 2 - h / 2;
  if (vertical == vaBottom) y = r.Bottom - h - margin;
  return Bounds(x, y, w, h);
}

void RaisedBox(Canvas& canvas, const TRect& r) {
  if (r.IsEmpty()) return;
  canvas.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, clBtnFace);
  canvas.Polyline({{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}}, clBtnHighlight);
  canvas.Polyline({{r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}},
                  clWindowFrame);
}

void DrawIndicatorCell(Canvas& canvas, const TRect& r, bool oldStyle, bool current, bool selected,
                       const TGridMetrics& metrics) {
  if (oldStyle) {
    RaisedBox(canvas, r);
  } else {
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    canvas.FillRect({L + 1, T + 1, R - 1, B}, clBtnFace);
    canvas.Line({L, T}, {L, B + 1}, clBtnHighlight);
    canvas.Line({L + 2, T}, {R - 2, T}, clBtnHighlight);
    canvas.Line({R - 1, T}, {R - 1, B + 1}, clBtnShadow);
    canvas.Line({L + 2, B - 1}, {R - 2, B - 1}, clBtnShadow);
    for (TPoint p :
         {TPoint{L + 1, T}, TPoint{R - 2, T}, TPoint{L + 1, B - 1}, TPoint{R - 2, B - 1}})
      canvas.FillRect(Bounds(p.X, p.Y, 1, 1), clBtnFace);
  }
  if (current) {
    const int w = metrics.TriangleWidth, h = metrics.TriangleHeight;
    TRect box = AlignBox(w, h, taCenter, vaMiddle, r, 0);
    canvas.Polygon(
        {{box.Left, box.Top}, {box.Left + w - 1, box.Top + h / 2}, {box.Left, box.Top + h - 1}},
        clWindowText, clWindowText);
  }
  if (current || selected) canvas.InvertRect(r);
}

void DrawSortArrow(Canvas& canvas, int x, int y, bool ascending, bool themed, int size) {
  if (themed || size != 8) {
    const int half = size / 2;
    const TColor ink = themed ? clGrayText : clBtnShadow;
    if (ascending)
      canvas.Polygon({{x, y + half}, {x + half, y}, {x + size, y + half}}, ink, ink);
    else
      canvas.Polygon({{x, y}, {x + half, y + half}, {x + size, y}}, ink, ink);
    return;
  }
  if (ascending) {
    canvas.Polyline({{x + 7, y + 6},
                     {x, y + 6},
                     {x, y + 5},
                     {x + 1, y + 5},
                     {x + 1, y + 3},
                     {x + 2, y + 3},
                     {x + 2, y + 1},
                     {x + 3, y + 1},
                     {x + 3, y - 1}},
                    clBtnShadow);
    canvas.Polyline({{x + 7, y + 5},
                     {x + 6, y + 5},
                     {x + 6, y + 3},
                     {x + 5, y + 3},
                     {x + 5, y + 1},
                     {x + 4, y + 1},
                     {x + 4, y - 1}},
                    clBtnHighlight);
  } else {
    canvas.Polyline({{x + 7, y},
                     {x, y},
                     {x, y + 1},
                     {x + 1, y + 1},
                     {x + 1, y + 3},
                     {x + 2, y + 3},
                     {x + 2, y + 5},
                     {x + 3, y + 5},
                     {x + 3, y + 7}},
                    clBtnShadow);
    canvas.Polyline({{x + 7, y + 1},
                     {x + 6, y + 1},
                     {x + 6, y + 3},
                     {x + 5, y + 3},
                     {x + 5, y + 5},
                     {x + 4, y + 5},
                     {x + 4, y + 7}},
                    clBtnHighlight);
  }
}

void DrawSingleLineText(Canvas& canvas, const TRect& r, bool rightToLeft, std::u16string_view text,
                        const TFont& font, TAlignment alignment) {
  if (text.empty()) return;
  canvas.DrawText(r, text, font, CellTextFlags(alignment, vaMiddle, wkEllipsis, rightToLeft));
}

void DrawCheckBox(Canvas& canvas, const TRect& cell, bool checked, TAlignment horizontal,
                  TVerticalAlignment vertical, bool themed, const TGridMetrics& metrics) {
  const int margin = metrics.CheckBoxMargin;
  if (themed) {
    const int size = metrics.CheckBoxThemed;
    TRect box = AlignBox(size, size, horizontal, vertical, cell, margin);
    if (canvas.DrawThemePart("Button", 3, checked ? 5 : 1, box)) return;
  }
  const int size = metrics.CheckBoxClassic;
  TRect box = AlignBox(size, size, horizontal, vertical, cell, margin);
  canvas.FillRect(box, clWindow);
  canvas.FrameRect(box, clBtnShadow);
  if (!checked) return;
  // The mark of the 11-pixel box, (2, 4) - (4, 6) - (9, 1) three lines thick, scaled with it.
  auto at = [size](int v) { return MulDiv(v, size, 11); };
  const int x = box.Left, y = box.Top;
  const int thickness = std::max(3, at(3));
  for (int k = 0; k < thickness; ++k)
    canvas.Polyline(
        {{x + at(2), y + at(4) + k}, {x + at(4), y + at(6) + k}, {x + at(9), y + at(1) + k}},
        clWindowText);
}

unsigned CellTextFlags(TAlignment alignment, TVerticalAlignment vertical, TWrapKind wrap,
                       bool rightToLeft) {
  unsigned flags = tfNoPrefix;
  if (alignment == taRightJustify) flags |= tfRight;
  if (alignment == taCenter) flags |= tfCenter;
  if (vertical == vaMiddle) flags |= tfVCenter;
  if (vertical == vaBottom) flags |= tfBottom;
  if (wrap == wkNone) flags |= tfSingleLine;
  if (wrap == wkEllipsis) flags |= tfSingleLine | tfEndEllipsis;
  if (wrap == wkWordWrap) flags |= tfWordBreak;
  if (rightToLeft) flags |= tfRtlReading;
  return flags;
}

}  // namespace zv
