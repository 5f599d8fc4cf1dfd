#pragma once
// TJPEGImage: a JPEG photo loaded into memory and decoded with libjpeg for the preview window.
// Loading parses the header only (size, colour space); Decode produces the picture at full size
// with the accurate integer inverse transform. Colour photos give 24-bit colour; greyscale JPEGs,
// and every JPEG when the screen has 8 bits per pixel or fewer, give an 8-bit picture quantised
// by libjpeg to at most 236 colours. Decoder errors are thrown as EJPEG ("JPEG error #<code>",
// the code being libjpeg's own message code).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/graphics.h"

namespace zv {

enum TJPEGPixelFormat { jf24Bit, jf8Bit };

// A decoded photo: either 24-bit colour (Bitmap holds it) or an 8-bit picture whose Indices
// select colours of Palette (Bitmap then holds the same picture expanded to colours, ready to
// draw). Palette entries are 0x00RRGGBB.
struct JpegPicture {
  int BitsPerPixel = 24;
  Bitmap Colors;
  std::vector<std::uint8_t> Indices;   // 8-bit pictures only, Width * Height, rows top-down
  std::vector<std::uint32_t> Palette;  // 8-bit pictures only, at most 236 entries
};

class TJPEGImage {
 public:
  // The screen's bits per pixel (bits per pixel × planes), tested once at start-up; 8 or fewer
  // makes the decoder produce 8-bit quantised output.
  explicit TJPEGImage(int screenBitsPerPixel = 32);
  ~TJPEGImage();
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  // Reads the whole file into memory (opened for reading, other writers excluded, closed at
  // once) and parses the header. Throws EInOutError when the file cannot be read, EJPEG when
  // the data is not a JPEG. The path is UTF-8.
  void LoadFromFile(const std::string& path);
  // The same for data already in memory (copied).
  void LoadFromMemory(const void* data, size_t size);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // True when the JPEG itself is stored in greyscale.
  bool Grayscale() const { return grayscale_; }
  // 24-bit for colour photos on a screen of more than 8 bits per pixel, else 8-bit.
  TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
  // Number of libjpeg warnings of the last decode (corrupt data that libjpeg could skip).
  int Warnings() const { return warnings_; }

  // Decodes the loaded JPEG. Throws EJPEG on a decoding error, Exception("Out of memory") when
  // the picture is too large to hold.
  JpegPicture Decode();

 private:
  void ParseHeader();

  std::vector<std::uint8_t> data_;
  int width_ = 0, height_ = 0;
  bool grayscale_ = false;
  TJPEGPixelFormat pixelFormat_ = jf24Bit;
  int screenBitsPerPixel_;
  int warnings_ = 0;
};

// Reads a whole local file (UTF-8 path) into memory, opened for reading with other writers
// excluded. Throws EInOutError with the runtime's text when it cannot.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

}  // namespace zv
