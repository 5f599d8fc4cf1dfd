#pragma once
// EXIF heads for photos that carry a thumbnail: the APP1 "Exif" segment with IFD0 (a camera
// make and model, the orientation) and IFD1 naming a JPEG thumbnail, in either TIFF byte order.
// The demo phone's photos carry one, and tests and seed corpora build heads with it.
#include <cstdint>
#include <string>
#include <vector>

namespace zv::demo {

struct ExifOptions {
  bool bigEndian = false;  // "MM" (Motorola order) instead of "II"
  std::string make = "Zarvelin";
  std::string model = "Demo phone";
  // Padding bytes after IFD0's values, before the thumbnail: a long maker note.
  std::size_t padding = 0;
};

// The APP1 segment (from its FF E1 marker on) holding `thumbnail` (a JPEG) in IFD1. The
// segment's declared length is limited to 65535 bytes: a larger thumbnail does not fit.
std::vector<std::uint8_t> ExifSegment(const std::vector<std::uint8_t>& thumbnail,
                                      const ExifOptions& options = {});

// `jpeg` with `segment` put right after its SOI marker.
std::vector<std::uint8_t> WithSegment(const std::vector<std::uint8_t>& jpeg,
                                      const std::vector<std::uint8_t>& segment);

// Offsets inside a segment made by ExifSegment, from the segment's first byte, for tests that
// damage one field: the TIFF header, IFD0's next-IFD link, IFD1, and IFD1's thumbnail offset
// and length values.
struct ExifLayout {
  std::size_t tiff = 0;
  std::size_t ifd0Next = 0;
  std::size_t ifd1 = 0;
  std::size_t thumbnailOffsetValue = 0;
  std::size_t thumbnailLengthValue = 0;
  std::size_t thumbnail = 0;
};
ExifLayout ExifSegmentLayout(const ExifOptions& options = {});

}  // namespace zv::demo
