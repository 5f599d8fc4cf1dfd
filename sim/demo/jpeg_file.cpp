// JPEG encoding of the demo photos (see jpeg_file.h).
#include "jpeg_file.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "exif_segment.h"

namespace zv::demo {
namespace {

// libjpeg reports errors by calling error_exit, which must not return; it jumps back here
// (an exception must not cross libjpeg's C frames).
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Runs the encoder; false with errors.message set on a libjpeg error. No C++ object with a
// destructor lives in this frame, so the jump skips nothing.
bool Encode(const Image& image, unsigned char** out, unsigned long* size, int quality,
            ErrorManager& errors) {
  jpeg_compress_struct info{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(&image.rgb[static_cast<size_t>(info.next_scanline) * image.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality) {
  unsigned char* out = nullptr;
  unsigned long size = 0;
  ErrorManager errors{};
  const bool ok = Encode(image, &out, &size, quality, errors);
  std::unique_ptr<unsigned char, void (*)(void*)> owned(out, &std::free);
  if (!ok) throw std::runtime_error(std::string("JPEG encoding: ") + errors.message);
  return std::vector<std::uint8_t>(out, out + size);
}

void WriteJpeg(const Image& image, const std::filesystem::path& path, int quality,
               const std::vector<std::uint8_t>& segment) {
  std::vector<std::uint8_t> bytes = EncodeJpeg(image, quality);
  if (!segment.empty()) bytes = WithSegment(bytes, segment);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot create " + path.string());
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (std::fclose(file.release()) != 0 || !written)
    throw std::runtime_error("cannot write " + path.string());
}

}  // namespace zv::demo
