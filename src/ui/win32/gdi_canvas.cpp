// The GDI canvas and double-buffered painting.
#include "ui/win32/gdi_canvas.h"

#include <vssym32.h>

#include <algorithm>

#include "ui/win32/win32_text.h"

namespace zv {

namespace {

RECT ToRect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

std::vector<POINT> ToPoints(const std::vector<TPoint>& points) {
  std::vector<POINT> out;
  out.reserve(points.size());
  for (const auto& p : points) out.push_back({p.X, p.Y});
  return out;
}

// A 32-bit top-down DIB section holding a copy of a Bitmap, selected into a memory DC.
class DibCopy {
 public:
  DibCopy(HDC like, const Bitmap& bitmap) : bmp_(CreateDibCopy(like, bitmap)) {
    dc_ = CreateCompatibleDC(like);
    old_ = SelectObject(dc_, bmp_);
  }
  ~DibCopy() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    if (bmp_) DeleteObject(bmp_);
  }
  DibCopy(const DibCopy&) = delete;
  DibCopy& operator=(const DibCopy&) = delete;
  HDC dc() const { return dc_; }
  bool ok() const { return bmp_ != nullptr; }

 private:
  HBITMAP bmp_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBITMAP CreateDibCopy(HDC like, const Bitmap& bitmap) {
  const BITMAPINFO info = TopDownDibInfo(bitmap.Width, bitmap.Height);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp && bits) {
    std::copy(bitmap.Pixels.begin(), bitmap.Pixels.end(), static_cast<std::uint32_t*>(bits));
  }
  return bmp;
}

TColor Win32Colors::Resolve(TColor c) const {
  if (!IsSystemColor(c)) return c;
  return static_cast<TColor>(GetSysColor(c & 0xFF));
}

FontCache::~FontCache() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::Get(const TFont& font) {
  const Key key{font.Name, font.Height, font.Style};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = font.Height;
  lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  // The program's Russian texts, and the user's Cyrillic names in either language: ask for the
  // Cyrillic variant of the face (which has the Latin letters too), as a Russian Windows would
  // give it by default, so that a Windows of another language (or Wine) does not substitute a
  // wider face for the missing letters.
  lf.lfCharSet = RUSSIAN_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  const std::wstring name = Widen(font.Name);
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  HFONT h = CreateFontIndirectW(&lf);
  if (!h) h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = h;
  return h;
}

GdiCanvas::GdiCanvas(HDC dc, TRect area, FontCache& fonts, HWND window)
    : dc_(dc), area_(area), clip_(area), fonts_(fonts), window_(window), savedDc_(SaveDC(dc)) {
  SetBkMode(dc_, TRANSPARENT);
  IntersectClipRect(dc_, area.Left, area.Top, area.Right, area.Bottom);
}

GdiCanvas::~GdiCanvas() {
  for (auto& [name, theme] : themes_)
    if (theme) CloseThemeData(theme);
  RestoreDC(dc_, savedDc_);
}

COLORREF GdiCanvas::Color(TColor c) const { return static_cast<COLORREF>(colors_.Resolve(c)); }

void GdiCanvas::FillRect(const TRect& r, TColor color) {
  SetDCBrushColor(dc_, Color(color));
  RECT rc = ToRect(r);
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::FrameRect(const TRect& r, TColor color) {
  SetDCBrushColor(dc_, Color(color));
  RECT rc = ToRect(r);
  ::FrameRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::Line(TPoint a, TPoint b, TColor color) {
  HGDIOBJ old = SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, Color(color));
  MoveToEx(dc_, a.X, a.Y, nullptr);
  LineTo(dc_, b.X, b.Y);
  SelectObject(dc_, old);
}

void GdiCanvas::Polyline(const std::vector<TPoint>& points, TColor color) {
  if (points.size() < 2) return;
  HGDIOBJ old = SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, Color(color));
  const auto pts = ToPoints(points);
  ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
  SelectObject(dc_, old);
}

void GdiCanvas::Polygon(const std::vector<TPoint>& points, TColor outline, TColor fill) {
  if (points.size() < 3) return;
  HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(DC_PEN));
  HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc_, Color(outline));
  SetDCBrushColor(dc_, Color(fill));
  const auto pts = ToPoints(points);
  ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
  SelectObject(dc_, oldBrush);
  SelectObject(dc_, oldPen);
}

void GdiCanvas::InvertRect(const TRect& r) {
  RECT rc = ToRect(r);
  ::InvertRect(dc_, &rc);
}

void GdiCanvas::DrawFocusRect(const TRect& r) {
  RECT rc = ToRect(r);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::DrawText(const TRect& r, std::u16string_view text, const TFont& font,
                         unsigned flags) {
  HGDIOBJ old = SelectObject(dc_, fonts_.Get(font));
  SetTextColor(dc_, Color(font.Color));
  SetBkMode(dc_, TRANSPARENT);
  RECT rc = ToRect(r);
  std::wstring w = Widen(text);
  ::DrawTextW(dc_, w.data(), static_cast<int>(w.size()), &rc, flags);
  SelectObject(dc_, old);
}

int GdiCanvas::TextWidth(std::u16string_view text, const TFont& font) {
  HGDIOBJ old = SelectObject(dc_, fonts_.Get(font));
  const std::wstring w = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc_, old);
  return size.cx;
}

