// Drawing the demo photos (see demo_image.h).
#include "demo_image.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace zv::demo {
namespace {

struct Rgb {
  uint8_t r, g, b;
};

// A saturated colour for a hue in [0, 360).
Rgb Hue(double hue) {
  const double h = std::fmod(hue, 360.0) / 60.0;
  const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0:
      r = 1;
      g = x;
      break;
    case 1:
      r = x;
      g = 1;
      break;
    case 2:
      g = 1;
      b = x;
      break;
    case 3:
      g = x;
      b = 1;
      break;
    case 4:
      r = x;
      b = 1;
      break;
    default:
      r = 1;
      b = x;
      break;
  }
  return {static_cast<uint8_t>(60 + 195 * r), static_cast<uint8_t>(60 + 195 * g),
          static_cast<uint8_t>(60 + 195 * b)};
}

void Put(Image& img, int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
  uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
  p[0] = c.r;
  p[1] = c.g;
  p[2] = c.b;
}

void FillRect(Image& img, int x0, int y0, int w, int h, Rgb c) {
  for (int y = std::max(0, y0); y < std::min(img.height, y0 + h); ++y) {
    for (int x = std::max(0, x0); x < std::min(img.width, x0 + w); ++x) Put(img, x, y, c);
  }
}

void FillCircle(Image& img, int cx, int cy, int radius, Rgb c) {
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Put(img, x, y, c);
    }
  }
}

// Digits 0-9 on a 5 x 7 grid, one row a byte, the top bit of five on the left.
constexpr uint8_t kDigits[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}};

void DrawNumber(Image& img, int number) {
  const std::string text = std::to_string(number);
  const int columns = static_cast<int>(text.size()) * 6 - 1;
  // Big, yet leaving the gradient and the shapes around it visible.
  const int cell = std::max(1, std::min(img.height / 3 / 7, img.width * 6 / 10 / columns));
  const int w = columns * cell;
  const int h = 7 * cell;
  const int x0 = (img.width - w) / 2;
  const int y0 = (img.height - h) / 2;
  FillRect(img, x0 - cell, y0 - cell, w + 2 * cell, h + 2 * cell, {20, 20, 20});
  for (size_t i = 0; i < text.size(); ++i) {
    const auto& glyph = kDigits[text[i] - '0'];
    for (int row = 0; row < 7; ++row) {
      for (int col = 0; col < 5; ++col) {
        if (glyph[row] & (0x10 >> col)) {
          FillRect(img, x0 + (static_cast<int>(i) * 6 + col) * cell, y0 + row * cell, cell, cell,
                   {255, 255, 255});
        }
      }
    }
  }
}

}  // namespace

Image DrawPhoto(int number, int width, int height) {
  Image img;
  img.width = width;
  img.height = height;
  img.rgb.resize(static_cast<size_t>(width) * height * 3);
  // A diagonal gradient between two hues that depend on the number.
  const Rgb from = Hue(number * 47.0);
  const Rgb to = Hue(number * 47.0 + 150.0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double t = (static_cast<double>(x) / width + static_cast<double>(y) / height) / 2.0;
      Put(img, x, y,
          {static_cast<uint8_t>(from.r + (to.r - from.r) * t),
           static_cast<uint8_t>(from.g + (to.g - from.g) * t),
           static_cast<uint8_t>(from.b + (to.b - from.b) * t)});
    }
  }
  // Shapes whose places and sizes follow the number.
  const int unit = std::min(width, height);
  FillCircle(img, width * (1 + number % 4) / 6, height / 4, unit / (5 + number % 3),
             Hue(number * 47.0 + 75.0));
  FillRect(img, width * (number % 5) / 6, height * 3 / 4 - unit / 10, unit / 3, unit / 5,
           Hue(number * 47.0 + 250.0));
  FillCircle(img, width - width * (number % 3 + 1) / 8, height * 4 / 5, unit / 9, {250, 250, 240});
  DrawNumber(img, number);
  return img;
}

}  // namespace zv::demo
