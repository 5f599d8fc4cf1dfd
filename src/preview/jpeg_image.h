#pragma once
// TJPEGImage: a JPEG photo loaded into memory and decoded with libjpeg for the preview window.
// Loading parses the header only (size, colour space); Decode produces the picture at full size
// (or at a reduced scale, for thumbnails) with the accurate integer inverse transform. Colour
// photos give 24-bit colour; greyscale JPEGs, and every JPEG when the screen has 8 bits per
// pixel or fewer, give an 8-bit picture quantised by libjpeg to at most 236 colours. Decoder
// errors are thrown as EJPEG ("JPEG error #<code>", the code being libjpeg's own message code).
//
// A photo comes from the phone and may be damaged or hostile, and the program is a 32-bit
// process: what a JPEG may ask of the decoder is bounded (see kMaxJpegPixels and the others
// below), and a JPEG over a bound is refused with EJPEGLimit, whose text names the bound and the
// photo.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/errors.h"
#include "ui/graphics.h"

namespace zv {

// The largest width × height the preview decodes: 16,777,216 pixels, 4096 × 4096. The phones
// this program serves take photos of up to 2 megapixels (1600 × 1200), so eight times that is
// far beyond any real photo, while the decoded bitmap (4 bytes a pixel, 64 MiB) and libjpeg's
// own buffers stay inside the program's memory. It is checked right after the header is read,
// before libjpeg makes any buffer sized by the picture; it also bounds the time a damaged file
// can hold the decoder, since decoding costs about the same per declared pixel whether the data
// is there or not.
inline constexpr std::uint64_t kMaxJpegPixels = std::uint64_t(1) << 24;
// The most memory libjpeg may take for its whole-picture buffers (the coefficients of a
// progressive JPEG, the picture kept for two-pass colour quantisation): 160 MiB. A progressive
// colour JPEG at kMaxJpegPixels with full-resolution colour needs 96 MiB of coefficients, with
// two-pass quantisation 48 MiB more. libjpeg refuses more (it has no backing store) with an error
// that TJPEGImage turns into EJPEGLimit.
inline constexpr long kMaxJpegMemory = 160L << 20;
// The most scans a JPEG may have. A progressive JPEG has about ten (libjpeg's standard script
// has ten, cameras write one); each scan is a pass over the whole picture, so a file of a few
// kilobytes made of empty scans would otherwise hold the decoder for minutes.
inline constexpr int kMaxJpegScans = 100;

// A JPEG over one of the bounds above. The text names the bound and the photo.
class EJPEGLimit : public Exception {
 public:
  using Exception::Exception;
};

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

// The texts of EJPEGLimit, for a photo name in UTF-8 (left out when empty).
std::string JpegPixelLimitText(const std::string& photo, std::uint64_t width, std::uint64_t height);
std::string JpegMemoryLimitText(const std::string& photo, long limitBytes = kMaxJpegMemory);
std::string JpegScanLimitText(const std::string& photo);

class TJPEGImage {
 public:
  // The screen's bits per pixel (bits per pixel × planes), tested once at start-up; 8 or fewer
  // makes the decoder produce 8-bit quantised output.
  explicit TJPEGImage(int screenBitsPerPixel = 32);
  ~TJPEGImage();
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  // The photo's name, for the texts of EJPEGLimit (UTF-8; may stay empty).
  void SetPhotoName(std::string name) { photoName_ = std::move(name); }
  // libjpeg's memory bound in bytes, kMaxJpegMemory unless a test wants a smaller one.
  void SetMemoryLimit(long bytes) { memoryLimit_ = bytes; }
  // Decode at 1/denominator of the full size (1, 2, 4 or 8; anything else is taken as 1):
  // libjpeg then computes only the coarse frequencies, so a thumbnail of a large photo costs a
  // fraction of a full decode. Each side of the picture is the full side divided, rounded up.
  void SetScaleDenominator(int denominator) {
    const bool valid = denominator == 2 || denominator == 4 || denominator == 8;
    scaleDenominator_ = valid ? denominator : 1;
  }

  // Reads the whole file into memory (opened for reading, other writers excluded, closed at
  // once) and parses the header. Throws EInOutError when the file cannot be read, EJPEG when
  // the data is not a JPEG, EJPEGLimit when it declares more than kMaxJpegPixels. The path is
  // UTF-8.
  void LoadFromFile(const std::string& path);
  // The same for data already in memory (copied).
  void LoadFromMemory(const void* data, size_t size);
  // The same for data handed over whole (not copied).
  void LoadFromMemory(std::vector<std::uint8_t>&& data);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // True when the JPEG itself is stored in greyscale.
  bool Grayscale() const { return grayscale_; }
  // 24-bit for colour photos on a screen of more than 8 bits per pixel, else 8-bit.
  TJPEGPixelFormat PixelFormat() const { return pixelFormat_; }
  // Number of libjpeg warnings of the last decode (corrupt data that libjpeg could skip).
  int Warnings() const { return warnings_; }

  // Decodes the loaded JPEG. Throws EJPEG on a decoding error, EJPEGLimit over a bound,
  // Exception("Out of memory") when the picture cannot be held. The picture's colours go into
  // `storage`'s memory when it is large enough (its contents are dropped): memory already in
  // use by the program, unlike fresh memory, is written without a page fault per 4 KiB.
  JpegPicture Decode(std::vector<std::uint32_t> storage = {});

 private:
  void ParseHeader();
  // Throws the error for a step's result (0: none).
  void Check(int code) const;

  std::string photoName_;
  long memoryLimit_ = kMaxJpegMemory;
  int scaleDenominator_ = 1;
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
