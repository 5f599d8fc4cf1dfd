// Building EXIF segments with a thumbnail (see exif_segment.h).
#include "exif_segment.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace zv::demo {
namespace {

class TiffWriter {
 public:
  explicit TiffWriter(bool big) : big_(big) {}
  void U16(std::uint16_t v) {
    if (big_) {
      out.push_back(std::uint8_t(v >> 8));
      out.push_back(std::uint8_t(v));
    } else {
      out.push_back(std::uint8_t(v));
      out.push_back(std::uint8_t(v >> 8));
    }
  }
  void U32(std::uint32_t v) {
    if (big_) {
      U16(std::uint16_t(v >> 16));
      U16(std::uint16_t(v));
    } else {
      U16(std::uint16_t(v));
      U16(std::uint16_t(v >> 16));
    }
  }
  void Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
    U16(tag);
    U16(type);
    U32(count);
    if (type == 3 && count == 1) {  // a SHORT sits in the first two bytes of the value field
      U16(std::uint16_t(value));
      U16(0);
    } else {
      U32(value);
    }
  }
  std::vector<std::uint8_t> out;

 private:
  bool big_;
};

// Sizes of the fixed parts, TIFF offsets: header 8, IFD0 with 3 entries (2 + 36 + 4), then the
// make and model texts, the padding, IFD1 with 3 entries, then the thumbnail.
constexpr std::size_t kIfd0 = 8;
constexpr std::size_t kIfd0Entries = 3;
constexpr std::size_t kIfd1Entries = 3;

std::size_t IfdSize(std::size_t entries) { return 2 + 12 * entries + 4; }

}  // namespace

ExifLayout ExifSegmentLayout(const ExifOptions& o) {
  ExifLayout l;
  l.tiff = 4 + 6;  // marker, length, "Exif\0\0"
  l.ifd0Next = l.tiff + kIfd0 + 2 + 12 * kIfd0Entries;
  const std::size_t texts = o.make.size() + 1 + o.model.size() + 1;
  const std::size_t ifd1 = kIfd0 + IfdSize(kIfd0Entries) + texts + o.padding;
  l.ifd1 = l.tiff + ifd1;
  l.thumbnailOffsetValue = l.ifd1 + 2 + 12 * 1 + 8;  // second entry's value
  l.thumbnailLengthValue = l.ifd1 + 2 + 12 * 2 + 8;  // third entry's value
  l.thumbnail = l.ifd1 + IfdSize(kIfd1Entries);
  return l;
}

std::vector<std::uint8_t> ExifSegment(const std::vector<std::uint8_t>& thumbnail,
                                      const ExifOptions& o) {
  const ExifLayout l = ExifSegmentLayout(o);
  const std::uint32_t makeAt = std::uint32_t(kIfd0 + IfdSize(kIfd0Entries));
  const std::uint32_t modelAt = makeAt + std::uint32_t(o.make.size() + 1);
  const std::uint32_t ifd1 = std::uint32_t(l.ifd1 - l.tiff);
  const std::uint32_t thumbAt = std::uint32_t(l.thumbnail - l.tiff);

  TiffWriter w(o.bigEndian);
  w.out = {std::uint8_t(o.bigEndian ? 'M' : 'I'), std::uint8_t(o.bigEndian ? 'M' : 'I')};
  w.U16(42);
  w.U32(kIfd0);
  w.U16(kIfd0Entries);
  w.Entry(0x010F, 2, std::uint32_t(o.make.size() + 1), makeAt);    // Make
  w.Entry(0x0110, 2, std::uint32_t(o.model.size() + 1), modelAt);  // Model
  w.Entry(0x0112, 3, 1, 1);                                        // Orientation: upright
  w.U32(ifd1);
  for (const std::string* text : {&o.make, &o.model}) {
    w.out.insert(w.out.end(), text->begin(), text->end());
    w.out.push_back(0);
  }
  w.out.resize(w.out.size() + o.padding, 0);
  w.U16(kIfd1Entries);
  w.Entry(0x0103, 3, 1, 6);  // Compression: JPEG
  w.Entry(0x0201, 4, 1, thumbAt);
  w.Entry(0x0202, 4, 1, std::uint32_t(thumbnail.size()));
  w.U32(0);
  w.out.insert(w.out.end(), thumbnail.begin(), thumbnail.end());

  const std::size_t length = 2 + 6 + w.out.size();
  if (length > 0xFFFF) throw std::length_error("EXIF segment over 64 KiB");
  // Made to its full size first and filled in place (growing a short vector by insert makes
  // GCC 12 warn about bounds it gets wrong).
  std::vector<std::uint8_t> segment(10 + w.out.size());
  const std::uint8_t head[10] = {
      0xFF, 0xE1, std::uint8_t(length >> 8), std::uint8_t(length), 'E', 'x', 'i', 'f', 0, 0};
  std::copy(std::begin(head), std::end(head), segment.begin());
  std::copy(w.out.begin(), w.out.end(), segment.begin() + 10);
  return segment;
}

std::vector<std::uint8_t> WithSegment(const std::vector<std::uint8_t>& jpeg,
                                      const std::vector<std::uint8_t>& segment) {
  if (jpeg.size() < 2) throw std::invalid_argument("not a JPEG");
  std::vector<std::uint8_t> out(jpeg.size() + segment.size());
  auto at = std::copy(jpeg.begin(), jpeg.begin() + 2, out.begin());
  at = std::copy(segment.begin(), segment.end(), at);
  std::copy(jpeg.begin() + 2, jpeg.end(), at);
  return out;
}

}  // namespace zv::demo
