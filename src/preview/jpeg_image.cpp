// Decoding of the preview's JPEG with libjpeg. libjpeg is C and reports a fatal error by calling
// error_exit, which must not return. Ours longjmps back into one of the small C-style "step"
// functions below, each of which holds nothing that needs destroying, so no C++ frame is ever
// skipped; the step returns libjpeg's message code and the C++ caller throws EJPEG from there.
// The decompressor is owned by Decompressor, released on every path.
#include "preview/jpeg_image.h"

#include <jpeglib.h>
// jerror.h after jpeglib.h: it needs its types.
#include <jerror.h>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include "ui/errors.h"
#include "ui/lang/texts.h"

static_assert(std::endian::native == std::endian::little,
              "BGRX output maps onto 0x00RRGGBB pixels on little-endian machines only");

namespace zv {
namespace {

// The 8-bit output's colour count: the 256 entries of a palette less the 20 the system reserves.
constexpr int kQuantisedColours = 236;
constexpr std::uint64_t kMaxPixels = kMaxJpegPixels;
// The step result for a JPEG of more than kMaxJpegScans scans; libjpeg's codes are positive.
constexpr int kTooManyScans = -1;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so that cinfo->err points at the whole struct
  std::jmp_buf jump;
  int code;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  err->code = err->pub.msg_code;
  std::longjmp(err->jump, 1);
}

// libjpeg calls its progress monitor between rows of every pass, reading input included: the
// place to stop a file of endless scans. It leaves through the same jump as an error.
extern "C" void JpegProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxJpegScans) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  err->code = kTooManyScans;
  std::longjmp(err->jump, 1);
}

// Warnings (corrupt data that libjpeg can step over) are counted by libjpeg itself; nothing is
// printed.
extern "C" void JpegOutputMessage(j_common_ptr) {}

// The steps. Each returns 0 on success or libjpeg's message code. Locals are not modified after
// setjmp, so none needs to be volatile.
int CreateStep(jpeg_decompress_struct* cinfo, ErrorManager* err) {
  if (setjmp(err->jump)) return err->code;
  jpeg_create_decompress(cinfo);
  return 0;
}

int ReadHeaderStep(jpeg_decompress_struct* cinfo, ErrorManager* err, const unsigned char* data,
                   unsigned long size) {
  if (setjmp(err->jump)) return err->code;
  jpeg_mem_src(cinfo, data, size);
  jpeg_read_header(cinfo, TRUE);
  return 0;
}

int StartStep(jpeg_decompress_struct* cinfo, ErrorManager* err) {
  if (setjmp(err->jump)) return err->code;
  jpeg_start_decompress(cinfo);
  return 0;
}

// rows holds one pointer per output row.
int ScanlinesStep(jpeg_decompress_struct* cinfo, ErrorManager* err, JSAMPROW* rows) {
  if (setjmp(err->jump)) return err->code;
  while (cinfo->output_scanline < cinfo->output_height) {
    JDIMENSION at = cinfo->output_scanline;
    jpeg_read_scanlines(cinfo, rows + at, cinfo->output_height - at);
  }
  return 0;
}

// Takes each batch of rows decoded into the scratch rows. Must not throw.
using RowSink = void (*)(void* context, int count);

// Decodes through `batch` scratch rows, handing each batch to the sink.
int BatchedScanlinesStep(jpeg_decompress_struct* cinfo, ErrorManager* err, JSAMPROW* rows,
                         JDIMENSION batch, RowSink sink, void* context) {
  if (setjmp(err->jump)) return err->code;
  while (cinfo->output_scanline < cinfo->output_height) {
    const JDIMENSION got = jpeg_read_scanlines(cinfo, rows, batch);
    sink(context, static_cast<int>(got));
  }
  return 0;
}

int FinishStep(jpeg_decompress_struct* cinfo, ErrorManager* err) {
  if (setjmp(err->jump)) return err->code;
  jpeg_finish_decompress(cinfo);
  return 0;
}

[[noreturn]] void ThrowJpegError(int code) {
  throw EJPEG(FormatText(TextId::JpegError, {std::to_string(code)}), code);
}

