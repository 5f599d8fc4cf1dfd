#pragma once
// The main window's taskbar button as a progress bar while the download run goes through its
// rows (Windows 7 and later). The taskbar's interface is created through COM at the first use,
// by its class id, so nothing is imported that Windows XP lacks; where it does not exist (XP,
// Vista, a shell without a taskbar) every call does nothing.
#include <windows.h>

struct ITaskbarList3;

namespace zv {

class TaskbarProgress {
 public:
  TaskbarProgress() = default;
  ~TaskbarProgress();
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  // done of total filled on the button of window; total 0 clears the button.
  void Show(HWND window, int done, int total);

 private:
  bool Ready();

  bool tried_ = false;
  bool comStarted_ = false;
  ITaskbarList3* taskbar_ = nullptr;
};

}  // namespace zv
