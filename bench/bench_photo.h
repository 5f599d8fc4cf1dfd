#pragma once
// For the decoding benchmarks (the preview's and the thumbnails'): a photo-like JPEG, smooth colour
// gradients with some texture, as a camera's photo compresses, written with libjpeg; and the best
// time of a few runs.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace zv::bench {

// The shortest of `runs` runs of `run`, in seconds.
template <typename F>
double BestSeconds(int runs, F run) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

inline void WritePhoto(const std::string& path, int width, int height, int quality = 90) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    std::exit(1);
  }
  jpeg_stdio_dest(&c, f);
  c.image_width = JDIMENSION(width);
  c.image_height = JDIMENSION(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(std::size_t(width) * 3);
  std::uint32_t seed = 1;
  while (c.next_scanline < c.image_height) {
    const int y = int(c.next_scanline);
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28) - 8;
      const double wave = 40 * std::sin(x / 57.0) * std::cos(y / 43.0);
      row[std::size_t(x) * 3] =
          (unsigned char)std::clamp(int(x * 255 / width + wave) + noise, 0, 255);
      row[std::size_t(x) * 3 + 1] =
          (unsigned char)std::clamp(int(y * 255 / height - wave) + noise, 0, 255);
      row[std::size_t(x) * 3 + 2] = (unsigned char)std::clamp(128 + int(wave * 2) + noise, 0, 255);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

}  // namespace zv::bench
