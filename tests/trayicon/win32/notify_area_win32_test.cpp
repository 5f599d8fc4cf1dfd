// The busy indicator on the real notification area (run under Wine): Shell_NotifyIconW
// requests, the hidden window's messages, the frames as native icons, and destruction.
// The project's headers come first: <windows.h> defines RGB and friends as macros, and
// <tlhelp32.h> needs <windows.h> before it.
// clang-format off
#include "trayicon/main_tray_icon.h"
#include "trayicon/win32/icon_handle.h"
#include "trayicon/win32/win32_notify_area.h"

#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace zv {
namespace {

using namespace std::chrono_literals;

// Passes every request on to the real area and remembers the platform's answers.
class RecordingArea : public NotifyArea {
 public:
  enum Op { kAdd, kModify, kDelete };
  struct Answer {
    Op op;
    bool ok;
  };
  explicit RecordingArea(NotifyArea& inner) : inner_(inner) {}
  std::uint64_t WindowId() const override { return inner_.WindowId(); }
  void SetListener(NotifyListener* listener) override { inner_.SetListener(listener); }
  bool Add(const NotifyIconData& d) override { return Note(kAdd, inner_.Add(d)); }
  bool Modify(const NotifyIconData& d) override { return Note(kModify, inner_.Modify(d)); }
  bool Delete(const NotifyIconData& d) override { return Note(kDelete, inner_.Delete(d)); }
  std::vector<Answer> Answers() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_;
  }

 private:
  bool Note(Op op, bool ok) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back({op, ok});
    return ok;
  }
  NotifyArea& inner_;
  mutable std::mutex mutex_;
  std::vector<Answer> answers_;
};

int ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(Win32NotifyArea, FramesBecomeNativeIconsWithTransparency) {
  TIconList frames;
  frames.ReadData(MainTrayIconFrames());
  HDC screen = GetDC(nullptr);
  for (int f = 0; f < frames.Count(); ++f) {
    SCOPED_TRACE(f);
    UniqueIcon icon = MakeIconHandle(frames[f]);
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(23, bitmap.bmWidth);
    EXPECT_EQ(23, bitmap.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // Drawn on white: the corner keeps the background, the badge's face is amber.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 23, 23);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all{0, 0, 23, 23};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon.get(), 23, 23, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 0, 0));
    const COLORREF face = GetPixel(dc, 6, 14);
    EXPECT_EQ(RGB(255, 191, 0), face);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
  }
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(MakeIconHandle(TIcon{}));
}

TEST(Win32NotifyArea, ShowsAnimatesHidesAndCleansUp) {
  std::unique_ptr<NotifyArea> real = CreateWin32NotifyArea(nullptr);
  ASSERT_NE(0u, real->WindowId());
  EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(real->WindowId())));
  RecordingArea area(*real);
  const int threads_before = ThreadsOfThisProcess();
  auto tray = CreateMainTrayIcon(area);
  EXPECT_EQ(threads_before + 1, ThreadsOfThisProcess());  // the pacing thread, paused

  tray->SetActive(true);  // the first request may take seconds while the shell starts
  EXPECT_TRUE(tray->Shown());
  std::this_thread::sleep_for(500ms);  // the window thread blocked, as in a phone call
  int modified = 0;
  for (const auto& answer : area.Answers()) {
    if (answer.op == RecordingArea::kModify) {
      EXPECT_TRUE(answer.ok);
      ++modified;
    }
  }
  EXPECT_GE(modified, 3);
  tray->SetActive(false);
  ASSERT_EQ(RecordingArea::kDelete, area.Answers().back().op);
  EXPECT_TRUE(area.Answers().back().ok);

  // Destroying the owner while the icon is shown removes it and ends the pacing thread.
  tray->SetActive(true);
  EXPECT_TRUE(tray->Shown());
  tray.reset();
  ASSERT_EQ(RecordingArea::kDelete, area.Answers().back().op);
  EXPECT_TRUE(area.Answers().back().ok);
  EXPECT_EQ(threads_before, ThreadsOfThisProcess());
  const std::size_t answers = area.Answers().size();
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(answers, area.Answers().size());
}

TEST(Win32NotifyArea, HiddenWindowDeliversCallbackAndTaskbarCreated) {
  std::vector<std::string> errors;
  std::unique_ptr<NotifyArea> real =
      CreateWin32NotifyArea([&](const std::exception& e) { errors.push_back(e.what()); });
  RecordingArea area(*real);
  auto tray = CreateMainTrayIcon(area);
  const HWND window = reinterpret_cast<HWND>(area.WindowId());
  int clicks = 0;
  tray->OnClick = [&](TObject*) {
    ++clicks;
    throw EConvertError("'x' is not a valid integer value");
  };
  // Mouse activity over the icon arrives as the callback message.
  PostMessageW(window, kTrayCallbackMessage, 0, WM_LBUTTONDOWN);
  PostMessageW(window, kTrayCallbackMessage, 0, WM_LBUTTONUP);
  PumpMessages();
  EXPECT_EQ(1, clicks);
  // The handler's error went to the error handler, not across the window procedure.
  EXPECT_EQ(std::vector<std::string>{"'x' is not a valid integer value"}, errors);

  tray->SetEnabled(false);
  PostMessageW(window, kTrayCallbackMessage, 0, WM_LBUTTONDOWN);
  PostMessageW(window, kTrayCallbackMessage, 0, WM_LBUTTONUP);
  PumpMessages();
  EXPECT_EQ(1, clicks);

  // A restarted shell announces itself; a shown icon is put back.
  tray->SetActive(true);
  const std::size_t before = area.Answers().size();
  SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  const auto answers = area.Answers();
  ASSERT_GT(answers.size(), before);
  bool added = false;
  for (std::size_t i = before; i < answers.size(); ++i) {
    added |= answers[i].op == RecordingArea::kAdd && answers[i].ok;
  }
  EXPECT_TRUE(added);
  tray.reset();
  real.reset();
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace zv
