// Thumbnail size rules and scaled decoding: the box follows the display's scaling, pictures keep
// their aspect, the DCT scale never goes below the fitted size, and the decoded thumbnail shows
// the photo the right way round.
#include "thumbnails/thumbnail_decode.h"

#include <gtest/gtest.h>

#include <string>

#include "preview/jpeg_image.h"
#include "thumbnails/thumbnail_test_data.h"

namespace zv {
namespace {

using testing::Bytes;

TEST(ThumbnailDecode, BoxFollowsTheDisplayScaling) {
  struct Case {
    int ppi, width, height;
  };
  for (const Case& c : {Case{96, 64, 48}, Case{120, 80, 60}, Case{144, 96, 72}, Case{192, 128, 96},
                        Case{0, 64, 48}}) {
    SCOPED_TRACE(c.ppi);
    const ThumbnailBox box = ThumbnailBoxFor(c.ppi);
    EXPECT_EQ(box.width, c.width);
    EXPECT_EQ(box.height, c.height);
  }
}

TEST(ThumbnailDecode, FittedSizeKeepsAspectAndScaleCoversIt) {
  struct Case {
    int w, h;
    TPoint fit;
    int denominator;
  };
  const ThumbnailBox box{64, 48};
  const Case cases[] = {
      {640, 480, {64, 48}, 8},   {480, 640, {36, 48}, 8}, {3000, 2000, {64, 43}, 8},
      {300, 225, {64, 48}, 4},   {160, 120, {64, 48}, 2}, {100, 75, {64, 48}, 1},
      {32, 20, {32, 20}, 1},     {10000, 10, {64, 1}, 8}, {1200, 400, {64, 21}, 8},
      {4000, 3000, {64, 48}, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    EXPECT_EQ(FittedSize(c.w, c.h, box), c.fit);
    const int d = ScaleDenominatorFor(c.w, c.h, box);
    EXPECT_EQ(d, c.denominator);
    EXPECT_GE((c.w + d - 1) / d, c.fit.X);
    EXPECT_GE((c.h + d - 1) / d, c.fit.Y);
  }
}

TEST(ThumbnailDecode, PictureIsFittedAndTheRightWayRound) {
  struct Case {
    int w, h;
    ThumbnailBox box;
  };
  for (const Case& c : {Case{640, 480, {64, 48}}, Case{480, 640, {64, 48}},
                        Case{1600, 1200, {128, 96}}, Case{40, 30, {64, 48}}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const Bytes jpeg = testing::MakeJpeg(testing::Quarters(c.w, c.h));
    const Bitmap b = DecodeThumbnail(jpeg.data(), jpeg.size(), c.box);
    const TPoint fit = FittedSize(c.w, c.h, c.box);
    ASSERT_EQ(b.Width, fit.X);
    ASSERT_EQ(b.Height, fit.Y);
    ASSERT_EQ(b.Pixels.size(), std::size_t(b.Width) * std::size_t(b.Height));
    // Red top left, green top right, blue bottom left, white bottom right.
    const int x0 = b.Width / 4, x1 = b.Width * 3 / 4, y0 = b.Height / 4, y1 = b.Height * 3 / 4;
    EXPECT_LE(testing::ColourDistance(b.At(x0, y0), 0xFF0000u), 40);
    EXPECT_LE(testing::ColourDistance(b.At(x1, y0), 0x00FF00u), 40);
    EXPECT_LE(testing::ColourDistance(b.At(x0, y1), 0x0000FFu), 40);
    EXPECT_LE(testing::ColourDistance(b.At(x1, y1), 0xFFFFFFu), 40);
  }
}

TEST(ThumbnailDecode, DataThatIsNoJpegThrowsTheDecodersError) {
  const Bytes junk = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0, 0};
  EXPECT_THROW(DecodeThumbnail(junk.data(), junk.size(), {64, 48}), EJPEG);
  EXPECT_THROW(DecodeThumbnailFile("/nonexistent/folder/05-12-07_0001.jpg", {64, 48}), Exception);
}

}  // namespace
}  // namespace zv
