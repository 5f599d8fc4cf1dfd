// Win32Peer: window creation, binding, message routing and the requests of the controls.
#include "ui/win32/window_peer.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/custom_control.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/win32/accessible_leaf.h"
#include "ui/win32/backend.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_text.h"

namespace zv {

namespace {
constexpr wchar_t kPeerProperty[] = L"ZvPeer";
constexpr UINT_PTR kSubclassId = 0x5A56;  // "ZV"

int BarOf(TScrollBarKind kind) { return kind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }
}  // namespace

Win32Peer::Win32Peer(Win32Backend& backend, TControl& control)
    : backend_(backend), control_(control) {}

Win32Peer::~Win32Peer() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  // Unbound first: the messages that destruction sends go to the default handling only.
  Unbind();
  DestroyWindow(hwnd);
}

Win32Peer* Win32Peer::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Win32Peer*>(GetPropW(hwnd, kPeerProperty)) : nullptr;
}

void Win32Peer::FillCreateParams(CreateParams& p) {
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) p.Style |= WS_VISIBLE;
  if (!control_.Enabled()) p.Style |= WS_DISABLED;
  if (auto* w = WinControl(); w && w->TabStop()) p.Style |= WS_TABSTOP;
  p.Caption = Widen(control_.Text());
  p.Bounds = control_.BoundsRect();
}

void Win32Peer::Create(HWND parent) {
  CreateParams p;
  FillCreateParams(p);
  const bool own = p.ClassName.empty();
  const HMENU id =
      (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(backend_.NextControlId()) : nullptr;
  HWND hwnd =
      CreateWindowExW(p.ExStyle, own ? backend_.OwnClassName() : p.ClassName.c_str(),
                      p.Caption.c_str(), p.Style, p.Bounds.Left, p.Bounds.Top, p.Bounds.Width(),
                      p.Bounds.Height(), parent, id, backend_.Instance(), own ? this : nullptr);
  if (!hwnd) {
    throw EOSError(
        FormatText(TextId::WindowNotCreated, {control_.Name, std::to_string(GetLastError())}));
  }
  if (!own) {
    Bind(hwnd);
    SetWindowSubclass(hwnd, &Win32Peer::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    subclassed_ = true;
  }
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Fonts().Get(control_.Font())),
               FALSE);
  Created();
}

void Win32Peer::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropW(hwnd, kPeerProperty, this);
}

void Win32Peer::Unbind() {
  if (!hwnd_) return;
  if (subclassed_) RemoveWindowSubclass(hwnd_, &Win32Peer::SubclassProc, kSubclassId);
  subclassed_ = false;
  RemovePropW(hwnd_, kPeerProperty);
  hwnd_ = nullptr;
}

