// The EXIF reader on heads made in both byte orders, on heads damaged in every field it follows,
// and the rule for how much of a head to read.
#include "thumbnails/exif_thumbnail.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "thumbnails/thumbnail_test_data.h"

namespace zv {
namespace {

using testing::Bytes;
using testing::Put32;

std::optional<ByteRange> Find(const Bytes& b) { return FindExifThumbnail(b.data(), b.size()); }

TEST(ExifThumbnail, FoundInBothByteOrdersAndWithSegmentsBeforeIt) {
  const Bytes thumbnail = testing::QuarterThumbnail();
  for (bool big : {false, true}) {
    for (std::size_t padding : {std::size_t(0), std::size_t(20000)}) {
      SCOPED_TRACE(std::string(big ? "MM" : "II") + " padding " + std::to_string(padding));
      demo::ExifOptions options;
      options.bigEndian = big;
      options.padding = padding;
      Bytes photo = testing::PhotoWithExif(thumbnail, options);
      const auto found = Find(photo);
      ASSERT_TRUE(found.has_value());
      ASSERT_EQ(found->length, thumbnail.size());
      EXPECT_EQ(Bytes(photo.begin() + long(found->offset),
                      photo.begin() + long(found->offset + found->length)),
                thumbnail);
      // The same after a JFIF segment and fill bytes ahead of the EXIF segment.
      const Bytes app0 = {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
      Bytes withApp0 = demo::WithSegment(photo, app0);
      withApp0.insert(withApp0.begin() + 2 + long(app0.size()), {0xFF, 0xFF});
      const auto after = Find(withApp0);
      ASSERT_TRUE(after.has_value());
      EXPECT_EQ(after->offset, found->offset + app0.size() + 2);
    }
  }
}

TEST(ExifThumbnail, DamagedOrHostileHeadsGiveNoThumbnail) {
  const Bytes thumbnail = testing::QuarterThumbnail();
  struct Case {
    const char* name;
    std::function<void(Bytes& photo, const demo::ExifLayout& l, bool big)> damage;
  };
  // Offsets of the layout count from the segment's marker, which sits right after SOI.
  const std::size_t s = 2;
  const Case cases[] = {
      {"cut in the middle of the thumbnail",
       [&](Bytes& p, const demo::ExifLayout& l, bool) {
         p.resize(s + l.thumbnail + thumbnail.size() / 2);
       }},
      {"cut inside IFD1",
       [&](Bytes& p, const demo::ExifLayout& l, bool) { p.resize(s + l.ifd1 + 9); }},
      {"cut inside IFD0",
       [&](Bytes& p, const demo::ExifLayout& l, bool) { p.resize(s + l.tiff + 12); }},
      {"cut inside the segment's length",
       [&](Bytes& p, const demo::ExifLayout&, bool) { p.resize(4); }},
      {"thumbnail offset past the end",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) {
         Put32(p, s + l.thumbnailOffsetValue, 0xFFFFFFF0u, big);
       }},
      {"thumbnail running one byte past the segment",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) {
         Put32(p, s + l.thumbnailLengthValue, std::uint32_t(thumbnail.size() + 1), big);
       }},
      {"zero-length thumbnail", [&](Bytes& p, const demo::ExifLayout& l,
                                    bool big) { Put32(p, s + l.thumbnailLengthValue, 0, big); }},
      {"thumbnail over 64 KiB",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) {
         Put32(p, s + l.thumbnailLengthValue, 70000, big);
       }},
      {"thumbnail that is no JPEG",
       [&](Bytes& p, const demo::ExifLayout& l, bool) { p[s + l.thumbnail] = 0x00; }},
      {"IFD1 linking back to IFD0 (a loop)",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) { Put32(p, s + l.ifd0Next, 8, big); }},
      {"no IFD1",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) { Put32(p, s + l.ifd0Next, 0, big); }},
      {"IFD1 past the end", [&](Bytes& p, const demo::ExifLayout& l,
                                bool big) { Put32(p, s + l.ifd0Next, 0x7FFFFFFFu, big); }},
      {"IFD0 inside the TIFF header",
       [&](Bytes& p, const demo::ExifLayout& l, bool big) { Put32(p, s + l.tiff + 4, 2, big); }},
      {"IFD0 past the end", [&](Bytes& p, const demo::ExifLayout& l,
                                bool big) { Put32(p, s + l.tiff + 4, 0xFFFFFFFFu, big); }},
      {"unknown byte order",
       [&](Bytes& p, const demo::ExifLayout& l, bool) { p[s + l.tiff] = 'X'; }},
      {"wrong TIFF magic",
       [&](Bytes& p, const demo::ExifLayout& l, bool) {
         p[s + l.tiff + 2] ^= 1;
         p[s + l.tiff + 3] ^= 1;
       }},
      {"segment length below two",
       [&](Bytes& p, const demo::ExifLayout&, bool) {
         p[4] = 0;
         p[5] = 1;
       }},
      {"no SOI", [&](Bytes& p, const demo::ExifLayout&, bool) { p[1] = 0xD9; }},
      {"a scan before the EXIF segment",
       [&](Bytes& p, const demo::ExifLayout&, bool) {
         p.insert(p.begin() + 2, {0xFF, 0xDA, 0x00, 0x02});
       }},
      {"EXIF signature misspelt", [&](Bytes& p, const demo::ExifLayout&, bool) { p[6] = 'e'; }},
  };
  for (bool big : {false, true}) {
    demo::ExifOptions options;
    options.bigEndian = big;
    const demo::ExifLayout layout = demo::ExifSegmentLayout(options);
    const Bytes photo = testing::PhotoWithExif(thumbnail, options);
    ASSERT_TRUE(Find(photo).has_value());
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (big ? " (MM)" : " (II)"));
      Bytes damaged = photo;
      c.damage(damaged, layout, big);
      EXPECT_FALSE(Find(damaged).has_value());
    }
  }
  // Nothing at all, and a photo without EXIF.
  EXPECT_FALSE(FindExifThumbnail(nullptr, 0).has_value());
  EXPECT_FALSE(Find(testing::MakeJpeg(testing::Quarters(32, 32))).has_value());
}

