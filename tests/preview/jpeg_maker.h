#pragma once
// Test helpers: JPEGs made with libjpeg itself, and the folder of the libjpeg test images.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/graphics.h"

namespace zv::testing {

// A w × h picture of four solid quarters: red, green / blue, white.
inline Bitmap Quarters(int w, int h) {
  Bitmap b{w, h, std::vector<std::uint32_t>(size_t(w) * size_t(h))};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      b.Pixels[size_t(y) * size_t(w) + size_t(x)] =
          bottom ? (right ? 0xFFFFFFu : 0x0000FFu) : (right ? 0x00FF00u : 0xFF0000u);
    }
  return b;
}

// A bitmap compressed by libjpeg; grey keeps only the green channel as the grey level.
inline std::vector<std::uint8_t> MakeJpeg(const Bitmap& picture, bool grey = false,
                                          bool progressive = false, int quality = 95) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = JDIMENSION(picture.Width);
  c.image_height = JDIMENSION(picture.Height);
  c.input_components = grey ? 1 : 3;
  c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  if (progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(size_t(picture.Width) * 3);
  while (c.next_scanline < c.image_height) {
    const int y = int(c.next_scanline);
    for (int x = 0; x < picture.Width; ++x) {
      const std::uint32_t p = picture.At(x, y);
      if (grey) {
        row[size_t(x)] = (p >> 8) & 0xFF;
      } else {
        row[size_t(x) * 3] = (p >> 16) & 0xFF;
        row[size_t(x) * 3 + 1] = (p >> 8) & 0xFF;
        row[size_t(x) * 3 + 2] = p & 0xFF;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<std::uint8_t> data(out, out + size);
  jpeg_destroy_compress(&c);
  std::free(out);
  return data;
}

// Positions of the start-of-scan markers (0xFF 0xDA) of a JPEG.
inline std::vector<size_t> ScanMarkers(const std::vector<std::uint8_t>& jpeg) {
  std::vector<size_t> at;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) at.push_back(i);
  return at;
}

// Distance of two colours, the largest difference of a channel.
inline int ColourDistance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) {
    const int ca = int((a >> shift) & 0xFF), cb = int((b >> shift) & 0xFF);
    d = std::max(d, ca > cb ? ca - cb : cb - ca);
  }
  return d;
}

// The folder of libjpeg's own test images, as the running program names it ("" when absent).
inline std::string TestImagesFolder() {
#ifdef ZV_TEST_IMAGES
  std::string folder = ZV_TEST_IMAGES;
#ifdef _WIN32
  folder = "Z:" + folder;  // Wine shows the Linux root as drive Z:
#endif
  if (std::FILE* f = std::fopen((folder + "/testorig.jpg").c_str(), "rb")) {
    std::fclose(f);
    return folder;
  }
#endif
  return "";
}

}  // namespace zv::testing
