// The Win32 backend: window classes, creating the windows of a form, timers and the loop.
#include "ui/win32/backend.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/comctrls.h"
#include "ui/custom_control.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/stdctrls.h"
#include "ui/win32/dpi.h"

namespace zv {

namespace {

constexpr wchar_t kTimerClass[] = L"ZvTimerWindow";

class Win32TimerPeer : public TimerPeer {
 public:
  Win32TimerPeer(Win32Backend& backend, TTimer& timer, UINT_PTR id)
      : backend_(backend), timer_(timer), id_(id) {}
  ~Win32TimerPeer() override { backend_.StopTimer(id_); }
  void Changed() override {
    if (timer_.Running())
      backend_.StartTimer(timer_, id_);
    else
      backend_.StopTimer(id_);
  }

 private:
  Win32Backend& backend_;
  TTimer& timer_;
  UINT_PTR id_;
};

// Windowed children in the order their windows are made: tab stops by TabOrder first (the
// dialog manager tabs in window order), each right after the label that names it (the system
// names an edit box after the label just before it in that order), then the others as they were
// parented.
std::vector<TControl*> CreationOrder(TWinControl& parent) {
  std::vector<TControl*> order;
  for (TWinControl* w : parent.TabList()) {
    for (TControl* c : parent.Controls())
      if (auto* label = dynamic_cast<TLabel*>(c); label && label->FocusControl == w)
        order.push_back(label);
    order.push_back(w);
  }
  for (TControl* c : parent.Controls())
    if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
  return order;
}

// A control kind without a peer of its own gets the peer of the standard control it derives from
// (a derived edit box without its own peer is still an edit box).
std::string FallbackKind(TControl& control) {
  if (dynamic_cast<TCustomControl*>(&control)) return "TCustomControl";
  if (dynamic_cast<TEdit*>(&control)) return "TEdit";
  if (dynamic_cast<TBitBtn*>(&control)) return "TBitBtn";
  if (dynamic_cast<TButton*>(&control)) return "TButton";
  if (dynamic_cast<TCheckBox*>(&control)) return "TCheckBox";
  if (dynamic_cast<TStatusBar*>(&control)) return "TStatusBar";
  if (dynamic_cast<TForm*>(&control)) return "TForm";
  return "TLabel";
}

}  // namespace

Win32Backend::Win32Backend(TApplication& app, HINSTANCE instance) : app_(app), instance_(instance) {
  // Before the first window: the program lays itself out at each monitor's scale.
  EnableDpiAwareness();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &Win32Peer::OwnClassProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = OwnClassName();
  RegisterClassExW(&wc);

  WNDCLASSEXW tc{};
  tc.cbSize = sizeof(tc);
  tc.lpfnWndProc = &Win32Backend::TimerWindowProc;
  tc.hInstance = instance_;
  tc.lpszClassName = kTimerClass;
  RegisterClassExW(&tc);
  timerWindow_ =
      CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);

  app_.OnTerminate = [this] {
    for (auto& [id, timer] : timers_) KillTimer(timerWindow_, id);
    timers_.clear();
    PostQuitMessage(0);
  };
  RegisterStandardPeers(*this);
}

Win32Backend::~Win32Backend() {
  app_.OnTerminate = nullptr;
  for (auto& [id, timer] : timers_) KillTimer(timerWindow_, id);
  if (timerWindow_) DestroyWindow(timerWindow_);
}

void Win32Backend::RegisterPeer(const std::string& kind, PeerFactory factory) {
  factories_[kind] = std::move(factory);
}

void Win32Backend::CreateHandle(TForm& form) { CreateHandle(form, nullptr); }

void Win32Backend::CreateHandle(TControl& control, HWND parent) {
  if (control.HandleAllocated()) return;
  auto it = factories_.find(control.PeerKind());
  if (it == factories_.end()) it = factories_.find(FallbackKind(control));
  if (it == factories_.end())
    throw EOSError(FormatText(TextId::NoWindowForKind, {control.PeerKind()}));
  std::unique_ptr<Win32Peer> peer = it->second(*this, control);
  peer->Create(parent);
  HWND hwnd = peer->Handle();
  control.AttachPeer(std::move(peer));
  if (auto* w = dynamic_cast<TWinControl*>(&control)) {
    for (TControl* child : CreationOrder(*w)) CreateHandle(*child, hwnd);
  }
  AttachTimers(control);
  // The window's real client area may differ from the design: lay out against it.
  control.ClientResizedByPlatform();
}

void Win32Backend::AttachTimers(TComponent& component) {
  for (TComponent* c : component.Components()) {
    if (auto* timer = dynamic_cast<TTimer*>(c)) AttachTimer(*timer);
    if (!dynamic_cast<TControl*>(c)) AttachTimers(*c);  // controls do it when their window comes
  }
}

void Win32Backend::AttachTimer(TTimer& timer) {
  if (timer.HasPeer()) return;
  timer.AttachPeer(std::make_unique<Win32TimerPeer>(*this, timer, nextTimerId_++));
}

UINT_PTR Win32Backend::StartTimer(TTimer& timer, UINT_PTR id) {
  if (app_.Terminated()) return 0;
  timers_[id] = &timer;
  return SetTimer(timerWindow_, id, timer.Interval(), nullptr);
}

void Win32Backend::StopTimer(UINT_PTR id) {
  if (timers_.erase(id) && timerWindow_) KillTimer(timerWindow_, id);
}

LRESULT CALLBACK Win32Backend::TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_TIMER && self) {
    self->OnTimer(wp);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Win32Backend::OnTimer(UINT_PTR id) {
  if (app_.Terminated()) return;
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  TTimer* timer = it->second;
  Dispatch([timer] { timer->Tick(); });
}

bool Win32Backend::TranslateDialogKeys(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || !Win32Peer::FromHandle(root)) return false;
  return IsDialogMessageW(root, &msg) != FALSE;
}

int Win32Backend::Run(TForm& mainForm) {
  mainForm.Show();
  MSG msg{};
  while (!app_.Terminated()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    if (TranslateDialogKeys(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void DispatchPendingPaints() {
  MSG msg{};
  // A window that leaves its area invalid is given WM_PAINT again at once; the bound keeps such
  // a window from holding the work.
  for (int i = 0; i < 256 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
    DispatchMessageW(&msg);
}

void Win32Backend::ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (TranslateDialogKeys(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace zv
