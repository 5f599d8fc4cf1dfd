// JPEG encoding of the demo photos (see jpeg_file.h).
#include "jpeg_file.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

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
bool Encode(const Image& image, FILE* file, int quality, ErrorManager& errors) {
  jpeg_compress_struct info{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
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

void WriteJpeg(const Image& image, const std::filesystem::path& path, int quality) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot create " + path.string());
  ErrorManager errors{};
  if (!Encode(image, file.get(), quality, errors)) {
    throw std::runtime_error(path.string() + ": " + errors.message);
  }
  if (std::fclose(file.release()) != 0) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace zv::demo
