#pragma once
// A Canvas that records every call, for tests that assert on what a control painted. Text
// metrics are fixed and predictable: every character is CharWidth pixels wide (one more in
// bold) and a line is |font height| + 2 pixels high. Bitmaps are recorded by size and a copy.
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace zv {

struct CanvasCall {
  enum Kind {
    kFillRect,
    kFrameRect,
    kLine,
    kPolyline,
    kPolygon,
    kInvertRect,
    kDrawFocusRect,
    kDrawText,
    kDrawBitmap,
    kDrawThemePart,
    kSetClip,
    kResetClip,
  };
  Kind kind = kFillRect;
  TRect rect;                  // FillRect, FrameRect, InvertRect, DrawFocusRect, DrawText, theme
  TColor color = clNone;       // fill or line colour; Polygon: outline; DrawBitmap: transparent
  TColor fill = clNone;        // Polygon: fill
  std::vector<TPoint> points;  // Line: {a, b}; Polyline, Polygon; DrawBitmap: {(x, y)}
  std::u16string text;         // DrawText
  TFont font;                  // DrawText
  unsigned flags = 0;          // DrawText
  Bitmap bitmap;               // DrawBitmap (a copy)
  std::string themeClass;      // DrawThemePart
  int part = 0, state = 0;     // DrawThemePart
};

class RecordingCanvas : public Canvas {
 public:
  // Area the canvas paints (ClipBox without a clip); usually the control's client area.
  explicit RecordingCanvas(TRect surface = {0, 0, 10000, 10000}) : surface_(surface) {}

  static constexpr int kCharWidth = 6;

  std::vector<CanvasCall> Calls;
  // Answer of DrawThemePart (whether a visual style is available).
  bool ThemeAvailable = false;

  // Calls of one kind, in order.
  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const;
  // Texts drawn, in order (UTF-16).
  std::vector<std::u16string> Texts() const;
  void Clear() { Calls.clear(); }

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
  CanvasCall& Add(CanvasCall::Kind kind);
  TRect surface_;
  bool clipped_ = false;
  TRect clip_;
};

}  // namespace zv
