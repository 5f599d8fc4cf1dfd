// RecordingCanvas: what tests of painting rely on.
#include "ui/recording_canvas.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(RecordingCanvas, KeepsCallsInOrderWithTheirArguments) {
  RecordingCanvas c({0, 0, 100, 50});
  c.FillRect({0, 0, 10, 10}, clBtnFace);
  c.DrawText({0, 0, 50, 16}, u"Файл", TFont{}, tfVCenter | tfEndEllipsis);
  c.Line({0, 5}, {9, 5}, clRed);
  Bitmap b{2, 1, {0x112233, 0x445566}};
  c.DrawBitmap(3, 4, b, clBlack);
  ASSERT_EQ(c.Calls.size(), 4u);
  EXPECT_EQ(c.Calls[0].kind, CanvasCall::kFillRect);
  EXPECT_EQ(c.Calls[0].color, clBtnFace);
  EXPECT_EQ(c.Texts(), (std::vector<std::u16string>{u"Файл"}));
  EXPECT_EQ(c.Calls[1].flags, unsigned(tfVCenter | tfEndEllipsis));
  EXPECT_EQ(c.Calls[2].points, (std::vector<TPoint>{{0, 5}, {9, 5}}));
  EXPECT_EQ(c.Calls[3].points[0], (TPoint{3, 4}));
  EXPECT_EQ(c.Calls[3].bitmap.Pixels, b.Pixels);
  EXPECT_EQ(c.Of(CanvasCall::kLine).size(), 1u);
}

TEST(RecordingCanvas, FixedMetricsAndClip) {
  RecordingCanvas c({0, 0, 100, 50});
  TFont bold;
  bold.Style = fsBold;
  EXPECT_EQ(c.TextWidth(u"abcd", TFont{}), 4 * RecordingCanvas::kCharWidth);
  EXPECT_EQ(c.TextWidth(u"abcd", bold), 4 * (RecordingCanvas::kCharWidth + 1));
  EXPECT_EQ(c.TextHeight(TFont{}), 13);
  EXPECT_EQ(c.ClipBox(), (TRect{0, 0, 100, 50}));
  c.SetClip({50, 10, 200, 20});
  EXPECT_EQ(c.ClipBox(), (TRect{50, 10, 100, 20}));
  c.ResetClip();
  EXPECT_EQ(c.ClipBox(), (TRect{0, 0, 100, 50}));
  EXPECT_FALSE(c.DrawThemePart("Button", 3, 5, {0, 0, 13, 13}));
  c.ThemeAvailable = true;
  EXPECT_TRUE(c.DrawThemePart("Button", 3, 5, {0, 0, 13, 13}));
  EXPECT_EQ(c.Calls.back().themeClass, "Button");
}

}  // namespace
}  // namespace zv
