// Telling a whole photo from one cut short, by its bytes alone: real JPEGs (libjpeg-turbo's test
// images: baseline, progressive, arithmetic-coded, 12-bit) are whole with or without padding,
// and every cut of them, with the zeros the buffer was filled with behind it, is not.
#include "phone/photo_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zv {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool Whole(const Bytes& b) { return PhotoLooksWhole(b.data(), b.size()); }

Bytes ReadImage(const std::string& name) {
  std::ifstream in(std::string(ZV_TEST_IMAGES) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// What a read of size bytes that delivered only the first `delivered` leaves in a zeroed buffer.
Bytes CutShort(const Bytes& photo, size_t delivered) {
  Bytes b(photo.size(), 0);
  std::copy_n(photo.begin(), delivered, b.begin());
  return b;
}

TEST(PhotoBytes, RealJpegsAreWholeAndEveryCutOfThemIsNot) {
  for (const char* name : {"testorig.jpg", "testimgint.jpg", "testimgari.jpg", "testorig12.jpg"}) {
    SCOPED_TRACE(name);
    const Bytes photo = ReadImage(name);
    ASSERT_GT(photo.size(), 1000u) << "test image missing (scripts/setup)";
    EXPECT_TRUE(Whole(photo));
    // Padding after the end marker, as some phones write it.
    for (const Bytes& tail : {Bytes(100, 0x00), Bytes(7, 0xFF), Bytes{0x12, 0x34}}) {
      Bytes padded = photo;
      padded.insert(padded.end(), tail.begin(), tail.end());
      EXPECT_TRUE(Whole(padded)) << tail.size();
    }
    // Cut anywhere, from inside the first segment to the last two bytes.
    int cuts = 0;
    for (size_t delivered = 3; delivered < photo.size(); delivered += 1 + delivered / 7) {
      EXPECT_FALSE(Whole(CutShort(photo, delivered))) << "delivered " << delivered;
      ++cuts;
    }
    EXPECT_FALSE(Whole(CutShort(photo, photo.size() - 1)));
    EXPECT_GT(cuts, 20);
  }
}

TEST(PhotoBytes, EndMarkerInsideTheHeaderIsNotThePhotosEnd) {
  // A header segment (as a thumbnail in APP1 would) holding FF D9, cut right after it.
  Bytes photo = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x08, 'E', 'x', 0xFF, 0xD9, 0x00, 0x00};
  const Bytes scan = {0xFF, 0xDA, 0x00, 0x04, 0x01, 0x02, 0x55, 0xFF, 0x00, 0x66, 0xFF, 0xD9};
  photo.insert(photo.end(), scan.begin(), scan.end());
  EXPECT_TRUE(Whole(photo));
  EXPECT_FALSE(Whole(CutShort(photo, 10)));  // up to the FF D9 inside APP1
  EXPECT_FALSE(Whole(CutShort(photo, photo.size() - 2)));
}

TEST(PhotoBytes, OtherFilesAreTakenAsTheyAreButNotANeverFilledBuffer) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool whole;
  };
  const Case cases[] = {
      {"empty", {}, true},
      {"a video", {0x00, 0x00, 0x00, 0x18, 'f', 't', 'y', 'p'}, true},
      {"text", {'n', 'o', 't', 'e', 0x00, 0x00}, true},
      {"zeros only", Bytes(4096, 0), false},
      {"one zero byte", {0x00}, false},
      {"JPEG start only", {0xFF, 0xD8}, false},
      {"JPEG start and end", {0xFF, 0xD8, 0xFF, 0xD9}, true},
      {"length past the end", {0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0x00, 0x01}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(Whole(c.bytes), c.whole) << c.what;
}

}  // namespace
}  // namespace zv