// One libjpeg decompressor over data in memory, with the header read. Not movable: libjpeg
// keeps a pointer to the error manager inside it.
class Decompressor {
 public:
  explicit Decompressor(long memoryLimit) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = JpegErrorExit;
    err.pub.output_message = JpegOutputMessage;
    err.code = 0;
    if (int code = CreateStep(&cinfo, &err); code != 0) {
      jpeg_destroy_decompress(&cinfo);  // safe on a half-made decompressor
      ThrowJpegError(code);
    }
    cinfo.mem->max_memory_to_use = memoryLimit;
    progress.progress_monitor = JpegProgress;
    cinfo.progress = &progress;
  }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  // Reads the header; gives the step's result.
  int ReadHeader(const std::vector<std::uint8_t>& data) {
    return ReadHeaderStep(&cinfo, &err, data.data(), static_cast<unsigned long>(data.size()));
  }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_progress_mgr progress{};
};

// Reads the header and refuses a picture over the pixel bound before any buffer sized by it is
// made (jpeg_read_header makes none; jpeg_start_decompress would). Gives the step's result.
int ReadHeaderWithinBounds(Decompressor& d, const std::vector<std::uint8_t>& data,
                           const std::string& photo) {
  const int code = d.ReadHeader(data);
  if (code != 0) return code;
  const std::uint64_t w = d.cinfo.image_width, h = d.cinfo.image_height;
  if (w * h > kMaxJpegPixels) throw EJPEGLimit(JpegPixelLimitText(photo, w, h));
  return 0;
}

template <typename T>
void Allocate(std::vector<T>& v, std::uint64_t count) {
  if (count > kMaxPixels) throw Exception(UiText(TextId::OutOfMemory));
  try {
    v.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    throw Exception(UiText(TextId::OutOfMemory));
  }
}

// Room for count elements without making them: the capacity is there, so appending later
// cannot fail.
template <typename T>
void Reserve(std::vector<T>& v, std::uint64_t count) {
  if (count > kMaxPixels) throw Exception(UiText(TextId::OutOfMemory));
  try {
    v.reserve(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    throw Exception(UiText(TextId::OutOfMemory));
  }
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // A 12-megapixel bitmap is 48 MB of fresh pages: faulting them in 4 KB at a time costs about
  // half as much again as decoding the photo, in 2 MB pages a small fraction of it. Only advice:
  // nothing changes if the system declines.
  constexpr std::uintptr_t kPage = 4096;
  const auto first = reinterpret_cast<std::uintptr_t>(v.data());
  const std::uintptr_t begin = (first + kPage - 1) & ~(kPage - 1);
  const std::uintptr_t end = (first + v.capacity() * sizeof(T)) & ~(kPage - 1);
  if (end > begin + (std::uintptr_t(2) << 20))
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

// ": <name>" for a message that names the photo, nothing without a name.
std::string Named(const std::string& photo) { return photo.empty() ? "" : ": " + photo; }

}  // namespace

std::string JpegPixelLimitText(const std::string& photo, std::uint64_t width,
                               std::uint64_t height) {
  return FormatText(TextId::JpegTooLarge, {Named(photo), std::to_string(width),
                                           std::to_string(height), std::to_string(kMaxJpegPixels)});
}

std::string JpegMemoryLimitText(const std::string& photo, long limitBytes) {
  return FormatText(TextId::JpegTooMuchMemory, {Named(photo), std::to_string(limitBytes >> 20)});
}

std::string JpegScanLimitText(const std::string& photo) {
  return FormatText(TextId::JpegTooManyScans, {Named(photo), std::to_string(kMaxJpegScans)});
}

void TJPEGImage::Check(int code) const {
  if (code == 0) return;
  if (code == kTooManyScans) throw EJPEGLimit(JpegScanLimitText(photoName_));
  // libjpeg over kMaxJpegMemory asks for a backing store, which it does not have.
  if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY)
    throw EJPEGLimit(JpegMemoryLimitText(photoName_, memoryLimit_));
  ThrowJpegError(code);
}

TJPEGImage::TJPEGImage(int screenBitsPerPixel) : screenBitsPerPixel_(screenBitsPerPixel) {}
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromFile(const std::string& path) {
  data_ = ReadWholeFile(path);
  ParseHeader();
}

void TJPEGImage::LoadFromMemory(const void* data, size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  data_.assign(bytes, bytes + (bytes != nullptr ? size : 0));
  ParseHeader();
}

void TJPEGImage::LoadFromMemory(std::vector<std::uint8_t>&& data) {
  data_ = std::move(data);
  data.clear();
  ParseHeader();
}

