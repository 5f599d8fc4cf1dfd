// Reading the EXIF thumbnail's place out of a JPEG head (see exif_thumbnail.h). Offsets are
// kept in 64 bits so that no sum of a hostile offset and length can wrap.
#include "thumbnails/exif_thumbnail.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;  // JPEGInterchangeFormat
constexpr std::uint16_t kTagThumbnailLength = 0x0202;  // JPEGInterchangeFormatLength
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::uint64_t kEntryBytes = 12;

// The EXIF segment: where its TIFF data begins in the head, how much of it is at hand, and where
// the segment ends by its own declaration (which may lie past the bytes at hand).
struct ExifSegment {
  std::size_t tiff = 0;
  std::size_t tiffAvailable = 0;
  std::uint64_t declaredEnd = 0;
};

std::uint16_t Big16(const std::uint8_t* p) { return std::uint16_t(p[0] << 8 | p[1]); }

// Walks the segments after SOI up to the first scan: the APP1 segment that begins "Exif\0\0".
// Each step moves forward by at least two bytes, so the walk ends.
std::optional<ExifSegment> FindExifSegment(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return std::nullopt;
  std::size_t at = 2;
  while (at + 4 <= size) {
    if (data[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;   // scan or end: no header left
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      at += 2;
      continue;
    }
    const std::size_t length = Big16(data + at + 2);
    if (length < 2) return std::nullopt;
    const std::size_t payload = at + 4;
    if (marker == kApp1 && length >= 8 && payload + 6 <= size &&
        std::memcmp(data + payload, "Exif\0\0", 6) == 0) {
      ExifSegment s;
      s.tiff = payload + 6;
      s.declaredEnd = std::uint64_t(at) + 2 + length;
      s.tiffAvailable = std::size_t(std::min<std::uint64_t>(s.declaredEnd, size) - s.tiff);
      return s;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

// The TIFF structure of the EXIF segment, every read checked against its bytes.
class Tiff {
 public:
  Tiff(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool ReadHeader(std::uint64_t& firstIfd) {
    if (size_ < 8) return false;
    if (data_[0] == 'I' && data_[1] == 'I') {
      little_ = true;
    } else if (data_[0] == 'M' && data_[1] == 'M') {
      little_ = false;
    } else {
      return false;
    }
    std::uint16_t magic = 0;
    std::uint32_t offset = 0;
    if (!U16(2, magic) || magic != 42 || !U32(4, offset)) return false;
    firstIfd = offset;
    return true;
  }

  // The number of entries of the IFD at `at`, when the IFD and its next-IFD link lie whole
  // inside the bytes. A link into the TIFF header is no IFD.
  bool IfdEntries(std::uint64_t at, std::uint16_t& count) {
    if (at < 8 || !U16(at, count)) return false;
    return at + 2 + kEntryBytes * count + 4 <= size_;
  }

  bool NextIfd(std::uint64_t at, std::uint16_t count, std::uint64_t& next) {
    std::uint32_t value = 0;
    if (!U32(at + 2 + kEntryBytes * count, value)) return false;
    next = value;
    return true;
  }

  // The value of a one-element SHORT or LONG entry with the tag, in the IFD at `at`.
  std::optional<std::uint32_t> Value(std::uint64_t at, std::uint16_t count, std::uint16_t tag) {
    for (std::uint16_t i = 0; i < count; ++i) {
      const std::uint64_t entry = at + 2 + kEntryBytes * i;
      std::uint16_t entryTag = 0, type = 0;
      std::uint32_t n = 0;
      if (!U16(entry, entryTag) || entryTag != tag) continue;
      if (!U16(entry + 2, type) || !U32(entry + 4, n) || n != 1) return std::nullopt;
      if (type == kTypeLong) {
        std::uint32_t v = 0;
        if (U32(entry + 8, v)) return v;
      } else if (type == kTypeShort) {
        std::uint16_t v = 0;
        if (U16(entry + 8, v)) return v;
      }
      return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  bool U16(std::uint64_t at, std::uint16_t& v) const {
    if (at + 2 > size_) return false;
    const std::uint8_t* p = data_ + at;
    v = little_ ? std::uint16_t(p[0] | p[1] << 8) : std::uint16_t(p[0] << 8 | p[1]);
    return true;
  }
  bool U32(std::uint64_t at, std::uint32_t& v) const {
    if (at + 4 > size_) return false;
    const std::uint8_t* p = data_ + at;
    v = little_ ? std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24
                : std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
                      std::uint32_t(p[3]);
    return true;
  }

  const std::uint8_t* data_;
  std::uint64_t size_;
  bool little_ = true;
};

}  // namespace

std::size_t FirstHeadRead(std::int64_t fileSize) {
  if (fileSize <= 0) return 0;
  return std::size_t(std::min<std::int64_t>(fileSize, std::int64_t(kHeadBytes)));
}

std::size_t HeadLength(const std::uint8_t* head, std::size_t got, std::int64_t fileSize) {
  std::uint64_t want = kHeadBytes;
  if (const auto segment = FindExifSegment(head, got)) want = std::max(want, segment->declaredEnd);
  want = std::min<std::uint64_t>(want, kMaxHeadBytes);
  want = std::min<std::uint64_t>(want, std::uint64_t(std::max<std::int64_t>(fileSize, 0)));
  return std::size_t(std::max<std::uint64_t>(want, got));
}

std::optional<ByteRange> FindExifThumbnail(const std::uint8_t* data, std::size_t size) {
  const auto segment = FindExifSegment(data, size);
  if (!segment) return std::nullopt;
  Tiff tiff(data + segment->tiff, segment->tiffAvailable);
  std::uint64_t ifd0 = 0, ifd1 = 0;
  std::uint16_t count0 = 0, count1 = 0;
  if (!tiff.ReadHeader(ifd0) || !tiff.IfdEntries(ifd0, count0) || !tiff.NextIfd(ifd0, count0, ifd1))
    return std::nullopt;
  // No IFD1, or one that leads back to IFD0.
  if (ifd1 == 0 || ifd1 == ifd0 || !tiff.IfdEntries(ifd1, count1)) return std::nullopt;
  const auto offset = tiff.Value(ifd1, count1, kTagThumbnailOffset);
  const auto length = tiff.Value(ifd1, count1, kTagThumbnailLength);
  if (!offset || !length || *length == 0 || *length > kMaxExifThumbnailBytes) return std::nullopt;
  if (std::uint64_t(*offset) + *length > segment->tiffAvailable) return std::nullopt;
  const std::size_t start = segment->tiff + *offset;
  if (*length < 2 || data[start] != 0xFF || data[start + 1] != 0xD8) return std::nullopt;
  return ByteRange{start, *length};
}

}  // namespace zv
