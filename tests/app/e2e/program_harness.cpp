// The program in the test's process, and the watcher of its message boxes (program_harness.h).
#include "e2e/program_harness.h"

// After <windows.h>, which it needs.
#include <commctrl.h>

#include <chrono>
#include <cstdio>

#include "gridview/photo_columns.h"
#include "ui/lang/texts.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

HWND Hwnd(const TControl& control) { return static_cast<HWND>(control.Peer()->NativeHandle()); }

std::string ProfileFileBytes(const std::string& cp1251) {
  std::string bytes = cp1251;
  bytes.resize(200, '\0');
  return bytes;
}

std::uint32_t Rgb(COLORREF c) {
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
         std::uint32_t(GetBValue(c));
}

void Capture::Save(const std::filesystem::path& file) const {
  FILE* f = _wfopen(file.wstring().c_str(), L"wb");
  if (!f) return;
  BITMAPFILEHEADER header{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = Width;
  info.biHeight = -Height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD bytes = DWORD(Pixels.size() * 4);
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(header) + sizeof(info);
  header.bfSize = header.bfOffBits + bytes;
  std::fwrite(&header, sizeof(header), 1, f);
  std::fwrite(&info, sizeof(info), 1, f);
  std::fwrite(Pixels.data(), 1, bytes, f);
  std::fclose(f);
}

Capture CaptureClient(HWND window) {
  RECT rc;
  GetClientRect(window, &rc);
  Capture c;
  c.Width = rc.right;
  c.Height = rc.bottom;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = c.Width;
  bi.bmiHeader.biHeight = -c.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC source = GetDC(window);
  HDC dc = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, c.Width, c.Height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  c.Pixels.assign(px, px + size_t(c.Width) * size_t(c.Height));
  for (auto& p : c.Pixels) p &= 0xFFFFFFu;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(window, source);
  return c;
}

// ---------------------------------------------------------------------------------------------

ProgramHarness::ProgramHarness() {
  previousDirectory_ = std::filesystem::current_path();
  std::filesystem::current_path(temp_.Path());
  phone_.SetStatus(0);
  program_ = std::make_unique<Win32Program>(
      GetModuleHandleW(nullptr),
      ProgramPlaces{SimPhone::LibraryPath(),
                    Narrow((temp_.Path() / "Zarvelinthoscope.ini").wstring())});
  program_->Start();
  // What the message loop does first.
  program_->Form1().Show();
  program_->Backend().ProcessMessages();
}

ProgramHarness::~ProgramHarness() {
  program_.reset();  // windows and timer go while the phone and the folder are still there
  std::error_code ignored;
  std::filesystem::current_path(previousDirectory_, ignored);  // the folder can go then
}

bool ProgramHarness::PumpUntil(const std::function<bool()>& done, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    program_->Backend().ProcessMessages();
  }
  return true;
}

void ProgramHarness::Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

bool ProgramHarness::Attach() {
  phone_.SetStatus(1);
  // In the language the program chose at start.
  return PumpUntil([this] { return Panel(0) == UiText(TextId::Connected); }, 4000);
}

std::vector<std::string> ProgramHarness::GridNames() {
  std::vector<std::string> out;
  TGridView& grid = Form1().GridView1;
  for (int r = 0; r < grid.RowCount(); ++r)
    out.push_back(Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()));
  return out;
}

std::string ProgramHarness::Panel(int index) const {
  HWND bar = Hwnd(program_->Form1().StatusBar1);
  const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(index), 0);
  std::wstring text(size_t(LOWORD(length)) + 1, L'\0');
  SendMessageW(bar, SB_GETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(length));
  return Narrow(text);
}

void ProgramHarness::Click(const TControl& button) {
  ClickAndGoOn(button);
  WaitForPhoneWork();
}

void ProgramHarness::ClickAndGoOn(const TControl& button) {
  SendMessageW(Hwnd(button), BM_CLICK, 0, 0);
  program_->Backend().ProcessMessages();
}

bool ProgramHarness::WaitForPhoneWork(int ms) {
  return PumpUntil([this] { return Form1().RunningJob() == JobKind::kNone; }, ms);
}

void ProgramHarness::Type(const TControl& edit, const std::string& utf8) {
  SetWindowTextW(Hwnd(edit), Widen(utf8).c_str());
  program_->Backend().ProcessMessages();
}

void ProgramHarness::GridClick(int x, int y) {
  HWND grid = Hwnd(program_->Form1().GridView1);
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  program_->Backend().ProcessMessages();
}

void ProgramHarness::GridDoubleClick(int x, int y) {
  // What the system sends for a double click on a window class with CS_DBLCLKS.
  HWND grid = Hwnd(program_->Form1().GridView1);
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  program_->Backend().ProcessMessages();
  WaitForPhoneWork();
}

// ---------------------------------------------------------------------------------------------

namespace {

struct ChildTexts {
  std::string Static;
  bool Icon = false;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM lp) {
  auto* texts = reinterpret_cast<ChildTexts*>(lp);
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if ((style & SS_TYPEMASK) == SS_ICON) {
    // The box keeps an icon control even without an icon: what counts is an icon in it.
    texts->Icon = texts->Icon || (IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0));
  } else {
    const std::string text = WindowTextUtf8(child);
    if (!text.empty()) texts->Static = text;
  }
  return TRUE;
}

BOOL CALLBACK FindProgramBox(HWND window, LPARAM lp) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0) return TRUE;
  if (WindowTextUtf8(window) != kApplicationTitle || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(lp) = window;
  return FALSE;
}

}  // namespace

BoxCloser::BoxCloser(int deadlineMs, int answer, const std::atomic<bool>* armed)
    : thread_([this, deadlineMs, answer, armed] { Watch(deadlineMs, answer, armed); }) {}

BoxCloser::~BoxCloser() { Stop(); }

std::vector<BoxSeen> BoxCloser::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void BoxCloser::Watch(int deadlineMs, int answer, const std::atomic<bool>* armed) {
  const auto end = Clock::now() + std::chrono::milliseconds(deadlineMs);
  while (!stop_) {
    if (armed && !*armed) {
      Sleep(5);
      continue;
    }
    HWND box = nullptr;
    EnumWindows(&FindProgramBox, reinterpret_cast<LPARAM>(&box));
    if (!box) {
      Sleep(20);
      continue;
    }
    if (Clock::now() < end) {
      ChildTexts texts;
      EnumChildWindows(box, &ReadChild, reinterpret_cast<LPARAM>(&texts));
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back({WindowTextUtf8(box), texts.Static, texts.Icon});
    }
    PostMessageW(box, WM_COMMAND, WPARAM(answer), 0);
    // The next box only once this one is gone.
    for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
  }
}

}  // namespace zv::e2e
