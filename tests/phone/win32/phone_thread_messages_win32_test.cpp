// The phone thread runs its own messages while it waits for work: a window that a job made on
// it (as a phone library may, in P2K_Init) gets what is posted to it between jobs.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "phone/phone_jobs.h"
#include "phone/phone_library.h"
#include "phone/win32/phone_thread_idle.h"

namespace zv {
namespace {

using namespace std::chrono_literals;

constexpr UINT kPing = WM_APP + 7;
std::atomic<int> pings{0};
std::atomic<DWORD> pingThread{0};

LRESULT CALLBACK LibraryWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kPing) {
    ++pings;
    pingThread = GetCurrentThreadId();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(PhoneThreadMessages, AMessagePostedWhileIdleIsDispatchedOnThePhoneThread) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = LibraryWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZvLibraryWindow";
  RegisterClassW(&windowClass);

  AbsentPhoneApi phone;
  WindowQueue queue;
  PhoneWorker worker(phone, queue, PhoneWorker::Clock::now, MakeMessageIdle());
  std::atomic<HWND> window{nullptr};
  std::atomic<DWORD> phoneThread{0};
  std::atomic<bool> done{false};
  // The library's hidden window, made as it initialises on the phone thread.
  ASSERT_TRUE(worker.StartPoll(
      [&](JobContext& job) {
        job.phone.P2K_Init(0);
        phoneThread = GetCurrentThreadId();
        window = CreateWindowExW(0, L"ZvLibraryWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
      },
      [&](std::exception_ptr) { done = true; }));
  const auto end = std::chrono::steady_clock::now() + 10s;
  while (!done && std::chrono::steady_clock::now() < end) {
    queue.WaitForTask(5ms);
    while (auto task = queue.Take()) (*task)();
  }
  ASSERT_TRUE(done);
  ASSERT_NE(window.load(), nullptr);
  // The thread is idle now, with no job to come.
  std::this_thread::sleep_for(50ms);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(PostMessageW(window, kPing, 0, 0));
  while (pings < 3 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(2ms);
  EXPECT_EQ(pings.load(), 3);
  EXPECT_EQ(pingThread.load(), phoneThread.load());
  // A message to the thread itself does not end it: it still takes jobs.
  PostThreadMessageW(phoneThread, WM_QUIT, 0, 0);
  std::atomic<bool> ran{false};
  ASSERT_TRUE(worker.Start([&](JobContext&) { ran = true; }, {}));
  while (!ran && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(2ms);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(worker.Shutdown(10s));
}

}  // namespace
}  // namespace zv
