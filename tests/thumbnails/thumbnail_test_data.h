#pragma once
// Photos with EXIF thumbnails for the thumbnail tests, made with libjpeg and the demo phone's
// EXIF writer.
#include <cstdint>
#include <vector>

#include "exif_segment.h"
#include "preview/jpeg_maker.h"

namespace zv::testing {

using Bytes = std::vector<std::uint8_t>;

// A 160 × 120 thumbnail of four coloured quarters.
inline Bytes QuarterThumbnail() { return MakeJpeg(Quarters(160, 120), false, false, 80); }

// A photo whose head carries `thumbnail` in an EXIF segment made with `options`.
inline Bytes PhotoWithExif(const Bytes& thumbnail, const demo::ExifOptions& options = {},
                           int width = 320, int height = 240) {
  return demo::WithSegment(MakeJpeg(Quarters(width, height), false, false, 70),
                           demo::ExifSegment(thumbnail, options));
}

// Writes a 32-bit value into a TIFF field of the given byte order.
inline void Put32(Bytes& b, std::size_t at, std::uint32_t v, bool bigEndian) {
  for (int i = 0; i < 4; ++i)
    b[at + std::size_t(i)] = std::uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i));
}

}  // namespace zv::testing
