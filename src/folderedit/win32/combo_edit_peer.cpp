// Win32ComboEditPeer: the edit box with its button child window.
#include "folderedit/win32/combo_edit_peer.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "folderedit/directory_edit.h"
#include "folderedit/folder_glyph.h"
#include "ui/win32/accessible_leaf.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

// The picture for a glyph kind: the box's own for gkCustom, the folder otherwise (the ellipsis
// and drop-down kinds are drawn as shapes instead).
const Bitmap* GlyphFor(const TCustomComboEdit& box, const Bitmap& folder) {
  switch (box.GlyphKind()) {
    case TGlyphKind::gkCustom:
      return &box.Glyph();
    case TGlyphKind::gkDefault:
      return &folder;
    default:
      return nullptr;
  }
}

}  // namespace

Win32ComboEditPeer::Win32ComboEditPeer(Win32Backend& backend, TCustomComboEdit& box)
    : Win32EditPeer(backend, box), box_(box) {}

Win32ComboEditPeer::~Win32ComboEditPeer() {
  if (button_ && IsWindow(button_)) {
    SetWindowLongPtrW(button_, GWLP_USERDATA, 0);
    DestroyWindow(button_);
  }
}

void Win32ComboEditPeer::FillCreateParams(CreateParams& params) {
  Win32EditPeer::FillCreateParams(params);
  // The edit box must not paint over its button.
  params.Style |= WS_CLIPCHILDREN;
}

