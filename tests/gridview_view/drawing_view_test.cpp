// The grid's colour mixing and box placement, checked against hand-computed values.
#include <gtest/gtest.h>

#include "gridview/drawing.h"

namespace zv {
namespace {

TEST(GridDrawing, BlendRoundsHalvesToEven) {
  ClassicColors colors;
  struct Case {
    TColor a, b;
    double f;
    TColor expected;
  } cases[] = {
      // Window white with the classic highlight (10, 36, 106) at one quarter:
      // 193.75, 200.25, 217.75.
      {clWindow, clHighlight, 0.25, RGB(194, 200, 218)},
      // Exact halves go to the even neighbour: 0.5 × 1 = 0.5 → 0, 0.5 × 3 = 1.5 → 2, 2.5 → 2.
      {RGB(0, 0, 0), RGB(1, 3, 5), 0.5, RGB(0, 2, 2)},
      {RGB(10, 20, 30), RGB(200, 100, 0), 0.0, RGB(10, 20, 30)},
      {RGB(10, 20, 30), RGB(200, 100, 0), 1.0, RGB(200, 100, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, Blend(c.a, c.b, c.f, colors)) << c.f;
}

TEST(GridDrawing, ShadeWeighsAndRejectsFullWeight) {
  ClassicColors colors;
  // (10 × 0 + 245 × 255) div 256 = 244; (10 × 255 + 245 × 0) div 256 = 9.
  EXPECT_EQ(RGB(244, 244, 244), Shade(clBlack, clWindow, 10, colors));
  EXPECT_EQ(RGB(9, 0, 9), Shade(RGB(255, 0, 255), clBlack, 10, colors));
  EXPECT_EQ(RGB(254, 0, 0), Shade(RGB(255, 0, 0), RGB(255, 0, 0), 255, colors));
  EXPECT_THROW(Shade(clBlack, clWhite, 256, colors), std::invalid_argument);
}

TEST(GridDrawing, AlignBoxPlacesByAlignmentAndMargin) {
  const TRect cell{100, 50, 124, 66};  // 24 × 16
  struct Case {
    TAlignment h;
    TVerticalAlignment v;
    int margin;
    TRect expected;
  } cases[] = {
      {taLeftJustify, vaTop, 2, Bounds(102, 52, 11, 11)},
      {taRightJustify, vaBottom, 2, Bounds(124 - 11 - 2, 66 - 11 - 2, 11, 11)},
      // Centred placements ignore the margin: (100 + 124) div 2 − 5 = 107, (50 + 66) div 2 − 5.
      {taCenter, vaMiddle, 2, Bounds(107, 53, 11, 11)},
      {taCenter, vaMiddle, 7, Bounds(107, 53, 11, 11)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, AlignBox(11, 11, c.h, c.v, cell, c.margin));
  // The 13-pixel themed box in the same cell: 112 − 6, 58 − 6.
  EXPECT_EQ(Bounds(106, 52, 13, 13), AlignBox(13, 13, taCenter, vaMiddle, cell, 2));
}

TEST(GridDrawing, CellTextFlagsFollowTheColumn) {
  EXPECT_EQ(unsigned(tfNoPrefix | tfVCenter | tfSingleLine | tfEndEllipsis),
            CellTextFlags(taLeftJustify, vaMiddle, wkEllipsis, false));
  EXPECT_EQ(unsigned(tfNoPrefix | tfRight | tfBottom | tfWordBreak | tfRtlReading),
            CellTextFlags(taRightJustify, vaBottom, wkWordWrap, true));
  EXPECT_EQ(unsigned(tfNoPrefix | tfCenter | tfSingleLine),
            CellTextFlags(taCenter, vaTop, wkNone, false));
}

}  // namespace
}  // namespace zv