LRESULT CALLBACK Win32Peer::OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    if (auto* peer = static_cast<Win32Peer*>(cs->lpCreateParams)) peer->Bind(hwnd);
  }
  if (Win32Peer* peer = FromHandle(hwnd)) return peer->Route(msg, wp, lp);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Win32Peer::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR data) {
  auto* peer = reinterpret_cast<Win32Peer*>(data);
  if (peer && peer->hwnd_ == hwnd) return peer->Route(msg, wp, lp);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT Win32Peer::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  return subclassed_ ? DefSubclassProc(hwnd_, msg, wp, lp) : DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Win32Peer::Route(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) {
    HWND hwnd = hwnd_;
    const bool subclassed = subclassed_;
    Unbind();
    return subclassed ? DefSubclassProc(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  bool handled = false;
  backend_.Dispatch([&] { handled = HandleMessage(msg, wp, lp, result); });
  if (!handled && hwnd_) result = DefaultProc(msg, wp, lp);
  return result;
}

bool Win32Peer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  TWinControl* w = WinControl();
  switch (msg) {
    case WM_SETFOCUS:
      if (w) w->FocusIn();
      return false;
    case WM_KILLFOCUS:
      if (w) w->FocusOut();
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (w && w->KeyDown(KeyFromVirtualKey(wp), CurrentShiftState())) {
        result = 0;
        return true;
      }
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (w && w->KeyUp(KeyFromVirtualKey(wp), CurrentShiftState())) {
        result = 0;
        return true;
      }
      return false;
    case WM_CHAR: {
      if (!w) return false;
      char16_t ch = static_cast<char16_t>(wp);
      const bool swallowed = w->KeyPress(ch);
      if (swallowed || ch == 0) {
        result = 0;
        return true;
      }
      if (ch != static_cast<char16_t>(wp)) {
        result = DefaultProc(msg, ch, lp);
        return true;
      }
      return false;
    }
    case WM_COMMAND:
      if (lp) {
        if (Win32Peer* child = FromHandle(reinterpret_cast<HWND>(lp)); child && child != this)
          return child->HandleCommand(HIWORD(wp), result);
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      if (Win32Peer* child = FromHandle(header->hwndFrom); child && child != this)
        return child->HandleNotify(*header, result);
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (Win32Peer* child = FromHandle(reinterpret_cast<HWND>(lp)); child && child != this)
        return child->HandleCtlColor(reinterpret_cast<HDC>(wp), result);
      return false;
    case WM_GETOBJECT:
      // A custom-painted control that is one whole thing says what it is itself; every other
      // window (the system's controls, the grid unless it answers first) is described by the
      // system's default objects.
      if (auto* custom = dynamic_cast<TCustomControl*>(&control_)) {
        const AccessibleLeaf leaf = custom->ScreenReaderLeaf();
        return AnswerAccessibleLeaf(hwnd_, wp, lp, {leaf.Role, Widen(leaf.Name)}, result);
      }
      return false;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && cursor_ != TCursor::crDefault &&
          reinterpret_cast<HWND>(wp) == hwnd_) {
        ::SetCursor(SystemCursor(cursor_));
        result = TRUE;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void Win32Peer::PropertyChanged(int property) {
  if (property == kScreenReaderLeafChanged && hwnd_)
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Peer::SetBounds(const TRect& b) {
  SetWindowPos(hwnd_, nullptr, b.Left, b.Top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Peer::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void Win32Peer::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

void Win32Peer::SetText(const std::string& text) { SetWindowTextW(hwnd_, Widen(text).c_str()); }

void Win32Peer::SetFont(const TFont& font) {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(backend_.Fonts().Get(font)), TRUE);
}

void Win32Peer::Invalidate(const TRect* rect) {
  if (rect) {
    RECT rc{rect->Left, rect->Top, rect->Right, rect->Bottom};
    InvalidateRect(hwnd_, &rc, FALSE);
  } else {
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
}

void Win32Peer::Update() { UpdateWindow(hwnd_); }

void Win32Peer::SetFocus() { ::SetFocus(hwnd_); }

bool Win32Peer::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

TRect Win32Peer::ClientRect() const {
  RECT rc{};
  GetClientRect(hwnd_, &rc);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void Win32Peer::ScrollArea(const TRect& area, int dx, int dy) {
  RECT rc{area.Left, area.Top, area.Right, area.Bottom};
  ScrollWindowEx(hwnd_, dx, dy, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
}

void Win32Peer::SetScrollBar(TScrollBarKind kind, const ScrollBarState& s) {
  const int bar = BarOf(kind);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = s.Min;
  si.nMax = s.Max;
  si.nPage = static_cast<UINT>(s.Page);
  si.nPos = s.Position;
  if (!s.Visible) {
    SetScrollInfo(hwnd_, bar, &si, FALSE);
    ShowScrollBar(hwnd_, bar, FALSE);
    return;
  }
  ShowScrollBar(hwnd_, bar, TRUE);
  si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(hwnd_, bar, &si, TRUE);
  EnableScrollBar(hwnd_, bar, s.Enabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

int Win32Peer::ScrollTrackPosition(TScrollBarKind kind) const {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, BarOf(kind), &si);
  return si.nTrackPos;
}

void Win32Peer::SetCapture() { ::SetCapture(hwnd_); }

void Win32Peer::ReleaseCapture() {
  if (GetCapture() == hwnd_) ::ReleaseCapture();
}

bool Win32Peer::HasCapture() const { return hwnd_ && GetCapture() == hwnd_; }

void Win32Peer::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  POINT p;
  GetCursorPos(&p);
  if (WindowFromPoint(p) == hwnd_ || GetCapture() == hwnd_) ::SetCursor(SystemCursor(cursor));
}

TPoint Win32Peer::CursorPos() const {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  return {p.x, p.y};
}

std::unique_ptr<Canvas> Win32Peer::MeasureCanvas() { return CreateMeasureCanvas(backend_.Fonts()); }

TKey KeyFromVirtualKey(WPARAM vk) {
  switch (vk) {
    case VK_UP:
      return TKey::Up;
    case VK_DOWN:
      return TKey::Down;
    case VK_LEFT:
      return TKey::Left;
    case VK_RIGHT:
      return TKey::Right;
    case VK_PRIOR:
      return TKey::PageUp;
    case VK_NEXT:
      return TKey::PageDown;
    case VK_HOME:
      return TKey::Home;
    case VK_END:
      return TKey::End;
    case VK_RETURN:
      return TKey::Enter;
    case VK_ESCAPE:
      return TKey::Escape;
    case VK_SPACE:
      return TKey::Space;
    case VK_TAB:
      return TKey::Tab;
    case VK_BACK:
      return TKey::Backspace;
    case VK_DELETE:
      return TKey::Delete;
    case VK_INSERT:
      return TKey::Insert;
    case VK_SHIFT:
      return TKey::Shift;
    case VK_CONTROL:
      return TKey::Control;
    case VK_MENU:
      return TKey::Alt;
    default:
      if (vk >= VK_F1 && vk <= VK_F12)
        return static_cast<TKey>(static_cast<int>(TKey::F1) + static_cast<int>(vk - VK_F1));
      return TKey::Other;
  }
}

TShiftState CurrentShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
  return s;
}

TShiftState ShiftFromMouseFlags(WPARAM flags) {
  TShiftState s = 0;
  if (flags & MK_SHIFT) s |= ssShift;
  if (flags & MK_CONTROL) s |= ssCtrl;
  if (flags & MK_LBUTTON) s |= ssLeft;
  if (flags & MK_RBUTTON) s |= ssRight;
  if (flags & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

HCURSOR SystemCursor(TCursor cursor) {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case TCursor::crDefault:
    case TCursor::crArrow:
      id = IDC_ARROW;
      break;
    case TCursor::crIBeam:
      id = IDC_IBEAM;
      break;
    case TCursor::crCross:
      id = IDC_CROSS;
      break;
    case TCursor::crSizeWE:
    case TCursor::crHSplit:
      id = IDC_SIZEWE;
      break;
    case TCursor::crSizeNS:
    case TCursor::crVSplit:
      id = IDC_SIZENS;
      break;
    case TCursor::crHandPoint:
      id = IDC_HAND;
      break;
    case TCursor::crHourGlass:
      id = IDC_WAIT;
      break;
    case TCursor::crNo:
      id = IDC_NO;
      break;
    case TCursor::crDrag:
      id = IDC_ARROW;
      break;
  }
  return LoadCursorW(nullptr, id);
}

}  // namespace zv
