#pragma once
// Portable geometry, colours, fonts and bitmaps shared by every control and by the canvases.
#include <cstdint>
#include <string>
#include <vector>

namespace zv {

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle holds its left and top edges, not its right and bottom edges.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool Intersects(const TRect& r) const {
    return Left < r.Right && r.Left < Right && Top < r.Bottom && r.Top < Bottom;
  }
  TRect Intersect(const TRect& r) const;
  friend bool operator==(const TRect&, const TRect&) = default;
};
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// A colour as 0x00BBGGRR, or a system colour: top byte 0xFF and the system colour index in the
// low byte (resolved by the canvas at paint time).
using TColor = std::int32_t;
// <windows.h> defines RGB and Get?Value as macros: the portable names are declared and used here
// without them, whichever header comes first.
#pragma push_macro("RGB")
#pragma push_macro("GetRValue")
#pragma push_macro("GetGValue")
#pragma push_macro("GetBValue")
#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }
constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) >> 24) == 0xFF; }
constexpr TColor RGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

// System colour indices as the platform numbers them.
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clNone = 0x1FFFFFFF;
#pragma pop_macro("RGB")
#pragma pop_macro("GetRValue")
#pragma pop_macro("GetGValue")
#pragma pop_macro("GetBValue")

// Resolves system colours. The Win32 backend asks the system; tests and headless runs use the
// classic Windows palette below.
class ColorResolver {
 public:
  virtual ~ColorResolver() = default;
  virtual TColor Resolve(TColor c) const = 0;
};
class ClassicColors : public ColorResolver {
 public:
  TColor Resolve(TColor c) const override;
};

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct TFont {
  std::u16string Name = u"MS Sans Serif";
  int Height = -11;  // negative: character height in pixels, as the platform counts it
  TColor Color = clWindowText;
  TFontStyles Style = 0;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// A 32-bit picture held in memory, rows top-down, each pixel 0x00RRGGBB.
struct Bitmap {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;
  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

}  // namespace zv
