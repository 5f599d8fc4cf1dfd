// The peers of the standard controls: forms, labels, edit boxes, buttons, status bars and
// custom-painted controls.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/comctrls.h"
#include "ui/custom_control.h"
#include "ui/forms.h"
#include "ui/scaling.h"
#include "ui/stdctrls.h"
#include "ui/win32/backend.h"
#include "ui/win32/dpi.h"
#include "ui/win32/edit_peer.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_text.h"

namespace zv {

namespace {

// --- Forms ---

class FormPeer : public Win32Peer {
 public:
  FormPeer(Win32Backend& b, TForm& form) : Win32Peer(b, form), form_(form) {}
  ~FormPeer() override {
    if (Handle()) {
      SendMessageW(Handle(), WM_SETICON, ICON_BIG, 0);
      SendMessageW(Handle(), WM_SETICON, ICON_SMALL, 0);
    }
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
  }

  void FillCreateParams(CreateParams& p) override {
    p.Caption = Widen(form_.Caption());
    p.ExStyle = WS_EX_CONTROLPARENT;
    switch (form_.BorderStyle) {
      case TFormBorderStyle::bsSizeable:
        p.Style = WS_OVERLAPPEDWINDOW;
        break;
      case TFormBorderStyle::bsSizeToolWin:
        p.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
      case TFormBorderStyle::bsSingle:
        p.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        break;
      case TFormBorderStyle::bsDialog:
        p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        p.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
      case TFormBorderStyle::bsNone:
        p.Style = WS_POPUP;
        break;
    }
    p.Style |= WS_CLIPCHILDREN;
    p.Bounds = form_.BoundsRect();
    const int ppi = form_.PixelsPerInch();
    if (ppi != kDesignPixelsPerInch) {
      // Scaled forms keep their client area: the frame is the platform's at that density.
      const TRect client = form_.DesignedClientRect();
      RECT rc{0, 0, client.Width(), client.Height()};
      AdjustWindowRectForDpi(rc, p.Style, p.ExStyle, ppi);
      p.Bounds = Bounds(p.Bounds.Left, p.Bounds.Top, rc.right - rc.left, rc.bottom - rc.top);
    }
    if (form_.Position == TPosition::poScreenCenter) {
      const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
      p.Bounds = Bounds((sw - p.Bounds.Width()) / 2, (sh - p.Bounds.Height()) / 2, p.Bounds.Width(),
                        p.Bounds.Height());
    }
  }

  void Created() override {
    LoadIcons(form_.PixelsPerInch());
    StoreWindowRect();
  }

  void SetVisible(bool visible) override { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

  void PropertyChanged(int property) override {
    if (property == TForm::PropBringToFront && IsWindowVisible(Handle())) {
      SetForegroundWindow(Handle());
      BringWindowToTop(Handle());
    }
  }

  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_CLOSE:
        form_.Close();
        result = 0;
        return true;
      case WM_ENDSESSION:
        if (wp && form_.OnSessionEnd) form_.OnSessionEnd(&form_);
        result = 0;
        return true;
      case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
        const TSizeConstraints& c = form_.Constraints();
        if (c.MinWidth > 0) mmi->ptMinTrackSize.x = c.MinWidth;
        if (c.MinHeight > 0) mmi->ptMinTrackSize.y = c.MinHeight;
        if (c.MaxWidth > 0) mmi->ptMaxTrackSize.x = c.MaxWidth;
        if (c.MaxHeight > 0) mmi->ptMaxTrackSize.y = c.MaxHeight;
        result = 0;
        return true;
      }
      case WM_WINDOWPOSCHANGED:
        StoreWindowRect();
        return false;  // the default handling sends WM_SIZE and WM_MOVE
      case WM_SIZE:
        if (wp != SIZE_MINIMIZED && form_.HandleAllocated()) form_.ClientResizedByPlatform();
        return false;
      case kWmDpiChanged: {
        // Moved to a monitor of another scale: every control rescales in place, then the window
        // takes the rectangle that the system suggests for the new scale.
        form_.ScaleForPPI(LOWORD(wp));
        LoadIcons(LOWORD(wp));
        const RECT* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(Handle(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        result = 0;
        return true;
      }
      case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
          HWND focus = GetFocus();
          if (focus && IsChild(Handle(), focus)) savedFocus_ = focus;
        } else {
          RestoreFocus();
        }
        result = 0;
        return true;
      case WM_SETFOCUS:
        RestoreFocus();
        result = 0;
        return true;
      case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(Handle(), &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc,
                 GetSysColorBrush(IsSystemColor(form_.Color()) ? (form_.Color() & 0xFF)
                                                               : COLOR_BTNFACE));
        result = 1;
        return true;
      }
      case WM_COMMAND:
        if (lp == 0) {  // IDOK / IDCANCEL from the dialog manager: no default buttons here
          // Esc, which the dialog manager turns into IDCANCEL.
          if (LOWORD(wp) == IDCANCEL && form_.OnCancel) form_.OnCancel(&form_);
          result = 0;
          return true;
        }
        return Win32Peer::HandleMessage(msg, wp, lp, result);
      default:
        return Win32Peer::HandleMessage(msg, wp, lp, result);
    }
  }

