// Display scaling arithmetic and picture scaling.
#include "ui/scaling.h"

#include <cstdint>
#include <cstdlib>

namespace zv {

int MulDiv(int n, int m, int d) {
  if (d == 0) return -1;
  const long long product = static_cast<long long>(n) * m;
  long long q = product / d;
  const long long r = product % d;
  // Round half away from zero: compare twice the remainder with the divisor.
  if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(d)))
    q += ((product < 0) != (d < 0)) ? -1 : 1;
  return static_cast<int>(q);
}

TRect ScaleBounds(const TRect& r, int m, int d) {
  return Bounds(MulDiv(r.Left, m, d), MulDiv(r.Top, m, d), MulDiv(r.Width(), m, d),
                MulDiv(r.Height(), m, d));
}

Bitmap ScaleKeyedBitmap(const Bitmap& source, int width, int height, TColor key) {
  Bitmap out;
  if (source.Empty() || width <= 0 || height <= 0) return out;
  out.Width = width;
  out.Height = height;
  out.Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  // The key as 0x00RRGGBB, the layout of Bitmap's pixels.
  const std::uint32_t keyPixel = (std::uint32_t(GetRValue(key)) << 16) |
                                 (std::uint32_t(GetGValue(key)) << 8) |
                                 std::uint32_t(GetBValue(key));
  // Work in units of 1 / (width × height) of a source pixel so that every overlap is exact.
  const long long sw = source.Width, sh = source.Height;
  for (int ty = 0; ty < height; ++ty) {
    const long long y0 = ty * sh, y1 = (ty + 1) * sh;  // in units of 1 / height
    for (int tx = 0; tx < width; ++tx) {
      const long long x0 = tx * sw, x1 = (tx + 1) * sw;  // in units of 1 / width
      long long covered = 0, total = 0, r = 0, g = 0, b = 0;
      for (long long sy = y0 / height; sy * height < y1 && sy < sh; ++sy) {
        const long long oy = std::min(y1, (sy + 1) * height) - std::max(y0, sy * height);
        for (long long sx = x0 / width; sx * width < x1 && sx < sw; ++sx) {
          const long long ox = std::min(x1, (sx + 1) * width) - std::max(x0, sx * width);
          const long long area = ox * oy;
          total += area;
          const std::uint32_t p = source.At(static_cast<int>(sx), static_cast<int>(sy));
          if (p == keyPixel) continue;
          covered += area;
          r += area * ((p >> 16) & 0xFF);
          g += area * ((p >> 8) & 0xFF);
          b += area * (p & 0xFF);
        }
      }
      std::uint32_t pixel = keyPixel;
      if (covered > 0 && 2 * covered >= total) {
        pixel = std::uint32_t((r + covered / 2) / covered) << 16 |
                std::uint32_t((g + covered / 2) / covered) << 8 |
                std::uint32_t((b + covered / 2) / covered);
        // A mean that lands on the key by chance would turn transparent: nudge it.
        if (pixel == keyPixel) pixel ^= 1;
      }
      out.Pixels[static_cast<size_t>(ty) * static_cast<size_t>(width) + static_cast<size_t>(tx)] =
          pixel;
    }
  }
  return out;
}

Bitmap PickScaledBitmap(const std::vector<Bitmap>& versions, int designWidth, int designHeight,
                        int pixelsPerInch, TColor key) {
  if (versions.empty()) return {};
  const int w = MulDiv(designWidth, pixelsPerInch, kDesignPixelsPerInch);
  const int h = MulDiv(designHeight, pixelsPerInch, kDesignPixelsPerInch);
  const Bitmap* best = nullptr;
  for (const Bitmap& v : versions) {
    if (v.Width == w && v.Height == h) return v;
    // The smallest version at least as large as the target; failing that, the largest.
    const bool large = v.Width >= w && v.Height >= h;
    if (!best) {
      best = &v;
      continue;
    }
    const bool bestLarge = best->Width >= w && best->Height >= h;
    if (large && (!bestLarge || v.Width < best->Width)) best = &v;
    if (!large && !bestLarge && v.Width > best->Width) best = &v;
  }
  return ScaleKeyedBitmap(*best, w, h, key);
}

}  // namespace zv