int GdiCanvas::TextHeight(const TFont& font) {
  HGDIOBJ old = SelectObject(dc_, fonts_.Get(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  SelectObject(dc_, old);
  return tm.tmHeight;
}

void GdiCanvas::DrawBitmap(int x, int y, const Bitmap& bitmap, TColor transparent) {
  if (bitmap.Empty()) return;
  DibCopy copy(dc_, bitmap);
  if (!copy.ok()) return;
  if (transparent == clNone) {
    BitBlt(dc_, x, y, bitmap.Width, bitmap.Height, copy.dc(), 0, 0, SRCCOPY);
  } else {
    TransparentBlt(dc_, x, y, bitmap.Width, bitmap.Height, copy.dc(), 0, 0, bitmap.Width,
                   bitmap.Height, Color(transparent));
  }
}

bool GdiCanvas::DrawThemePart(const char* themeClass, int part, int state, const TRect& r) {
  if (!themed_) themed_ = IsThemeActive() && IsAppThemed();
  if (!*themed_) return false;
  HTHEME& theme = themes_[themeClass];
  if (!theme) theme = OpenThemeData(window_, Widen(std::string_view(themeClass)).c_str());
  if (!theme) return false;
  RECT rc = ToRect(r);
  return SUCCEEDED(DrawThemeBackground(theme, dc_, part, state, &rc, nullptr));
}

void GdiCanvas::SetClip(const TRect& r) {
  clip_ = r.Intersect(area_);
  HRGN rgn = CreateRectRgn(clip_.Left, clip_.Top, clip_.Right, clip_.Bottom);
  SelectClipRgn(dc_, rgn);
  DeleteObject(rgn);
}

void GdiCanvas::ResetClip() {
  clip_ = area_;
  HRGN rgn = CreateRectRgn(area_.Left, area_.Top, area_.Right, area_.Bottom);
  SelectClipRgn(dc_, rgn);
  DeleteObject(rgn);
}

TRect GdiCanvas::ClipBox() const { return clip_; }

namespace {
// BeginPaint/EndPaint as a pair that also holds when painting fails.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A memory DC with a bitmap like another DC's, freed together.
class BackBuffer {
 public:
  BackBuffer(HDC like, int width, int height)
      : dc_(CreateCompatibleDC(like)),
        bmp_(CreateCompatibleBitmap(like, width, height)),
        old_(SelectObject(dc_, bmp_)) {}
  ~BackBuffer() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};
}  // namespace

void PaintBuffered(HWND hwnd, FontCache& fonts, const std::function<void(Canvas&)>& paint) {
  PaintScope scope(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  const RECT& p = scope.area();
  const TRect area =
      TRect{p.left, p.top, p.right, p.bottom}.Intersect({0, 0, client.right, client.bottom});
  if (area.IsEmpty()) return;
  BackBuffer buffer(scope.dc(), client.right, client.bottom);
  {
    GdiCanvas canvas(buffer.dc(), area, fonts, hwnd);
    paint(canvas);
  }
  BitBlt(scope.dc(), area.Left, area.Top, area.Width(), area.Height(), buffer.dc(), area.Left,
         area.Top, SRCCOPY);
}

void PaintInto(HWND hwnd, HDC dc, FontCache& fonts, const std::function<void(Canvas&)>& paint) {
  RECT client;
  GetClientRect(hwnd, &client);
  GdiCanvas canvas(dc, {0, 0, client.right, client.bottom}, fonts, hwnd);
  paint(canvas);
}

namespace {

// Owns the memory DC and the canvas on it, in the order that destroys the canvas first.
class OwnedMeasureCanvas : public Canvas {
 public:
  explicit OwnedMeasureCanvas(FontCache& fonts)
      : dc_(CreateCompatibleDC(nullptr)), canvas_(dc_, {0, 0, 1, 1}, fonts, nullptr) {}
  ~OwnedMeasureCanvas() override = default;
  void FillRect(const TRect& r, TColor c) override { canvas_.FillRect(r, c); }
  void FrameRect(const TRect& r, TColor c) override { canvas_.FrameRect(r, c); }
  void Line(TPoint a, TPoint b, TColor c) override { canvas_.Line(a, b, c); }
  void Polyline(const std::vector<TPoint>& p, TColor c) override { canvas_.Polyline(p, c); }
  void Polygon(const std::vector<TPoint>& p, TColor o, TColor f) override {
    canvas_.Polygon(p, o, f);
  }
  void InvertRect(const TRect& r) override { canvas_.InvertRect(r); }
  void DrawFocusRect(const TRect& r) override { canvas_.DrawFocusRect(r); }
  void DrawText(const TRect& r, std::u16string_view t, const TFont& f, unsigned fl) override {
    canvas_.DrawText(r, t, f, fl);
  }
  int TextWidth(std::u16string_view t, const TFont& f) override { return canvas_.TextWidth(t, f); }
  int TextHeight(const TFont& f) override { return canvas_.TextHeight(f); }
  void DrawBitmap(int x, int y, const Bitmap& b, TColor t) override {
    canvas_.DrawBitmap(x, y, b, t);
  }
  bool DrawThemePart(const char* c, int p, int s, const TRect& r) override {
    return canvas_.DrawThemePart(c, p, s, r);
  }
  void SetClip(const TRect& r) override { canvas_.SetClip(r); }
  void ResetClip() override { canvas_.ResetClip(); }
  TRect ClipBox() const override { return canvas_.ClipBox(); }

 private:
  struct Dc {
    HDC dc;
    explicit Dc(HDC d) : dc(d) {}
    ~Dc() { DeleteDC(dc); }
    operator HDC() const { return dc; }
  } dc_;
  GdiCanvas canvas_;
};

}  // namespace

std::unique_ptr<Canvas> CreateMeasureCanvas(FontCache& fonts) {
  return std::make_unique<OwnedMeasureCanvas>(fonts);
}

}  // namespace zv
