#pragma once
// The GDI implementation of Canvas, the fonts it draws with, and the double-buffered painting
// of a window: WM_PAINT draws into a memory bitmap and copies the invalid area to the screen in
// one step, so that a control never flickers. System colours are resolved at paint time.
// clang-format off
#include <windows.h>
#include <uxtheme.h>
// clang-format on

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "ui/canvas.h"
#include "ui/graphics.h"

namespace zv {

// The platform's system colours.
class Win32Colors : public ColorResolver {
 public:
  TColor Resolve(TColor c) const override;
};

// One HFONT per distinct TFont, owned here and deleted with the cache.
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache();
  HFONT Get(const TFont& font);

 private:
  using Key = std::tuple<std::u16string, int, unsigned>;
  std::map<Key, HFONT> fonts_;
};

class GdiCanvas : public Canvas {
 public:
  // Paints on dc; `area` is the part to paint (ClipBox). window is used for visual styles.
  GdiCanvas(HDC dc, TRect area, FontCache& fonts, HWND window);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void FillRect(const TRect& r, TColor color) override;
  void FrameRect(const TRect& r, TColor color) override;
  void Line(TPoint a, TPoint b, TColor color) override;
  void Polyline(const std::vector<TPoint>& points, TColor color) override;
  void Polygon(const std::vector<TPoint>& points, TColor outline, TColor fill) override;
  void InvertRect(const TRect& r) override;
  void DrawFocusRect(const TRect& r) override;
  void DrawText(const TRect& r, std::u16string_view text, const TFont& font,
                unsigned flags) override;
  int TextWidth(std::u16string_view text, const TFont& font) override;
  int TextHeight(const TFont& font) override;
  void DrawBitmap(int x, int y, const Bitmap& bitmap, TColor transparent) override;
  bool DrawThemePart(const char* themeClass, int part, int state, const TRect& r) override;
  void SetClip(const TRect& r) override;
  void ResetClip() override;
  TRect ClipBox() const override;

 private:
  COLORREF Color(TColor c) const;
  HDC dc_;
  TRect area_;
  TRect clip_;
  FontCache& fonts_;
  HWND window_;
  Win32Colors colors_;
  int savedDc_;
  std::map<std::string, HTHEME> themes_;
  // Whether visual styles are on, asked once for the canvas (a paint), not once a part.
  std::optional<bool> themed_;
};

// A 32-bit top-down DIB's header: the layout of a Bitmap's 0x00RRGGBB pixels.
BITMAPINFO TopDownDibInfo(int width, int height);
// A DIB section holding a copy of the bitmap's pixels, compatible with `like` (the screen when
// null); null when it cannot be made. The caller deletes it.
HBITMAP CreateDibCopy(HDC like, const Bitmap& bitmap);

// Paints a window's invalid area through a memory bitmap (call from WM_PAINT).
void PaintBuffered(HWND hwnd, FontCache& fonts, const std::function<void(Canvas&)>& paint);
// Paints the whole client area into dc (WM_PRINTCLIENT).
void PaintInto(HWND hwnd, HDC dc, FontCache& fonts, const std::function<void(Canvas&)>& paint);

// A canvas on a memory DC of its own, for measuring text outside painting.
std::unique_ptr<Canvas> CreateMeasureCanvas(FontCache& fonts);

}  // namespace zv
