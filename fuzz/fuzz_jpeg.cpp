// The preview's JPEG decoder on any bytes: loading either parses a header within the pixel bound
// or throws EJPEG ("JPEG error #<code>") or EJPEGLimit; a decode gives a picture of exactly the
// declared size (24-bit pixels with a zero top byte; 8-bit pictures with at most 236 colours,
// every index within the palette and every pixel its palette colour), or throws those errors.
// Each input is decoded for a colour screen and for an 8-bit one.
#include <string>

#include "fuzz_support.h"
#include "preview/jpeg_image.h"

using namespace zv;
using namespace zv::fuzz;

namespace {

void CheckJpegError(const EJPEG& e) {
  ZV_FUZZ_CHECK(std::string(e.what()) == "JPEG error #" + std::to_string(e.Code) && e.Code > 0,
                e.what());
}

void DecodeFor(const std::uint8_t* data, size_t size, int screenBits) {
  TJPEGImage jpeg(screenBits);
  try {
    jpeg.LoadFromMemory(data, size);
  } catch (const EJPEG& e) {
    CheckJpegError(e);
    return;
  } catch (const EJPEGLimit&) {
    return;
  }
  const std::uint64_t w = std::uint64_t(jpeg.Width()), h = std::uint64_t(jpeg.Height());
  ZV_FUZZ_CHECK(w > 0 && h > 0 && w * h <= kMaxJpegPixels, "a header beyond the bound");
  JpegPicture picture;
  try {
    picture = jpeg.Decode();
  } catch (const EJPEG& e) {
    CheckJpegError(e);
    return;
  } catch (const EJPEGLimit&) {
    return;
  }
  const Bitmap& b = picture.Colors;
  ZV_FUZZ_CHECK(std::uint64_t(b.Width) == w && std::uint64_t(b.Height) == h, "picture size");
  ZV_FUZZ_CHECK(b.Pixels.size() == w * h, "pixel count");
  for (std::uint32_t p : b.Pixels) ZV_FUZZ_CHECK(p >> 24 == 0, "a pixel's top byte");
  const bool eightBit = jpeg.Grayscale() || screenBits <= 8;
  ZV_FUZZ_CHECK(picture.BitsPerPixel == (eightBit ? 8 : 24), "bits per pixel");
  if (eightBit) {
    ZV_FUZZ_CHECK(!picture.Palette.empty() && picture.Palette.size() <= 236, "palette size");
    ZV_FUZZ_CHECK(picture.Indices.size() == w * h, "index count");
    for (size_t i = 0; i < picture.Indices.size(); ++i) {
      ZV_FUZZ_CHECK(picture.Indices[i] < picture.Palette.size(), "index beyond the palette");
      ZV_FUZZ_CHECK(b.Pixels[i] == picture.Palette[picture.Indices[i]], "pixel not its colour");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  DecodeFor(data, size, 32);
  DecodeFor(data, size, 8);
  return 0;
}
