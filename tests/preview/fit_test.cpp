// Placing and scaling the preview picture.
#include "preview/fit.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(PictureRect, PreviewWindowRules) {
  // Center and Proportional on, Stretch off, as the preview window sets them.
  const struct {
    int w, h, cw, ch;
    TRect expected;
  } cases[] = {
      {1280, 1024, 640, 480, Bounds(20, 0, 600, 480)},   // too tall at full width
      {1600, 800, 640, 480, Bounds(0, 80, 640, 320)},    // wide
      {480, 640, 640, 480, Bounds(140, 0, 360, 480)},    // portrait
      {320, 240, 640, 480, Bounds(160, 120, 320, 240)},  // fits: never enlarged
      {640, 480, 640, 480, Bounds(0, 0, 640, 480)},      // exactly fits
      {4000, 3000, 640, 480, Bounds(0, 0, 640, 480)},
      {1000, 1000, 640, 480, Bounds(80, 0, 480, 480)},  // square: the w <= h branch
      {641, 100, 640, 480, Bounds(0, 190, 640, 99)},    // 640 / 6.41 = 99.84 truncated
      {100, 481, 640, 480, Bounds(270, 0, 99, 480)},    // 480 * 0.2079 = 99.79 truncated
      {700, 501, 641, 481, Bounds(0, 11, 641, 458)},    // odd margin: 23 / 2 truncated
      {1280, 1024, 101, 50, Bounds(19, 0, 62, 50)},     // 50 * 1.25 = 62.5 truncated
      {0, 0, 640, 480, Bounds(320, 240, 0, 0)},         // no picture
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch);
    EXPECT_EQ(PictureRect(c.w, c.h, c.cw, c.ch, false, true, true), c.expected);
  }
}

TEST(PictureRect, PictureLargerThanAreaGivesNegativeCentringTruncatedTowardZero) {
  // Without Proportional a large picture keeps its size; (640 - 641) / 2 truncates to 0 and
  // (480 - 483) / 2 to -1, not to -1 and -2.
  EXPECT_EQ(PictureRect(641, 483, 640, 480, false, false, true), Bounds(0, -1, 641, 483));
}

TEST(PictureRect, OtherPropertyCombinations) {
  // Stretch alone fills the area; Stretch with Proportional may enlarge; no Center: top left.
  EXPECT_EQ(PictureRect(320, 240, 640, 480, true, false, true), Bounds(0, 0, 640, 480));
  EXPECT_EQ(PictureRect(320, 240, 640, 600, true, true, true), Bounds(0, 60, 640, 480));
  EXPECT_EQ(PictureRect(1600, 800, 640, 480, false, true, false), Bounds(0, 0, 640, 320));
  EXPECT_EQ(PictureRect(320, 240, 640, 480, false, false, false), Bounds(0, 0, 320, 240));
}

Bitmap Row(std::vector<std::uint32_t> pixels) {
  return Bitmap{int(pixels.size()), 1, std::move(pixels)};
}

TEST(Stretch, NearestDropsAndRepeatsWholePixels) {
  const Bitmap four = Row({1, 2, 3, 4});
  EXPECT_EQ(StretchNearest(four, 2, 1).Pixels, (std::vector<std::uint32_t>{1, 3}));
  EXPECT_EQ(StretchNearest(four, 8, 1).Pixels,
            (std::vector<std::uint32_t>{1, 1, 2, 2, 3, 3, 4, 4}));
  EXPECT_EQ(StretchNearest(four, 3, 2).Pixels, (std::vector<std::uint32_t>{1, 2, 3, 1, 2, 3}));
  const Bitmap column{1, 3, {10, 20, 30}};
  EXPECT_EQ(StretchNearest(column, 1, 2).Pixels, (std::vector<std::uint32_t>{10, 20}));
  EXPECT_TRUE(StretchNearest(four, 0, 1).Empty());
}

TEST(Stretch, HalftoneAveragesTheCoveredPixels) {
  const Bitmap square{2, 2, {0x000000, 0xFF0000, 0x00FF00, 0xFFFFFF}};
  const Bitmap one = StretchHalftone(square, 1, 1);
  ASSERT_EQ(one.Pixels.size(), 1u);
  EXPECT_EQ(one.Pixels[0], 0x808040u);  // (0+255+0+255)/4, (0+0+255+255)/4, 255/4 rounded
  EXPECT_EQ(StretchHalftone(Row({0x10, 0x30, 0x50, 0x70}), 2, 1).Pixels,
            (std::vector<std::uint32_t>{0x20, 0x60}));
  EXPECT_EQ(StretchHalftone(Row({5, 9}), 4, 1).Pixels, (std::vector<std::uint32_t>{5, 5, 9, 9}));
}

}  // namespace
}  // namespace zv