void Win32ComboEditPeer::Created() {
  Win32EditPeer::Created();
  HINSTANCE instance = Backend().Instance();
  WNDCLASSEXW wc = {};
  if (!GetClassInfoExW(instance, kButtonClass, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kButtonClass;
    wc.lpfnWndProc = &ButtonProc;
    RegisterClassExW(&wc);
  }
  const TRect r = box_.ButtonRect();
  // The window's text is the button's name, which the system's default description of a window
  // reads too; the picture is painted, never the text.
  button_ =
      CreateWindowExW(0, kButtonClass, Widen(box_.ButtonName).c_str(), WS_CHILD | WS_CLIPSIBLINGS,
                      r.Left, r.Top, r.Width(), r.Height(), Handle(), nullptr, instance, this);
  Layout();
}

void Win32ComboEditPeer::PropertyChanged(int property) {
  if (property == TCustomComboEdit::PropButton) {
    Layout();
    if (button_) InvalidateRect(button_, nullptr, TRUE);
    return;
  }
  Win32EditPeer::PropertyChanged(property);
}

void Win32ComboEditPeer::Layout() {
  if (!Handle()) return;
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN,
               MAKELPARAM(0, box_.TypingAreaRightMargin()));
  if (!button_) return;
  const TRect r = box_.ButtonRect();
  SetWindowPos(
      button_, nullptr, r.Left, r.Top, r.Width(), r.Height(),
      SWP_NOZORDER | SWP_NOACTIVATE | (box_.ButtonVisible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

LRESULT CALLBACK Win32ComboEditPeer::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* peer = reinterpret_cast<Win32ComboEditPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Until CreateWindowExW has returned, button_ is not set yet: default handling.
  if (!peer || peer->button_ != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = 0;
  // Through the application's one dispatch place: the folder dialog and the settings handler
  // run from here, and an error of theirs goes to the general error handler.
  peer->Backend().Dispatch([&] { result = peer->ButtonMessage(msg, wp, lp); });
  return result;
}

bool Win32ComboEditPeer::MouseOverButton(LPARAM lp) const {
  RECT r;
  GetClientRect(button_, &r);
  const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  return PtInRect(&r, p) != FALSE;
}

void Win32ComboEditPeer::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  InvalidateRect(button_, nullptr, FALSE);
}

LRESULT Win32ComboEditPeer::ButtonMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a speed button leaves the focus where it is
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!box_.Enabled()) return 0;
      tracking_ = true;
      ::SetCapture(button_);
      SetPressed(true);
      return 0;
    case WM_MOUSEMOVE:
      if (tracking_) SetPressed(MouseOverButton(lp));
      return 0;
    case WM_LBUTTONUP: {
      if (!tracking_) return 0;
      const bool click = MouseOverButton(lp);
      tracking_ = false;
      ::ReleaseCapture();
      SetPressed(false);
      if (click) {
        UpdateWindow(button_);
        box_.DoClick();
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      tracking_ = false;
      SetPressed(false);
      return 0;
    case WM_GETOBJECT: {
      // A screen reader hears a push button with the box's name for it; its default action
      // presses it.
      LRESULT result = 0;
      if (AnswerAccessibleLeaf(button_, wp, lp,
                               {TAccessibleRole::arPushButton, Widen(box_.ButtonName), BM_CLICK},
                               result))
        return result;
      return DefWindowProcW(button_, msg, wp, lp);
    }
    case BM_CLICK:
      // The default action above, as a click on the button.
      if (box_.Enabled()) box_.DoClick();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(button_, &ps);
      PaintButton(dc);
      EndPaint(button_, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(button_, msg, wp, lp);
  }
}

void Win32ComboEditPeer::PaintButton(HDC dc) {
  RECT rc;
  GetClientRect(button_, &rc);
  const TRect area{rc.left, rc.top, rc.right, rc.bottom};
  const bool enabled = box_.Enabled();
  GdiCanvas canvas(dc, area, Backend().Fonts(), button_);
  canvas.FillRect(area, clBtnFace);
  const int state = !enabled ? PBS_DISABLED : pressed_ ? PBS_PRESSED : PBS_NORMAL;
  if (!canvas.DrawThemePart("Button", BP_PUSHBUTTON, state, area)) {
    RECT frame = rc;
    DrawFrameControl(
        dc, &frame, DFC_BUTTON,
        DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
  const int shift = pressed_ ? 1 : 0;
  static const Bitmap folder = FolderButtonGlyph();
  if (const Bitmap* glyph = GlyphFor(box_, folder); glyph && !glyph->Empty()) {
    // NumGlyphs pictures side by side: the first serves every state.
    Bitmap first = *glyph;
    const int count = box_.NumGlyphs > 1 ? box_.NumGlyphs : 1;
    if (count > 1 && glyph->Width >= count) {
      first.Width = glyph->Width / count;
      first.Pixels.clear();
      for (int y = 0; y < glyph->Height; ++y) {
        for (int x = 0; x < first.Width; ++x) first.Pixels.push_back(glyph->At(x, y));
      }
    }
    const int x = (area.Width() - first.Width) / 2 + shift;
    const int y = (area.Height() - first.Height) / 2 + shift;
    canvas.DrawBitmap(x, y, first, box_.GlyphTransparent);
  } else {
    // Ellipsis: three dots; drop-down: a small triangle.
    const TColor ink = enabled ? clBtnText : clGrayText;
    const int cx = area.Width() / 2 + shift, cy = area.Height() / 2 + shift;
    if (box_.GlyphKind() == TGlyphKind::gkEllipsis) {
      for (int i = -1; i <= 1; ++i) canvas.FillRect(Bounds(cx + 3 * i - 1, cy, 2, 2), ink);
    } else {
      for (int row = 0; row < 4; ++row) {
        canvas.FillRect(TRect{cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row}, ink);
      }
    }
  }
}

void RegisterFolderEditPeers(Win32Backend& backend) {
  auto make = [](Win32Backend& b, TControl& c) -> std::unique_ptr<Win32Peer> {
    return std::make_unique<Win32ComboEditPeer>(b, dynamic_cast<TCustomComboEdit&>(c));
  };
  backend.RegisterPeer("TCustomComboEdit", make);
  backend.RegisterPeer("TDirectoryEdit", make);
}

}  // namespace zv
