// Decoding the preview's JPEG: colour, greyscale, progressive and arithmetic-coded photos,
// 8-bit screens, and broken data of every kind.
#include <gtest/gtest.h>

#include <fstream>

#include "jpeg_maker.h"
#include "preview/jpeg_image.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::ColourDistance;
using testing::MakeJpeg;
using testing::Quarters;

std::uint64_t Fnv1a(const Bitmap& b) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (std::uint32_t p : b.Pixels)
    for (int shift : {16, 8, 0}) h = (h ^ ((p >> shift) & 0xFF)) * 0x100000001b3ull;
  return h;
}

// The centre of each quarter of Quarters(), with the colour it must decode to.
void ExpectQuarters(const Bitmap& b, int tolerance) {
  const int w = b.Width, h = b.Height;
  const struct {
    int x, y;
    std::uint32_t colour;
  } probes[] = {{w / 4, h / 4, 0xFF0000},
                {3 * w / 4, h / 4, 0x00FF00},
                {w / 4, 3 * h / 4, 0x0000FF},
                {3 * w / 4, 3 * h / 4, 0xFFFFFF}};
  for (const auto& p : probes)
    EXPECT_LE(ColourDistance(b.At(p.x, p.y), p.colour), tolerance)
        << "at " << p.x << "," << p.y << ": " << std::hex << b.At(p.x, p.y);
}

TEST(JpegImage, ColourPhotoDecodesTo24BitAtFullSize) {
  const auto data = MakeJpeg(Quarters(64, 48));
  TJPEGImage jpeg;
  jpeg.LoadFromMemory(data.data(), data.size());
  EXPECT_EQ(jpeg.Width(), 64);
  EXPECT_EQ(jpeg.Height(), 48);
  EXPECT_FALSE(jpeg.Grayscale());
  EXPECT_EQ(jpeg.PixelFormat(), jf24Bit);
  const JpegPicture pic = jpeg.Decode();
  EXPECT_EQ(pic.BitsPerPixel, 24);
  ASSERT_EQ(pic.Colors.Width, 64);
  ASSERT_EQ(pic.Colors.Height, 48);
  ASSERT_EQ(pic.Colors.Pixels.size(), 64u * 48u);
  for (std::uint32_t p : pic.Colors.Pixels) ASSERT_EQ(p >> 24, 0u) << "the top byte must be 0";
  ExpectQuarters(pic.Colors, 6);
}

// The memory of an earlier picture is decoded into when it is large enough and not far larger;
// whatever it held is gone, in 24-bit and 8-bit pictures alike. The data handed over whole is
// the decoder's own.
TEST(JpegImage, DecodesIntoTheMemoryOfAnEarlierPicture) {
  const auto data = MakeJpeg(Quarters(64, 48));
  struct Case {
    const char* what;
    size_t capacity;
    int screenBits;
    bool reused;
  } cases[] = {
      {"just enough", 64 * 48, 32, true},
      {"twice as much", 2 * 64 * 48, 32, true},
      {"more than twice as much", 2 * 64 * 48 + 1, 32, false},
      {"too little", 64 * 48 - 1, 32, false},
      {"8-bit picture", 64 * 48, 8, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint32_t> storage;
    storage.reserve(c.capacity);
    storage.assign(7, 0xFFFFFFFFu);
    const std::uint32_t* memory = storage.data();
    TJPEGImage jpeg(c.screenBits);
    jpeg.LoadFromMemory(std::vector<std::uint8_t>(data));
    const JpegPicture pic = jpeg.Decode(std::move(storage));
    EXPECT_EQ(pic.Colors.Pixels.data() == memory, c.reused);
    ASSERT_EQ(pic.Colors.Pixels.size(), 64u * 48u);
    ExpectQuarters(pic.Colors, c.screenBits <= 8 ? 24 : 6);
  }
}

TEST(JpegImage, ProgressiveDecodesLikeBaseline) {
  const Bitmap source = Quarters(80, 60);
  const auto baseline = MakeJpeg(source, false, false);
  const auto progressive = MakeJpeg(source, false, true);
  ASSERT_GT(testing::ScanMarkers(progressive).size(), 1u);
  TJPEGImage a, b;
  a.LoadFromMemory(baseline.data(), baseline.size());
  b.LoadFromMemory(progressive.data(), progressive.size());
  const Bitmap pa = a.Decode().Colors, pb = b.Decode().Colors;
  ASSERT_EQ(pb.Width, 80);
  ASSERT_EQ(pb.Height, 60);
  ExpectQuarters(pb, 6);
  // The same quantised coefficients, so the same pixels.
  EXPECT_EQ(pa.Pixels, pb.Pixels);
}

TEST(JpegImage, GreyscaleGivesAnEightBitPictureOfAtMost236Levels) {
  Bitmap ramp{256, 8, std::vector<std::uint32_t>(256 * 8)};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 256; ++x) ramp.Pixels[size_t(y) * 256 + size_t(x)] = std::uint32_t(x) << 8;
  const auto data = MakeJpeg(ramp, true);
  TJPEGImage jpeg;
  jpeg.LoadFromMemory(data.data(), data.size());
  EXPECT_TRUE(jpeg.Grayscale());
  EXPECT_EQ(jpeg.PixelFormat(), jf8Bit);
  const JpegPicture pic = jpeg.Decode();
  EXPECT_EQ(pic.BitsPerPixel, 8);
  ASSERT_LE(pic.Palette.size(), 236u);
  ASSERT_GT(pic.Palette.size(), 100u);
  for (std::uint32_t c : pic.Palette) {
    EXPECT_EQ(c >> 24, 0u);
    EXPECT_EQ((c >> 16) & 0xFF, c & 0xFF) << "grey levels only";
    EXPECT_EQ((c >> 8) & 0xFF, c & 0xFF) << "grey levels only";
  }
  ASSERT_EQ(pic.Indices.size(), 256u * 8u);
  for (size_t i = 0; i < pic.Indices.size(); ++i) {
    ASSERT_LT(pic.Indices[i], pic.Palette.size());
    ASSERT_EQ(pic.Colors.Pixels[i], pic.Palette[pic.Indices[i]]);
  }
  for (int x : {0, 64, 128, 200, 255})
    EXPECT_LE(ColourDistance(pic.Colors.At(x, 4), std::uint32_t(x) * 0x010101u), 6) << x;
}