 private:
  void StoreWindowRect() {
    if (IsIconic(Handle())) return;
    RECT rc;
    GetWindowRect(Handle(), &rc);
    form_.BoundsChangedByPlatform({rc.left, rc.top, rc.right, rc.bottom});
  }
  void RestoreFocus() {
    HWND target = savedFocus_;
    if (!target || !IsWindow(target) || !IsChild(Handle(), target))
      target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target) ::SetFocus(target);
  }

  // The window's icons at the sizes the system uses at `ppi` (title bar, task switcher), taken
  // from the icon resource's nearest image. The window is given the new ones before the old ones
  // are destroyed, so that it never holds a destroyed icon.
  void LoadIcons(int ppi) {
    if (form_.IconResource.empty()) return;
    const std::wstring name = Widen(form_.IconResource);
    HICON large = static_cast<HICON>(LoadImageW(Backend().Instance(), name.c_str(), IMAGE_ICON,
                                                SystemMetricForDpi(SM_CXICON, ppi),
                                                SystemMetricForDpi(SM_CYICON, ppi), 0));
    HICON little = static_cast<HICON>(LoadImageW(Backend().Instance(), name.c_str(), IMAGE_ICON,
                                                 SystemMetricForDpi(SM_CXSMICON, ppi),
                                                 SystemMetricForDpi(SM_CYSMICON, ppi), 0));
    if (large) {
      SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
      if (bigIcon_) DestroyIcon(bigIcon_);
      bigIcon_ = large;
    }
    if (little) {
      SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
      if (smallIcon_) DestroyIcon(smallIcon_);
      smallIcon_ = little;
    }
  }

  TForm& form_;
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HWND savedFocus_ = nullptr;
};

// --- Labels ---

