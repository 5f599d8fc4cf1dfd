// The taskbar button's progress (see taskbar_progress.h).
#include "app/win32/taskbar_progress.h"

#include <objbase.h>
#include <shobjidl.h>

namespace zv {
namespace {

// The shell's taskbar object. Written out here rather than taken from the uuid library, whose
// symbols a static link may resolve to an import entry instead of the GUID.
constexpr CLSID kTaskbarList = {
    0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};

}  // namespace

TaskbarProgress::~TaskbarProgress() {
  if (taskbar_) taskbar_->Release();
  if (comStarted_) CoUninitialize();
}

bool TaskbarProgress::Ready() {
  if (tried_) return taskbar_ != nullptr;
  tried_ = true;
  // The window thread is a single-threaded apartment (as the folder dialog has it too); S_FALSE
  // means it was one already, and is balanced all the same.
  comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* object = nullptr;
  if (FAILED(CoCreateInstance(kTaskbarList, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskbarList3),
                              &object)) ||
      !object) {
    return false;  // before Windows 7: no progress on the button
  }
  taskbar_ = static_cast<ITaskbarList3*>(object);
  if (FAILED(taskbar_->HrInit())) {
    taskbar_->Release();
    taskbar_ = nullptr;
  }
  return taskbar_ != nullptr;
}

void TaskbarProgress::Show(HWND window, int done, int total) {
  if (!window || (total <= 0 && !taskbar_) || !Ready()) return;
  if (total <= 0) {
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
    return;
  }
  taskbar_->SetProgressState(window, TBPF_NORMAL);
  taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
}

}  // namespace zv
