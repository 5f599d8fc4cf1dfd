#pragma once
// The stateless drawing surface every control paints on. Each call takes its own colour and
// font, so painting code never saves and restores surface state. The GDI canvas draws for real;
// RecordingCanvas (recording_canvas.h) keeps a list of the calls for tests.
#include <string_view>
#include <vector>

#include "ui/graphics.h"

namespace zv {

// Flags of formatted text drawing; the values are the platform's own.
enum TextFlags : unsigned {
  tfLeft = 0x0,
  tfCenter = 0x1,
  tfRight = 0x2,
  tfVCenter = 0x4,
  tfBottom = 0x8,
  tfWordBreak = 0x10,
  tfSingleLine = 0x20,
  tfNoPrefix = 0x800,
  tfEndEllipsis = 0x8000,
  tfRtlReading = 0x20000,
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Fills the rectangle (right and bottom edges excluded).
  virtual void FillRect(const TRect& r, TColor color) = 0;
  // A one-pixel frame on the rectangle's outer edge.
  virtual void FrameRect(const TRect& r, TColor color) = 0;
  // A one-pixel line from a to b; the end point b is not drawn.
  virtual void Line(TPoint a, TPoint b, TColor color) = 0;
  // Connected one-pixel lines through the points; the last point is not drawn.
  virtual void Polyline(const std::vector<TPoint>& points, TColor color) = 0;
  // A closed polygon, outlined and filled.
  virtual void Polygon(const std::vector<TPoint>& points, TColor outline, TColor fill) = 0;
  // Inverts every pixel's colour in the rectangle.
  virtual void InvertRect(const TRect& r) = 0;
  // The platform's dotted focus rectangle.
  virtual void DrawFocusRect(const TRect& r) = 0;
  // Text with a transparent background through the platform's formatted text drawing.
  virtual void DrawText(const TRect& r, std::u16string_view text, const TFont& font,
                        unsigned flags) = 0;
  virtual int TextWidth(std::u16string_view text, const TFont& font) = 0;
  virtual int TextHeight(const TFont& font) = 0;
  // Draws a bitmap at (x, y); pixels of the transparent colour are left out (clNone: none).
  virtual void DrawBitmap(int x, int y, const Bitmap& bitmap, TColor transparent) = 0;
  // Draws a part of the platform's visual style ("Button", part 3, state 5 ...). Returns false
  // when no theme is available (the caller then draws the classic look).
  virtual bool DrawThemePart(const char* themeClass, int part, int state, const TRect& r) = 0;
  // Limits drawing to the rectangle; ResetClip lifts the limit. ClipBox is the area to paint.
  virtual void SetClip(const TRect& r) = 0;
  virtual void ResetClip() = 0;
  virtual TRect ClipBox() const = 0;
};

}  // namespace zv