TEST(ExifThumbnail, HeadByteCount) {
  const Bytes thumbnail = testing::QuarterThumbnail();
  auto exifEnd = [&](std::size_t padding) {
    demo::ExifOptions o;
    o.padding = padding;
    return 2 + demo::ExifSegment(thumbnail, o).size();
  };
  struct Case {
    const char* name;
    std::size_t padding;  // of the EXIF segment; SIZE_MAX: no EXIF segment
    std::int64_t fileSize;
    std::size_t first, whole;
  };
  const std::size_t none = SIZE_MAX;
  // The segment's end is SOI (2) + marker (2) + its declared length; the longest declares 65535.
  const std::size_t longSegment = 40000, fullSegment = 65535 - (exifEnd(0) - 4);
  const Case cases[] = {
      {"photo without EXIF", none, 1 << 20, kHeadBytes, kHeadBytes},
      {"EXIF segment within 16 KiB", 0, 1 << 20, kHeadBytes, kHeadBytes},
      {"longer EXIF segment: its declared end", longSegment, 1 << 20, kHeadBytes,
       exifEnd(longSegment)},
      {"longest EXIF segment: 64 KiB at most", fullSegment, 1 << 20, kHeadBytes, kMaxHeadBytes},
      {"file shorter than its EXIF segment", longSegment, 30000, kHeadBytes, 30000},
      {"file shorter than 16 KiB", none, 5000, 5000, 5000},
      {"empty file", none, 0, 0, 0},
      {"size below zero (a damaged entry)", none, -7, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstHeadRead(c.fileSize), c.first);
    Bytes photo = testing::MakeJpeg(testing::Quarters(64, 64));
    if (c.padding != none) {
      demo::ExifOptions o;
      o.padding = c.padding;
      photo = demo::WithSegment(photo, demo::ExifSegment(thumbnail, o));
    }
    photo.resize(std::max<std::size_t>(photo.size(), 1 << 17), 0);
    const std::size_t got = c.first;
    EXPECT_EQ(HeadLength(photo.data(), got, c.fileSize), c.whole);
    EXPECT_LE(HeadLength(photo.data(), got, c.fileSize), kMaxHeadBytes);
  }
}

}  // namespace
}  // namespace zv
