// Long phone work on the whole program under Wine, with the simulated phone's slow link: while a
// download run's photos are read, a window that another program laid over the main window and
// took away again is repainted, the caption says how far the run has got, a click on a button
// that would start other phone work does nothing (the button is locked for the run), and no
// timer tick calls the phone in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "e2e/program_harness.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr COLORREF kCoverColour = RGB(255, 0, 255);
constexpr wchar_t kCoverClass[] = L"ZvTestCover";

// The window's title as the system keeps it, read without a message to the window's thread
// (which is busy with the run).
std::string TitleOf(HWND window) {
  wchar_t text[128] = {};
  InternalGetWindowText(window, text, 128);
  return Narrow(text);
}

// How far the run has got, as the title says it (without its speed and time left).
std::string PositionOf(HWND window) {
  const std::string title = TitleOf(window);
  return title.substr(0, title.find(" · "));
}

bool WaitForTitle(HWND window, const std::string& title, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (PositionOf(window) != title) {
    if (Clock::now() > end) return false;
    Sleep(10);
  }
  return true;
}

// Handles this thread's messages for a while (the cover window's painting).
void PumpThisThread(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (Clock::now() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

// The main window's client area as the screen shows it now (not as the window would draw
// itself): pixels 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(const RECT& area) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(px, px + size_t(w) * size_t(h));
  for (auto& p : pixels) p &= 0xFFFFFFu;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int CoverPixels(const std::vector<std::uint32_t>& pixels) {
  int n = 0;
  for (std::uint32_t p : pixels) n += p == Rgb(kCoverColour);
  return n;
}

TEST(WorkProgressWin32, RunRepaintsShowsProgressAndLocksOtherPhoneWork) {
  ProgramHarness p;
  SimPhone& phone = p.Phone();
  phone.AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
  for (const char* name : {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg"})
    phone.AddFile(std::string("a/mobile/picture/") + name, std::string(2000, name[1]));
  ASSERT_TRUE(p.Attach()) << p.Panel(0);
  p.Type(p.Form1().DirectoryEdit1, Narrow(p.Folder().wstring()));
  p.Click(p.Form1().BitBtn1);
  ASSERT_EQ(p.Panel(2), "Фотографий: 3");
  TForm1& form = p.Form1();
  HWND main = Hwnd(form);
  p.Pump(300);  // everything painted before the run

  // The posted click: "Создать", whose handler would write the profile file on the phone.
  std::atomic<int> clicks{0};
  form.BitBtn3.OnClick = [&](TObject*) { ++clicks; };

  // The grid paints itself to the end (its OnPostDraw) each time it answers WM_PAINT: note the
  // caption of each such paint.
  std::vector<std::string> paintedAt;
  form.GridView1.OnPostDraw = [&](TObject*) { paintedAt.push_back(TitleOf(main)); };

  WNDCLASSW cls{};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hbrBackground = CreateSolidBrush(kCoverColour);
  cls.lpszClassName = kCoverClass;
  ASSERT_TRUE(RegisterClassW(&cls));

  RECT client;
  GetClientRect(main, &client);
  MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<std::string> titles;
  int coverSeen = -1, coverLeft = -1;
  bool stillRunningAtCapture = false;
  // Another program's window, on a thread of its own, while the window thread is in the run.
  std::thread other([&] {
    if (!WaitForTitle(main, "Zarvelinthoscope — 1 из 3", 15000)) return;
    titles.push_back(PositionOf(main));
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, L"cover",
                                 WS_POPUP | WS_VISIBLE, client.left, client.top,
                                 client.right - client.left, client.bottom - client.top, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(cover);
    PumpThisThread(150);
    coverSeen = CoverPixels(ScreenPixels(client));
    DestroyWindow(cover);
    // Wine puts the uncovered pixels back from its own copy of the window; a Windows without
    // desktop composition asks the window to paint its uncovered part again. Ask the same, so
    // that the test sees whether the run lets that paint through.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    PumpThisThread(50);
    PostMessageW(Hwnd(form.BitBtn3), BM_CLICK, 0, 0);
    if (!WaitForTitle(main, "Zarvelinthoscope — 3 из 3", 15000)) return;
    titles.push_back(PositionOf(main));
    Sleep(200);  // photo 3 is being read
    coverLeft = CoverPixels(ScreenPixels(client));
    stillRunningAtCapture = PositionOf(main) == "Zarvelinthoscope — 3 из 3";
  });

  phone.ClearLog();
  phone.SetFaults("slow 800");
  std::vector<BoxSeen> boxes;
  {
    BoxCloser closer;
    p.Click(form.BitBtn2);  // returns once the run and its summary box are done
    p.Pump(500);
    boxes = closer.Stop();
  }
  other.join();
  phone.ClearFaults();
  UnregisterClassW(kCoverClass, GetModuleHandleW(nullptr));
  DeleteObject(cls.hbrBackground);

  EXPECT_EQ(titles,
            (std::vector<std::string>{"Zarvelinthoscope — 1 из 3", "Zarvelinthoscope — 3 из 3"}));
  EXPECT_GT(coverSeen, 0) << "the cover never showed over the window";
  EXPECT_TRUE(stillRunningAtCapture);
  EXPECT_EQ(coverLeft, 0) << "the uncovered window shows the cover during the run";
  // The grid, uncovered while photo 1 was read, repainted during the run.
  const bool repaintedMidRun =
      std::any_of(paintedAt.begin(), paintedAt.end(), [](const std::string& title) {
        return title.rfind("Zarvelinthoscope — ", 0) == 0;
      });
  EXPECT_TRUE(repaintedMidRun) << "the uncovered grid was not repainted during the run";
  EXPECT_EQ(TitleOf(main), "Zarvelinthoscope");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text.rfind("Фотографии уcпешно скачаны!", 0), 0u) << boxes[0].Text;
  EXPECT_EQ(clicks, 0) << "a locked button acted during the run";
  EXPECT_TRUE(IsWindowEnabled(Hwnd(form.BitBtn3)));
  // The run's nine phone calls come first, with no tick of the monitor (P2K_GetStatus) among
  // them; the ticks that waited follow.
  const std::vector<std::string> calls = phone.Calls();
  const std::vector<std::string> run(calls.begin(),
                                     calls.begin() + std::min<size_t>(9, calls.size()));
  EXPECT_EQ(run, (std::vector<std::string>{"File_Create", "File_Read", "File_Close", "File_Create",
                                           "File_Read", "File_Close", "File_Create", "File_Read",
                                           "File_Close"}))
      << "a timer tick ran during the run";
}

}  // namespace
}  // namespace zv::e2e