TEST(JpegImage, EightBitScreenQuantisesColourTo236Colours) {
  const auto data = MakeJpeg(Quarters(64, 48));
  TJPEGImage jpeg(8);
  jpeg.LoadFromMemory(data.data(), data.size());
  EXPECT_FALSE(jpeg.Grayscale());
  EXPECT_EQ(jpeg.PixelFormat(), jf8Bit);
  const JpegPicture pic = jpeg.Decode();
  EXPECT_EQ(pic.BitsPerPixel, 8);
  EXPECT_LE(pic.Palette.size(), 236u);
  EXPECT_FALSE(pic.Palette.empty());
  ASSERT_EQ(pic.Indices.size(), 64u * 48u);
  for (size_t i = 0; i < pic.Indices.size(); ++i)
    ASSERT_EQ(pic.Colors.Pixels[i], pic.Palette[pic.Indices[i]]);
  ExpectQuarters(pic.Colors, 24);
}

TEST(JpegImage, BrokenDataIsAJpegErrorWithLibjpegsCode) {
  auto noSoi = MakeJpeg(Quarters(16, 16));
  noSoi[0] = 'G';
  noSoi[1] = 'I';
  const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
  // The first scan header names a component that the frame does not have.
  auto badScan = MakeJpeg(Quarters(16, 16));
  const size_t sos = testing::ScanMarkers(badScan).at(0);
  badScan[sos + 5] = 0x7E;  // the first component selector
  const struct {
    const char* name;
    std::vector<std::uint8_t> data;
    int code;
  } cases[] = {
      {"no start marker", noSoi, JERR_NO_SOI},
      {"another format", gif, JERR_NO_SOI},
      {"empty", {}, JERR_INPUT_EMPTY},
      {"only the start marker", {0xFF, 0xD8}, -1},
      {"scan of an unknown component", badScan, JERR_BAD_COMPONENT_ID},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TJPEGImage jpeg;
    try {
      jpeg.LoadFromMemory(c.data.data(), c.data.size());
      ADD_FAILURE() << "no error";
    } catch (const EJPEG& e) {
      if (c.code >= 0) {
        EXPECT_EQ(e.Code, c.code);
      }
      EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.Code));
    }
  }
  EXPECT_EQ(JERR_NO_SOI, 53);
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromMemory(gif.data(), gif.size());
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "JPEG error #53");
  }
}

