// Scaled decoding and fitting of thumbnails (see thumbnail_decode.h).
#include "thumbnails/thumbnail_decode.h"

#include <algorithm>

#include "preview/fit.h"
#include "preview/jpeg_image.h"

namespace zv {
namespace {

int Scaled(int value, int ppi) { return std::max(1, (value * ppi + 48) / 96); }

Bitmap Decode(TJPEGImage& jpeg, ThumbnailBox box) {
  jpeg.SetScaleDenominator(ScaleDenominatorFor(jpeg.Width(), jpeg.Height(), box));
  JpegPicture picture = jpeg.Decode();
  const TPoint fit = FittedSize(jpeg.Width(), jpeg.Height(), box);
  Bitmap& decoded = picture.Colors;
  if (decoded.Width == fit.X && decoded.Height == fit.Y) return std::move(decoded);
  return StretchHalftone(decoded, fit.X, fit.Y);
}

}  // namespace

ThumbnailBox ThumbnailBoxFor(int pixelsPerInch) {
  if (pixelsPerInch <= 0) pixelsPerInch = 96;
  return {Scaled(64, pixelsPerInch), Scaled(48, pixelsPerInch)};
}

TPoint FittedSize(int width, int height, ThumbnailBox box) {
  if (width <= 0 || height <= 0) return {0, 0};
  if (width <= box.width && height <= box.height) return {width, height};
  // The side that meets the box first decides; the other is rounded, at least one pixel.
  const std::int64_t w = width, h = height;
  if (w * box.height >= h * box.width) {
    return {box.width, int(std::max<std::int64_t>(1, (h * box.width + w / 2) / w))};
  }
  return {int(std::max<std::int64_t>(1, (w * box.height + h / 2) / h)), box.height};
}

int ScaleDenominatorFor(int width, int height, ThumbnailBox box) {
  const TPoint fit = FittedSize(width, height, box);
  for (int d : {8, 4, 2}) {
    const int w = (width + d - 1) / d, h = (height + d - 1) / d;
    if (w >= fit.X && h >= fit.Y) return d;
  }
  return 1;
}

Bitmap DecodeThumbnail(const std::uint8_t* data, std::size_t size, ThumbnailBox box) {
  TJPEGImage jpeg;
  jpeg.LoadFromMemory(data, size);
  return Decode(jpeg, box);
}

Bitmap DecodeThumbnailFile(const std::string& path, ThumbnailBox box) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(path);
  return Decode(jpeg, box);
}

}  // namespace zv
