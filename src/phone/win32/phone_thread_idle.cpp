// The phone thread's idle wait with a message pump (see phone_thread_idle.h).
#include "phone/win32/phone_thread_idle.h"

#include <windows.h>

namespace zv {

namespace {

class MessageIdle : public ThreadIdle {
 public:
  // Auto-reset: one wake releases one wait, and a wake before the wait is kept.
  MessageIdle() : woken_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~MessageIdle() override {
    if (woken_) CloseHandle(woken_);
  }
  MessageIdle(const MessageIdle&) = delete;
  MessageIdle& operator=(const MessageIdle&) = delete;

  void Wait() override {
    while (true) {
      // Whatever waits is run first: the wait below only wakes for messages that arrive later.
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // the phone thread ends by Shutdown alone
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      const DWORD woke = MsgWaitForMultipleObjects(1, &woken_, FALSE, INFINITE, QS_ALLINPUT);
      if (woke == WAIT_OBJECT_0) return;
      if (woke == WAIT_FAILED) {
        Sleep(10);  // no event to wait on: the thread looks for work now and then
        return;
      }
    }
  }
  void Wake() override { SetEvent(woken_); }

 private:
  HANDLE woken_;
};

}  // namespace

std::unique_ptr<ThreadIdle> MakeMessageIdle() { return std::make_unique<MessageIdle>(); }

}  // namespace zv