TEST(JpegImage, CorruptLaterScanFailsTheDecodeNotTheLoad) {
  auto data = MakeJpeg(Quarters(64, 48), false, true);
  const auto scans = testing::ScanMarkers(data);
  ASSERT_GE(scans.size(), 3u);
  data[scans[2] + 5] = 0x7E;  // a later scan names an unknown component
  TJPEGImage jpeg;
  jpeg.LoadFromMemory(data.data(), data.size());
  EXPECT_EQ(jpeg.Width(), 64);
  try {
    jpeg.Decode();
    ADD_FAILURE() << "no error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code, JERR_BAD_COMPONENT_ID);
  }
}

TEST(JpegImage, TruncatedPhotoDecodesWhatIsThereAndFillsTheRestGrey) {
  const auto whole = MakeJpeg(Quarters(64, 64));
  const size_t sos = testing::ScanMarkers(whole).at(0);
  // Keep the headers and about a quarter of the scan data.
  const std::vector<std::uint8_t> cut(whole.begin(),
                                      whole.begin() + long(sos + (whole.size() - sos) / 4));
  TJPEGImage jpeg;
  jpeg.LoadFromMemory(cut.data(), cut.size());
  const JpegPicture pic = jpeg.Decode();
  ASSERT_EQ(pic.Colors.Width, 64);
  ASSERT_EQ(pic.Colors.Height, 64);
  EXPECT_GT(jpeg.Warnings(), 0);
  EXPECT_LE(ColourDistance(pic.Colors.At(4, 4), 0xFF0000), 6);    // decoded
  EXPECT_LE(ColourDistance(pic.Colors.At(60, 60), 0x808080), 2);  // missing: grey
}

TEST(JpegImage, DamagedScanDataNeverCrashes) {
  const auto whole = MakeJpeg(Quarters(96, 64), false, false, 80);
  const size_t sos = testing::ScanMarkers(whole).at(0) + 14;
  std::uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    auto data = whole;
    for (int k = 0; k < 8; ++k) {
      seed = seed * 1664525u + 1013904223u;
      data[sos + (seed >> 8) % (data.size() - sos - 2)] = std::uint8_t(seed >> 24);
    }
    TJPEGImage jpeg;
    try {
      jpeg.LoadFromMemory(data.data(), data.size());
      const JpegPicture pic = jpeg.Decode();
      ASSERT_EQ(pic.Colors.Pixels.size(), 96u * 64u) << "round " << round;
    } catch (const EJPEG& e) {
      EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.Code));
    }
  }
}

TEST(JpegImage, LibjpegTestImages) {
  const std::string folder = testing::TestImagesFolder();
  if (folder.empty()) GTEST_SKIP() << "libjpeg's test images are not installed (scripts/setup)";
  TJPEGImage orig;
  orig.LoadFromFile(folder + "/testorig.jpg");
  EXPECT_EQ(orig.Width(), 227);
  EXPECT_EQ(orig.Height(), 149);
  const Bitmap o = orig.Decode().Colors;
  // Pixels and checksum of libjpeg's own reference decoder with the accurate integer transform.
  EXPECT_EQ(o.At(0, 0), 0x302F2Du);
  EXPECT_EQ(o.At(113, 74), 0xF42D34u);
  EXPECT_EQ(o.At(50, 120), 0xE0CAB5u);
  EXPECT_EQ(Fnv1a(o), 0x6636942c099383b0ull);

  // The arithmetic-coded and the Huffman-coded copy hold the same coefficients.
  TJPEGImage ari, huff;
  ari.LoadFromFile(folder + "/testimgari.jpg");
  huff.LoadFromFile(folder + "/testimgint.jpg");
  const Bitmap a = ari.Decode().Colors;
  EXPECT_EQ(Fnv1a(a), 0x0cc30ec4defc0ec6ull);
  EXPECT_EQ(a.Pixels, huff.Decode().Colors.Pixels);

  // 12-bit samples are beyond this decoder: a JPEG error, not a crash.
  TJPEGImage twelve;
  try {
    twelve.LoadFromFile(folder + "/testorig12.jpg");
    twelve.Decode();
    ADD_FAILURE() << "no error";
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Code, JERR_BAD_PRECISION);
  }
}

TEST(JpegImage, MissingFileIsAnInputOutputError) {
  TJPEGImage jpeg;
  try {
    jpeg.LoadFromFile("no-such-folder-zv/no-such-file.jpg");
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.ErrorCode == 2 || e.ErrorCode == 3) << e.ErrorCode;
  }
}

}  // namespace
}  // namespace zv
