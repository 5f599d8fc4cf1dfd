#pragma once
// A canvas for tests that paints fills and bitmaps into a bitmap of its own, so that tests can
// read back where a picture went. Other drawing is not used by the picture control.
#include "ui/canvas.h"
#include "ui/graphics.h"

namespace zv::testing {

class PixelCanvas : public Canvas {
 public:
  PixelCanvas(int w, int h)
      : surface{w, h, std::vector<std::uint32_t>(size_t(w) * size_t(h), 0xABCDEFu)} {}

  Bitmap surface;  // 0x00RRGGBB
  int bitmapsDrawn = 0;

  void FillRect(const TRect& r, TColor color) override {
    const TColor c = colours_.Resolve(color);
    const std::uint32_t rgb = std::uint32_t(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Put(x, y, rgb);
  }
  void DrawBitmap(int x0, int y0, const Bitmap& b, TColor) override {
    ++bitmapsDrawn;
    for (int y = 0; y < b.Height; ++y)
      for (int x = 0; x < b.Width; ++x) Put(x0 + x, y0 + y, b.At(x, y));
  }
  void FrameRect(const TRect&, TColor) override {}
  void Line(TPoint, TPoint, TColor) override {}
  void Polyline(const std::vector<TPoint>&, TColor) override {}
  void Polygon(const std::vector<TPoint>&, TColor, TColor) override {}
  void InvertRect(const TRect&) override {}
  void DrawFocusRect(const TRect&) override {}
  void DrawText(const TRect&, std::u16string_view, const TFont&, unsigned) override {}
  int TextWidth(std::u16string_view, const TFont&) override { return 0; }
  int TextHeight(const TFont&) override { return 0; }
  bool DrawThemePart(const char*, int, int, const TRect&) override { return false; }
  void SetClip(const TRect&) override {}
  void ResetClip() override {}
  TRect ClipBox() const override { return {0, 0, surface.Width, surface.Height}; }

  std::uint32_t At(int x, int y) const { return surface.At(x, y); }
  static std::uint32_t BtnFace() {
    const TColor c = ClassicColors().Resolve(clBtnFace);
    return std::uint32_t(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
  }

 private:
  void Put(int x, int y, std::uint32_t rgb) {
    if (x >= 0 && y >= 0 && x < surface.Width && y < surface.Height)
      surface.Pixels[size_t(y) * size_t(surface.Width) + size_t(x)] = rgb;
  }
  ClassicColors colours_;
};

}  // namespace zv::testing