void TJPEGImage::ParseHeader() {
  width_ = height_ = 0;
  grayscale_ = false;
  Decompressor d(memoryLimit_);
  Check(ReadHeaderWithinBounds(d, data_, photoName_));
  width_ = static_cast<int>(d.cinfo.image_width);
  height_ = static_cast<int>(d.cinfo.image_height);
  grayscale_ = d.cinfo.jpeg_color_space == JCS_GRAYSCALE;
  pixelFormat_ = (grayscale_ || screenBitsPerPixel_ <= 8) ? jf8Bit : jf24Bit;
}

JpegPicture TJPEGImage::Decode(std::vector<std::uint32_t> storage) {
  Decompressor d(memoryLimit_);
  Check(ReadHeaderWithinBounds(d, data_, photoName_));
  jpeg_decompress_struct& c = d.cinfo;
  c.scale_num = 1;
  c.scale_denom = static_cast<unsigned>(scaleDenominator_);
  c.dct_method = JDCT_ISLOW;
  c.do_fancy_upsampling = TRUE;
  c.do_block_smoothing = TRUE;
  c.buffered_image = FALSE;
  const bool eightBit = (c.jpeg_color_space == JCS_GRAYSCALE) || screenBitsPerPixel_ <= 8;
  if (eightBit) {
    c.out_color_space = c.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
    c.quantize_colors = TRUE;
    c.desired_number_of_colors = kQuantisedColours;
    c.two_pass_quantize = TRUE;
    c.dither_mode = JDITHER_FS;
  } else {
    c.out_color_space = JCS_EXT_BGRX;
  }
  Check(StartStep(&c, &d.err));

  JpegPicture picture;
  const int w = static_cast<int>(c.output_width), h = static_cast<int>(c.output_height);
  const std::uint64_t pixels = std::uint64_t(w) * std::uint64_t(h);
  Bitmap& bmp = picture.Colors;
  // Memory far larger than this picture needs would only be held on to.
  if (storage.capacity() <= 2 * pixels) bmp.Pixels = std::move(storage);
  bmp.Pixels.clear();  // the capacity stays
  bmp.Width = w;
  bmp.Height = h;
  if (eightBit) {
    picture.BitsPerPixel = 8;
    Allocate(bmp.Pixels, pixels);
    Allocate(picture.Indices, pixels);
    std::vector<JSAMPROW> rows;
    Allocate(rows, std::uint64_t(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = picture.Indices.data() + size_t(y) * size_t(w);
    Check(ScanlinesStep(&c, &d.err, rows.data()));
    const bool grey = c.out_color_components == 1;
    picture.Palette.resize(size_t(c.actual_number_of_colors));
    for (int i = 0; i < c.actual_number_of_colors; ++i) {
      std::uint32_t r = c.colormap[0][i];
      std::uint32_t g = grey ? r : c.colormap[1][i];
      std::uint32_t b = grey ? r : c.colormap[2][i];
      picture.Palette[size_t(i)] = (r << 16) | (g << 8) | b;
    }
    for (size_t i = 0; i < picture.Indices.size(); ++i)
      bmp.Pixels[i] = picture.Palette[picture.Indices[i]];
  } else {
    // A few rows at a time into a scratch buffer that stays in the cache, then appended to the
    // picture: each pixel of the large bitmap is written once (no zero-filling first).
    picture.BitsPerPixel = 24;
    Reserve(bmp.Pixels, pixels);
    struct Batch {
      std::vector<std::uint32_t> scratch;
      std::vector<std::uint32_t>* out;
      size_t width;
    } batch{{}, &bmp.Pixels, size_t(w)};
    const JDIMENSION rowsPerBatch = 8;
    Allocate(batch.scratch, std::uint64_t(w) * rowsPerBatch);
    JSAMPROW rows[rowsPerBatch];
    for (JDIMENSION i = 0; i < rowsPerBatch; ++i)
      rows[i] = reinterpret_cast<JSAMPROW>(batch.scratch.data() + i * size_t(w));
    const RowSink append = [](void* context, int count) {
      auto* b = static_cast<Batch*>(context);
      const size_t n = size_t(count) * b->width;
      // The X byte of BGRX output is undefined; pixels are 0x00RRGGBB.
      for (size_t i = 0; i < n; ++i) b->scratch[i] &= 0x00FFFFFFu;
      b->out->insert(b->out->end(), b->scratch.begin(), b->scratch.begin() + long(n));
    };
    Check(BatchedScanlinesStep(&c, &d.err, rows, rowsPerBatch, append, &batch));
  }
  Check(FinishStep(&c, &d.err));
  warnings_ = static_cast<int>(d.err.pub.num_warnings);
  return picture;
}

}  // namespace zv
