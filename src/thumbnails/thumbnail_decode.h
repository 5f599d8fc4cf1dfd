#pragma once
// Thumbnails: a JPEG decoded at reduced scale and fitted, aspect kept, into the thumbnail box.
// Decoding goes through the preview's bounded decoder (TJPEGImage), so a damaged or hostile file
// is held to the same limits; libjpeg's DCT scaling does most of the shrinking (1/8 of a
// 2-megapixel photo costs a few milliseconds), area averaging the rest.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/graphics.h"

namespace zv {

// The thumbnail box: 64 × 48 pixels at 96 pixels per inch, scaled with the display.
struct ThumbnailBox {
  int width = 64;
  int height = 48;
};
ThumbnailBox ThumbnailBoxFor(int pixelsPerInch);

// The size a width × height picture takes in the box: scaled down to fit with its aspect kept,
// at least one pixel a side; a picture that fits already keeps its size.
TPoint FittedSize(int width, int height, ThumbnailBox box);

// The largest of libjpeg's denominators 1, 2, 4, 8 at which a width × height picture still
// covers its fitted size, so that the last step only shrinks.
int ScaleDenominatorFor(int width, int height, ThumbnailBox box);

// The thumbnail of a JPEG in memory. Throws the decoder's errors (EJPEG, EJPEGLimit, "Out of
// memory") for data that is no JPEG or over its bounds.
Bitmap DecodeThumbnail(const std::uint8_t* data, std::size_t size, ThumbnailBox box);
// The same for a local file (UTF-8 path); EInOutError when it cannot be read.
Bitmap DecodeThumbnailFile(const std::string& path, ThumbnailBox box);

}  // namespace zv