class LabelPeer : public Win32Peer {
 public:
  using Win32Peer::Win32Peer;
  void FillCreateParams(CreateParams& p) override {
    Win32Peer::FillCreateParams(p);
    p.ClassName = L"STATIC";
    p.Style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;  // one line, clipped like the form's label
  }
  bool HandleCtlColor(HDC dc, LRESULT& result) override {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(Control().Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
};

// --- Buttons ---

class ButtonPeer : public Win32Peer {
 public:
  ButtonPeer(Win32Backend& b, TButton& button) : Win32Peer(b, button), button_(button) {}
  void FillCreateParams(CreateParams& p) override {
    Win32Peer::FillCreateParams(p);
    p.ClassName = L"BUTTON";
    p.Style |= BS_PUSHBUTTON;
  }
  bool HandleCommand(UINT code, LRESULT& result) override {
    if (code != BN_CLICKED) return false;
    button_.Click();
    result = 0;
    return true;
  }

 private:
  TButton& button_;
};

// A check box: the system's own, so that it looks, scales and reads out as every check box of
// Windows. The window keeps its own state (BS_CHECKBOX, not the automatic kind) so that the
// control's Checked stays the one truth: a click asks the control, which tells the window.
class CheckBoxPeer : public Win32Peer {
 public:
  CheckBoxPeer(Win32Backend& b, TCheckBox& box) : Win32Peer(b, box), box_(box) {}
  void FillCreateParams(CreateParams& p) override {
    Win32Peer::FillCreateParams(p);
    p.ClassName = L"BUTTON";
    p.Style |= BS_CHECKBOX;
  }
  void Created() override { ApplyCheck(); }
  void PropertyChanged(int property) override {
    if (property == TCheckBox::PropChecked) ApplyCheck();
    Win32Peer::PropertyChanged(property);
  }
  bool HandleCommand(UINT code, LRESULT& result) override {
    if (code != BN_CLICKED) return false;
    box_.Click();
    result = 0;
    return true;
  }

 private:
  void ApplyCheck() {
    if (Handle())
      SendMessageW(Handle(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  TCheckBox& box_;
};

class BitBtnPeer : public ButtonPeer {
 public:
  BitBtnPeer(Win32Backend& b, TBitBtn& button) : ButtonPeer(b, button), button_(button) {}
  ~BitBtnPeer() override { DropGlyph(); }
  void Created() override { ApplyGlyph(); }
  void PropertyChanged(int property) override {
    if (property == TBitBtn::PropGlyph) ApplyGlyph();
  }

 private:
  void DropGlyph() {
    if (!images_) return;
    BUTTON_IMAGELIST none{};
    none.himl = nullptr;
    if (Handle()) SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&none));
    ImageList_Destroy(images_);
    images_ = nullptr;
  }
  // A bitmap resource as 0x00RRGGBB pixels; empty when there is none of that name.
  Bitmap LoadResourceBitmap(const std::wstring& name) {
    Bitmap out;
    auto bmp = static_cast<HBITMAP>(
        LoadImageW(Backend().Instance(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bmp) return out;
    BITMAP info{};
    GetObjectW(bmp, sizeof(info), &info);
    BITMAPINFO bi = TopDownDibInfo(info.bmWidth, info.bmHeight);
    out.Width = info.bmWidth;
    out.Height = info.bmHeight;
    out.Pixels.resize(size_t(out.Width) * size_t(out.Height));
    HDC dc = CreateCompatibleDC(nullptr);
    if (!GetDIBits(dc, bmp, 0, info.bmHeight, out.Pixels.data(), &bi, DIB_RGB_COLORS)) out = {};
    DeleteDC(dc);
    DeleteObject(bmp);
    for (auto& p : out.Pixels) p &= 0xFFFFFFu;
    return out;
  }
  // The picture from the resources at the button's scale (the versions NAME, NAME_24 and
  // NAME_32, the nearest one taken and smoothly resized when none fits exactly), its
  // bottom-left pixel's colour drawn transparent.
  void ApplyGlyph() {
    DropGlyph();
    if (button_.GlyphResource().empty()) return;
    const std::wstring name = Widen(button_.GlyphResource());
    std::vector<Bitmap> versions;
    for (const wchar_t* suffix : {L"", L"_24", L"_32"}) {
      Bitmap b = LoadResourceBitmap(name + suffix);
      if (!b.Empty()) versions.push_back(std::move(b));
    }
    if (versions.empty()) return;
    const Bitmap& design = versions.front();
    const std::uint32_t key = design.At(0, design.Height - 1);
    const TColor keyColor = RGB(int(key >> 16), int((key >> 8) & 0xFF), int(key & 0xFF));
    const Bitmap glyph =
        PickScaledBitmap(versions, design.Width, design.Height, button_.PixelsPerInch(), keyColor);
    HBITMAP bmp = CreateDibCopy(nullptr, glyph);
    if (!bmp) return;
    images_ = ImageList_Create(glyph.Width, glyph.Height, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddMasked(images_, bmp, static_cast<COLORREF>(keyColor));
    DeleteObject(bmp);
    BUTTON_IMAGELIST list{};
    list.himl = images_;
    list.margin = {MulDiv(2, button_.PixelsPerInch(), kDesignPixelsPerInch), 0, 0, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  }

  TBitBtn& button_;
  HIMAGELIST images_ = nullptr;
};

// --- Status bars ---

class StatusBarPeer : public Win32Peer {
 public:
  StatusBarPeer(Win32Backend& b, TStatusBar& bar) : Win32Peer(b, bar), bar_(bar) {}
  void FillCreateParams(CreateParams& p) override {
    Win32Peer::FillCreateParams(p);
    p.ClassName = STATUSCLASSNAMEW;
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (bar_.SizeGrip()) p.Style |= SBARS_SIZEGRIP;
    p.Caption.clear();
  }
  void Created() override { ApplyPanels(); }
  void SetText(const std::string&) override {}
  void PropertyChanged(int property) override {
    if (property >= TStatusBar::PropPanelText)
      ApplyText(property - TStatusBar::PropPanelText);
    else if (property == TStatusBar::PropPanels)
      ApplyPanels();
  }

 private:
  void ApplyPanels() {
    std::vector<int> edges = bar_.PanelEdges();
    if (edges.empty()) return;
    SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < bar_.Panels.Count(); ++i) ApplyText(i);
  }
  void ApplyText(int index) {
    if (index < 0 || index >= bar_.Panels.Count()) return;
    const TStatusPanel& panel = bar_.Panels[index];
    std::wstring text = Widen(panel.Text());
    // The status bar's own alignment rule: one tab centres, two tabs right-align. It draws
    // right-aligned text against the panel's right border, so two spaces keep the last letter about
    // as far from it as a left-aligned text's first letter is from the left border.
    if (panel.Alignment() == TAlignment::taCenter) text = L"\t" + text;
    if (panel.Alignment() == TAlignment::taRightJustify) text = L"\t\t" + text + L"  ";
    SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
  }

  TStatusBar& bar_;
};

// --- Custom-painted controls ---

class CustomPeer : public Win32Peer {
 public:
  CustomPeer(Win32Backend& b, TCustomControl& control) : Win32Peer(b, control), c_(control) {}

  void FillCreateParams(CreateParams& p) override {
    Win32Peer::FillCreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    if (c_.HasScrollBars) p.Style |= WS_HSCROLL | WS_VSCROLL;
    if (c_.BorderEdge == TBorderEdge::beStatic) p.ExStyle |= WS_EX_STATICEDGE;
    if (c_.BorderEdge == TBorderEdge::beClient) p.ExStyle |= WS_EX_CLIENTEDGE;
  }

  void Created() override {
    if (c_.HasScrollBars) {
      SetScrollBar(TScrollBarKind::sbHorizontal, c_.ScrollBar(TScrollBarKind::sbHorizontal));
      SetScrollBar(TScrollBarKind::sbVertical, c_.ScrollBar(TScrollBarKind::sbVertical));
    }
    Win32Peer::SetCursor(c_.Cursor());
  }

  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    const TPoint p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
      case WM_PAINT:
        PaintBuffered(Handle(), Backend().Fonts(), [this](Canvas& canvas) { c_.Paint(canvas); });
        result = 0;
        return true;
      case WM_PRINTCLIENT:
        PaintInto(Handle(), reinterpret_cast<HDC>(wp), Backend().Fonts(),
                  [this](Canvas& canvas) { c_.Paint(canvas); });
        result = 0;
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_LBUTTONDOWN:
        return Down(TMouseButton::mbLeft, wp, p, false, result);
      case WM_RBUTTONDOWN:
        return Down(TMouseButton::mbRight, wp, p, false, result);
      case WM_MBUTTONDOWN:
        return Down(TMouseButton::mbMiddle, wp, p, false, result);
      case WM_LBUTTONDBLCLK:
        return Down(TMouseButton::mbLeft, wp, p, true, result);
      case WM_RBUTTONDBLCLK:
        return Down(TMouseButton::mbRight, wp, p, true, result);
      case WM_MBUTTONDBLCLK:
        return Down(TMouseButton::mbMiddle, wp, p, true, result);
      case WM_LBUTTONUP:
        c_.MouseUp(TMouseButton::mbLeft, ShiftFromMouseFlags(wp), p);
        break;
      case WM_RBUTTONUP:
        c_.MouseUp(TMouseButton::mbRight, ShiftFromMouseFlags(wp), p);
        break;
      case WM_MBUTTONUP:
        c_.MouseUp(TMouseButton::mbMiddle, ShiftFromMouseFlags(wp), p);
        break;
      case WM_MOUSEMOVE:
        c_.MouseMove(ShiftFromMouseFlags(wp), p);
        break;
      case WM_MOUSEWHEEL: {
        POINT sp{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ScreenToClient(Handle(), &sp);
        if (!c_.MouseWheel(GET_WHEEL_DELTA_WPARAM(wp), ShiftFromMouseFlags(LOWORD(wp)),
                           {sp.x, sp.y}))
          return false;
        break;
      }
      case WM_VSCROLL:
      case WM_HSCROLL: {
        const TScrollBarKind kind =
            msg == WM_VSCROLL ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal;
        TScrollCode code;
        switch (LOWORD(wp)) {
          case SB_LINEUP:
            code = TScrollCode::scLineUp;
            break;
          case SB_LINEDOWN:
            code = TScrollCode::scLineDown;
            break;
          case SB_PAGEUP:
            code = TScrollCode::scPageUp;
            break;
          case SB_PAGEDOWN:
            code = TScrollCode::scPageDown;
            break;
          case SB_THUMBPOSITION:
            code = TScrollCode::scPosition;
            break;
          case SB_THUMBTRACK:
            code = TScrollCode::scTrack;
            break;
          case SB_TOP:
            code = TScrollCode::scTop;
            break;
          case SB_BOTTOM:
            code = TScrollCode::scBottom;
            break;
          default:
            code = TScrollCode::scEndScroll;
            break;
        }
        const bool thumb = code == TScrollCode::scPosition || code == TScrollCode::scTrack;
        c_.ScrollMessage(kind, code, thumb ? ScrollTrackPosition(kind) : 0);
        break;
      }
      case WM_SIZE:
        c_.ClientResizedByPlatform();
        return false;
      case WM_GETDLGCODE:
        result = (c_.WantArrows ? DLGC_WANTARROWS : 0) | (c_.WantChars ? DLGC_WANTCHARS : 0) |
                 (c_.WantAllKeys ? DLGC_WANTALLKEYS : 0);
        return true;
      case WM_CAPTURECHANGED:
        c_.CaptureLost();
        return false;
      default:
        return Win32Peer::HandleMessage(msg, wp, lp, result);
    }
    result = 0;
    return true;
  }

 private:
  bool Down(TMouseButton button, WPARAM wp, TPoint p, bool dbl, LRESULT& result) {
    // A press takes the keyboard focus, as every focusable control does.
    if (c_.TabStop() && c_.Enabled() && GetFocus() != Handle()) ::SetFocus(Handle());
    if (dbl)
      c_.MouseDblClick(button, ShiftFromMouseFlags(wp) | ssDouble, p);
    else
      c_.MouseDown(button, ShiftFromMouseFlags(wp), p);
    result = 0;
    return true;
  }

  TCustomControl& c_;
};

template <class Peer, class Control>
PeerFactory Make() {
  return [](Win32Backend& b, TControl& c) -> std::unique_ptr<Win32Peer> {
    return std::make_unique<Peer>(b, dynamic_cast<Control&>(c));
  };
}

}  // namespace

// --- The edit box ---

Win32EditPeer::Win32EditPeer(Win32Backend& backend, TEdit& edit)
    : Win32Peer(backend, edit), edit_(edit) {}

void Win32EditPeer::FillCreateParams(CreateParams& p) {
  Win32Peer::FillCreateParams(p);
  p.ClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (edit_.ReadOnly()) p.Style |= ES_READONLY;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void Win32EditPeer::Created() {
  SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
  Layout();
}

bool Win32EditPeer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_KILLFOCUS: {
      const bool handled = Win32Peer::HandleMessage(msg, wp, lp, result);
      if (!handled) result = DefaultProc(msg, wp, lp);
      SyncSelection();
      return true;
    }
    default:
      return Win32Peer::HandleMessage(msg, wp, lp, result);
  }
}

bool Win32EditPeer::HandleCommand(UINT code, LRESULT& result) {
  if (code != EN_CHANGE) return false;
  edit_.TextEdited(WindowTextUtf8(Handle()));
  SyncSelection();
  result = 0;
  return true;
}

void Win32EditPeer::PropertyChanged(int property) {
  switch (property) {
    case TEdit::PropMaxLength:
      SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(edit_.MaxLength()), 0);
      break;
    case TEdit::PropReadOnly:
      SendMessageW(Handle(), EM_SETREADONLY, edit_.ReadOnly() ? TRUE : FALSE, 0);
      break;
    case TEdit::PropSelection:
      SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(edit_.SelStart()),
                   static_cast<LPARAM>(edit_.SelStart() + edit_.SelLength()));
      break;
    default:
      break;
  }
}

void Win32EditPeer::SetBounds(const TRect& bounds) {
  Win32Peer::SetBounds(bounds);
  Layout();
}

void Win32EditPeer::SyncSelection() {
  if (!Handle()) return;
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  edit_.SelectionEdited(static_cast<int>(start), static_cast<int>(end - start));
}

void RegisterStandardPeers(Win32Backend& backend) {
  backend.RegisterPeer("TForm", Make<FormPeer, TForm>());
  backend.RegisterPeer("TLabel", Make<LabelPeer, TControl>());
  backend.RegisterPeer("TEdit", Make<Win32EditPeer, TEdit>());
  backend.RegisterPeer("TButton", Make<ButtonPeer, TButton>());
  backend.RegisterPeer("TBitBtn", Make<BitBtnPeer, TBitBtn>());
  backend.RegisterPeer("TCheckBox", Make<CheckBoxPeer, TCheckBox>());
  backend.RegisterPeer("TStatusBar", Make<StatusBarPeer, TStatusBar>());
  backend.RegisterPeer("TCustomControl", Make<CustomPeer, TCustomControl>());
}

}  // namespace zv
