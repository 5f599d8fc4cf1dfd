// The bounds of the preview's decoder: a JPEG's declared size, its number of scans and libjpeg's
// memory, each refused with a text that names the bound and the photo; files just inside the
// bounds still decode.
#include <gtest/gtest.h>

#include <string>

#include "hostile_jpeg.h"
#include "jpeg_maker.h"
#include "preview/jpeg_image.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::HostileJpegShape;
using testing::MakeHostileJpeg;

constexpr char kPhoto[] = "05-12-07_0012.jpg";

TEST(JpegLimits, TextsNameTheBoundAndThePhoto) {
  EXPECT_EQ(JpegPixelLimitText(kPhoto, 65500, 65500),
            "Фотография слишком велика для просмотра: 05-12-07_0012.jpg (65500 × 65500 точек, "
            "предел 16777216 точек)");
  EXPECT_EQ(JpegPixelLimitText("", 4097, 4096),
            "Фотография слишком велика для просмотра (4097 × 4096 точек, предел 16777216 точек)");
  EXPECT_EQ(JpegMemoryLimitText(kPhoto),
            "Для просмотра фотографии нужно слишком много памяти: 05-12-07_0012.jpg (предел 160 "
            "МБ)");
  EXPECT_EQ(JpegScanLimitText(kPhoto),
            "Фотография записана слишком большим числом проходов: 05-12-07_0012.jpg (предел 100)");
  // None of them gains a "." in the error box.
  EXPECT_EQ(ErrorBoxText(JpegScanLimitText(kPhoto)), JpegScanLimitText(kPhoto));
}

// Declared sizes over the bound are refused when the header is read, whatever the data: the
// 538-byte progressive file that would ask for 13 GB, a size just over the bound, the wide one.
TEST(JpegLimits, DeclaredSizeOverTheBoundIsRefusedAtTheHeader) {
  const struct {
    HostileJpegShape shape;
    bool refused;
  } cases[] = {
      {{65500, 65500, 3, true, 10, false}, true},
      {{65500, 65500, 1, false, 1, true}, true},
      {{63504, 4110, 3, false, 1, false}, true},
      {{4097, 4096, 3, false, 1, false}, true},
      {{65500, 257, 3, true, 2, false}, true},
      {{4096, 4096, 3, true, 10, false}, false},  // the bound itself
      {{65500, 256, 1, false, 1, true}, false},
  };
  for (const auto& c : cases) {
    const HostileJpegShape& s = c.shape;
    SCOPED_TRACE(std::to_string(s.Width) + " x " + std::to_string(s.Height));
    const auto data = MakeHostileJpeg(s);
    TJPEGImage jpeg;
    jpeg.SetPhotoName(kPhoto);
    if (c.refused) {
      try {
        jpeg.LoadFromMemory(data.data(), data.size());
        ADD_FAILURE() << "loaded";
      } catch (const EJPEGLimit& e) {
        EXPECT_EQ(std::string(e.what()), JpegPixelLimitText(kPhoto, s.Width, s.Height));
      }
      EXPECT_EQ(jpeg.Width(), 0);
    } else {
      jpeg.LoadFromMemory(data.data(), data.size());
      EXPECT_EQ(jpeg.Width(), s.Width);
      EXPECT_EQ(jpeg.Height(), s.Height);
    }
  }
}

// A file of nothing but empty scans stops at the bound; one scan fewer decodes.
TEST(JpegLimits, ScansOverTheBoundAreRefused) {
  for (const int scans : {kMaxJpegScans, kMaxJpegScans + 1, 5000}) {
    SCOPED_TRACE(scans);
    const auto data = MakeHostileJpeg({64, 48, 3, true, scans, false});
    TJPEGImage jpeg;
    jpeg.SetPhotoName(kPhoto);
    jpeg.LoadFromMemory(data.data(), data.size());
    if (scans <= kMaxJpegScans) {
      const JpegPicture picture = jpeg.Decode();
      EXPECT_EQ(picture.Colors.Width, 64);
      EXPECT_EQ(picture.Colors.Pixels.size(), 64u * 48u);
    } else {
      try {
        jpeg.Decode();
        ADD_FAILURE() << "decoded";
      } catch (const EJPEGLimit& e) {
        EXPECT_EQ(std::string(e.what()), JpegScanLimitText(kPhoto));
      }
    }
  }
}

// libjpeg's whole-picture buffers over its bound: a progressive photo's coefficients (6 MiB for
// 1024 × 1024 colour) under a bound of 4 MiB, and the picture that two-pass quantisation keeps
// for a screen of 8 bits per pixel (6 MiB for 2048 × 1024).
TEST(JpegLimits, LibjpegMemoryOverTheBoundIsRefused) {
  const long kBound = 4L << 20;
  const struct {
    std::vector<std::uint8_t> data;
    int screenBits;
    bool refused;
  } cases[] = {
      {MakeHostileJpeg({1024, 1024, 3, true, 4, false}), 32, true},
      {MakeHostileJpeg({2048, 1024, 3, false, 1, false}), 8, true},
      {MakeHostileJpeg({2048, 1024, 3, false, 1, false}), 32, false},  // rows only
      {MakeHostileJpeg({512, 512, 3, true, 4, false}), 32, false},     // 1.5 MiB
      {MakeHostileJpeg({1024, 512, 3, false, 1, false}), 8, false},    // 1.5 MiB
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    TJPEGImage jpeg(cases[i].screenBits);
    jpeg.SetPhotoName(kPhoto);
    jpeg.SetMemoryLimit(kBound);
    jpeg.LoadFromMemory(cases[i].data.data(), cases[i].data.size());
    if (cases[i].refused) {
      try {
        jpeg.Decode();
        ADD_FAILURE() << "decoded";
      } catch (const EJPEGLimit& e) {
        EXPECT_EQ(std::string(e.what()), JpegMemoryLimitText(kPhoto, kBound));
        EXPECT_TRUE(std::string(e.what()).ends_with("(предел 4 МБ)")) << e.what();
      }
    } else {
      EXPECT_EQ(jpeg.Decode().Colors.Width, jpeg.Width());
    }
  }
}

// Damaged data inside the bounds decodes to a picture of the declared size (libjpeg fills what
// is missing), with warnings: the truncated file at the size bound, and a file of the widest
// size libjpeg takes.
TEST(JpegLimits, DamagedFilesInsideTheBoundsDecode) {
  for (const HostileJpegShape& s :
       {HostileJpegShape{4096, 4096, 3, false, 1, true}, HostileJpegShape{65500, 16, 1, true, 3}}) {
    SCOPED_TRACE(std::to_string(s.Width) + " x " + std::to_string(s.Height));
    const auto data = MakeHostileJpeg(s);
    TJPEGImage jpeg;
    jpeg.LoadFromMemory(data.data(), data.size());
    const JpegPicture picture = jpeg.Decode();
    EXPECT_EQ(picture.Colors.Width, s.Width);
    EXPECT_EQ(picture.Colors.Pixels.size(), size_t(s.Width) * size_t(s.Height));
    EXPECT_GT(jpeg.Warnings(), 0);
  }
}

}  // namespace
}  // namespace zv
