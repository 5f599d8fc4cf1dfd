// RecordingCanvas: keeps every drawing call for tests.
#include "ui/recording_canvas.h"

#include <cstdlib>

namespace zv {

std::vector<CanvasCall> RecordingCanvas::Of(CanvasCall::Kind kind) const {
  std::vector<CanvasCall> out;
  for (const auto& c : Calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<std::u16string> RecordingCanvas::Texts() const {
  std::vector<std::u16string> out;
  for (const auto& c : Calls)
    if (c.kind == CanvasCall::kDrawText) out.push_back(c.text);
  return out;
}

CanvasCall& RecordingCanvas::Add(CanvasCall::Kind kind) {
  Calls.emplace_back();
  Calls.back().kind = kind;
  return Calls.back();
}

void RecordingCanvas::FillRect(const TRect& r, TColor color) {
  auto& c = Add(CanvasCall::kFillRect);
  c.rect = r;
  c.color = color;
}

void RecordingCanvas::FrameRect(const TRect& r, TColor color) {
  auto& c = Add(CanvasCall::kFrameRect);
  c.rect = r;
  c.color = color;
}

void RecordingCanvas::Line(TPoint a, TPoint b, TColor color) {
  auto& c = Add(CanvasCall::kLine);
  c.color = color;
  c.points = {a, b};
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points, TColor color) {
  auto& c = Add(CanvasCall::kPolyline);
  c.color = color;
  c.points = points;
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points, TColor outline, TColor fill) {
  auto& c = Add(CanvasCall::kPolygon);
  c.color = outline;
  c.fill = fill;
  c.points = points;
}

void RecordingCanvas::InvertRect(const TRect& r) { Add(CanvasCall::kInvertRect).rect = r; }

void RecordingCanvas::DrawFocusRect(const TRect& r) { Add(CanvasCall::kDrawFocusRect).rect = r; }

void RecordingCanvas::DrawText(const TRect& r, std::u16string_view text, const TFont& font,
                               unsigned flags) {
  auto& c = Add(CanvasCall::kDrawText);
  c.rect = r;
  c.text = std::u16string(text);
  c.font = font;
  c.flags = flags;
}

int RecordingCanvas::TextWidth(std::u16string_view text, const TFont& font) {
  const int perChar = kCharWidth + ((font.Style & fsBold) ? 1 : 0);
  return static_cast<int>(text.size()) * perChar;
}

int RecordingCanvas::TextHeight(const TFont& font) { return std::abs(font.Height) + 2; }

void RecordingCanvas::DrawBitmap(int x, int y, const Bitmap& bitmap, TColor transparent) {
  auto& c = Add(CanvasCall::kDrawBitmap);
  c.color = transparent;
  c.points = {{x, y}};
  c.bitmap = bitmap;
}

bool RecordingCanvas::DrawThemePart(const char* themeClass, int part, int state, const TRect& r) {
  auto& c = Add(CanvasCall::kDrawThemePart);
  c.rect = r;
  c.themeClass = themeClass ? themeClass : "";
  c.part = part;
  c.state = state;
  return ThemeAvailable;
}

void RecordingCanvas::SetClip(const TRect& r) {
  clipped_ = true;
  clip_ = r;
  Add(CanvasCall::kSetClip).rect = r;
}

void RecordingCanvas::ResetClip() {
  clipped_ = false;
  Add(CanvasCall::kResetClip);
}

TRect RecordingCanvas::ClipBox() const { return clipped_ ? clip_.Intersect(surface_) : surface_; }

}  // namespace zv
