// Painting of the grid's header band (old-style header cells with picture, caption, sort arrow
// and the pressed look, and the corner box above the indicator) and of the cell content by
// column class: running numbers, texts and check boxes.
#include <string>

#include "gridview/drawing.h"
#include "gridview/grid.h"

namespace zv {

namespace {

constexpr TColor kGlyphTransparent = RGB(255, 0, 255);

}  // namespace

void TCustomGridView::PaintHeader(Canvas& canvas) {
  const int clientWidth = ClientWidth();
  const int scroll = HorzScrollPosition();
  const bool themed = enableVisualStyles_ && ThemesActiveForPaint();
  for (TCustomColumn* column : Grid().Columns().DisplayOrder()) {
    if (!column->Visible()) continue;
    const int x = column->ColumnLeft - scroll;
    if (x >= clientWidth) break;
    const TRect r = HeaderCellRect(*column);
    if (r.Right <= 0 || !r.Intersects(paintBox_)) continue;
    PaintHeaderCell(canvas, *column, r, themed);
  }
  if (Grid().Options().Contains(goIndicator)) {
    const TRect corner{0, 0, metrics_.IndicatorWidth, HeaderSize};
    if (corner.Intersects(paintBox_)) RaisedBox(canvas, corner);
  }
}

void TCustomGridView::PaintHeaderCell(Canvas& canvas, TCustomColumn& column, const TRect& r,
                                      bool themed) {
  const TColumnHeader& header = column.Header();
  const TDisplayMode mode = header.DisplayMode();
  const Bitmap& glyph = header.Glyph();
  const TFont& font = Grid().Font();
  RaisedBox(canvas, r);

  const TGridMetrics& m = metrics_;
  const int indent = themed && mode == dmTextOnly ? m.HeaderIndentThemed : m.HeaderIndent;
  int x = r.Left + indent + 1;
  const bool showGlyph = mode != dmTextOnly && !glyph.Empty();
  if (showGlyph) {
    canvas.DrawBitmap(r.Left + indent + 1, r.Top + r.Height() / 2 - glyph.Height / 2, glyph,
                      kGlyphTransparent);
    x += glyph.Width + m.GlyphGap;
  }
  if (mode != dmImageOnly)
    DrawSingleLineText(canvas, {x, r.Top, r.Right, r.Bottom}, RightToLeft, header.Caption(), font,
                       taLeftJustify);

  if (column.Sorted()) {
    const int glyphWidth = glyph.Empty() ? 0 : glyph.Width;
    int ax = r.Left + m.HeaderIndent;
    switch (mode) {
      case dmImageOnly:
        ax += glyphWidth + m.SortArrowGap;
        break;
      case dmTextOnly:
        ax += canvas.TextWidth(header.Caption(), font) + m.SortArrowGap;
        break;
      case dmTextAndImage:
        ax += glyphWidth + canvas.TextWidth(header.Caption(), font) + m.SortArrowGap + m.GlyphGap;
        break;
    }
    const int size = m.SortArrowSize;
    const int ay = r.Top + r.Height() / 2 - size / 2 + (themed ? 1 : 0);
    if (ax + size < r.Right)
      DrawSortArrow(canvas, ax, ay, column.SortKind() == skAscending, themed, size);
  }

  // The old-style painter has the pressed look: the held header cell is inverted.
  if (&column == PressedHeaderColumn) {
    if (VisibleColumnsCount() == 1)
      canvas.InvertRect({r.Left - 1, r.Top - 1, r.Right, r.Bottom});
    else
      canvas.InvertRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
  }
}

void TCustomGridView::DrawCellContent(Canvas& canvas, TCustomColumn& column, int ACol, int ARow,
                                      const TRect& r, TCellState state, bool themed) {
  TCell& cell = Grid().CellAt(ACol, ARow);
  const TGridMetrics& m = metrics_;

  // Text font and colour; the cell events may change colour and style.
  TFont font = column.Font();
  font.Color = CellTextColor(ACol, ARow);
  TFontStyles style = cell.FontStyle();
  if (OnCellFormating) OnCellFormating(this, ACol, ARow, font.Color, style, state);
  if (state.Contains(csBoldTextSelection)) style |= fsBold;
  font.Style = style;

  if (appearance_.Contains(aoHintMarks) && !cell.Hint().empty())
    canvas.Polygon({{r.Right - 5, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Top + 4}}, clRed,
                   clRed);

  std::u16string text;
  switch (column.DisplayClass()) {
    case TColumnDisplayClass::CheckBox:
      DrawCheckBox(canvas, r, cell.AsBoolean(), column.Alignment(), column.VerticalAlignment(),
                   themed, m);
      return;
    case TColumnDisplayClass::Increment: {
      const std::string digits = std::to_string(cell.AsInteger());
      text.assign(digits.begin(), digits.end());
      break;
    }
    default: {
      std::u16string scratch;
      text = column.FormatText(cell.StringView(scratch));
      break;
    }
  }
  if (text.empty()) return;
  canvas.DrawText({r.Left + m.TextMargin, r.Top, r.Right - m.TextMargin, r.Bottom}, text, font,
                  CellTextFlags(column.Alignment(), column.VerticalAlignment(), column.WrapKind(),
                                RightToLeft));
}

}  // namespace zv
