// Fit arithmetic and stretching of the preview picture.
#include "preview/fit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zv {

TRect PictureRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center) {
  if (stretch || (proportional && (w > cw || h > ch))) {
    if (proportional && w > 0 && h > 0) {
      const double aspect = double(w) / double(h);
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (center) {
    const int dx = (cw - w) / 2, dy = (ch - h) / 2;  // C++ division truncates toward zero
    r = {dx, dy, dx + w, dy + h};
  }
  return r;
}

namespace {

// For each target position, the first source position it maps to.
std::vector<int> SourceStarts(int source, int target) {
  std::vector<int> starts(size_t(target) + 1);
  for (int i = 0; i <= target; ++i)
    starts[size_t(i)] = static_cast<int>(std::int64_t(i) * source / target);
  return starts;
}

}  // namespace

Bitmap StretchNearest(const Bitmap& source, int width, int height) {
  Bitmap out;
  if (width <= 0 || height <= 0 || source.Empty()) return out;
  out.Width = width;
  out.Height = height;
  out.Pixels.resize(size_t(width) * size_t(height));
  const std::vector<int> xs = SourceStarts(source.Width, width);
  const std::vector<int> ys = SourceStarts(source.Height, height);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = source.Pixels.data() + size_t(ys[size_t(y)]) * size_t(source.Width);
    std::uint32_t* dst = out.Pixels.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) dst[x] = row[xs[size_t(x)]];
  }
  return out;
}

Bitmap StretchHalftone(const Bitmap& source, int width, int height) {
  Bitmap out;
  if (width <= 0 || height <= 0 || source.Empty()) return out;
  out.Width = width;
  out.Height = height;
  out.Pixels.resize(size_t(width) * size_t(height));
  const std::vector<int> xs = SourceStarts(source.Width, width);
  const std::vector<int> ys = SourceStarts(source.Height, height);
  for (int y = 0; y < height; ++y) {
    const int y0 = ys[size_t(y)], y1 = std::max(ys[size_t(y) + 1], y0 + 1);
    for (int x = 0; x < width; ++x) {
      const int x0 = xs[size_t(x)], x1 = std::max(xs[size_t(x) + 1], x0 + 1);
      std::uint64_t r = 0, g = 0, b = 0;
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const std::uint32_t p = source.At(sx, sy);
          r += (p >> 16) & 0xFF;
          g += (p >> 8) & 0xFF;
          b += p & 0xFF;
        }
      }
      const std::uint64_t n = std::uint64_t(y1 - y0) * std::uint64_t(x1 - x0);
      out.Pixels[size_t(y) * size_t(width) + size_t(x)] =
          std::uint32_t(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
    }
  }
  return out;
}

}  // namespace zv
