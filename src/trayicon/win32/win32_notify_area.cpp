// The Win32 notification area: the hidden window that receives the callback message and the
// shell's "TaskbarCreated" broadcast, and the Shell_NotifyIconW requests.
#include "trayicon/win32/win32_notify_area.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cwchar>
#include <utility>

#include "trayicon/win32/icon_handle.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

constexpr wchar_t kWindowClass[] = L"ZvTrayIconWindow";

// The modifier keys and mouse buttons held now: the callback message does not carry them.
TShiftState ShiftState() {
  TShiftState shift = 0;
  auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  if (held(VK_SHIFT)) shift |= ssShift;
  if (held(VK_MENU)) shift |= ssAlt;
  if (held(VK_CONTROL)) shift |= ssCtrl;
  if (held(VK_LBUTTON)) shift |= ssLeft;
  if (held(VK_RBUTTON)) shift |= ssRight;
  if (held(VK_MBUTTON)) shift |= ssMiddle;
  return shift;
}

class Win32NotifyArea : public NotifyArea {
 public:
  explicit Win32NotifyArea(TrayErrorHandler on_error);
  ~Win32NotifyArea() override;

  std::uint64_t WindowId() const override { return reinterpret_cast<std::uintptr_t>(window_); }
  void SetListener(NotifyListener* listener) override { listener_ = listener; }
  bool Add(const NotifyIconData& data) override { return Send(NIM_ADD, data); }
  bool Modify(const NotifyIconData& data) override { return Send(NIM_MODIFY, data); }
  bool Delete(const NotifyIconData& data) override { return Send(NIM_DELETE, data); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool Handle(UINT message, LPARAM lparam);
  void Report(const std::exception& error) noexcept;
  bool Send(DWORD request, const NotifyIconData& data);

  TrayErrorHandler on_error_;
  NotifyListener* listener_ = nullptr;  // not owned; window thread only
  UINT taskbar_created_ = 0;
  HWND window_ = nullptr;
};

Win32NotifyArea::Win32NotifyArea(TrayErrorHandler on_error) : on_error_(std::move(on_error)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw EOSError(UiText(TextId::NotificationWindowFailed));
  }
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  // A hidden top-level window rather than a message-only one: only top-level windows receive
  // the shell's broadcast.
  window_ =
      CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw EOSError(UiText(TextId::NotificationWindowFailed));
}

Win32NotifyArea::~Win32NotifyArea() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK Win32NotifyArea::WindowProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32NotifyArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && self->window_ == window) {
    // Nothing may be thrown across the system's window procedure.
    try {
      if (self->Handle(message, lparam)) return 0;
    } catch (const std::exception& error) {
      self->Report(error);
      return 0;
    } catch (...) {
      self->Report(Exception(UiText(TextId::UnknownError)));
      return 0;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool Win32NotifyArea::Handle(UINT message, LPARAM lparam) {
  if (listener_ == nullptr) return false;
  if (message == kTrayCallbackMessage) {
    POINT cursor{};
    GetCursorPos(&cursor);
    listener_->NotifyMessage(static_cast<std::uint32_t>(lparam), TPoint{cursor.x, cursor.y},
                             ShiftState());
    return true;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    listener_->TaskbarCreated();
    return true;
  }
  return false;
}

void Win32NotifyArea::Report(const std::exception& error) noexcept {
  try {
    if (on_error_) on_error_(error);
  } catch (...) {
    // The error handler itself failed; there is nobody left to tell.
  }
}

bool Win32NotifyArea::Send(DWORD request, const NotifyIconData& data) {
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the record's first version
  record.hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(data.Window));
  record.uID = data.Id;
  record.uFlags = data.Flags;
  record.uCallbackMessage = data.CallbackMessage;
  UniqueIcon icon;
  if (request != NIM_DELETE) {
    if (data.Icon != nullptr) icon = MakeIconHandle(*data.Icon);
    // The shell copies the icon, so the handle is released right after the request.
    record.hIcon = icon ? icon.get() : reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));
    const std::u16string tip = Utf8ToUtf16(data.Tip);
    const std::size_t length = std::min<std::size_t>(tip.size(), kMaxTipLength);
    std::wmemcpy(record.szTip, reinterpret_cast<const wchar_t*>(tip.data()), length);
    record.szTip[length] = L'\0';
  }
  return Shell_NotifyIconW(request, &record) != FALSE;
}

}  // namespace

std::unique_ptr<NotifyArea> CreateWin32NotifyArea(TrayErrorHandler on_error) {
  return std::make_unique<Win32NotifyArea>(std::move(on_error));
}

}  // namespace zv
