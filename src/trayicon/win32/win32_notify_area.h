#pragma once
// The Win32 notification area: a hidden window of its own class that receives the callback
// message and the shell's "TaskbarCreated" broadcast, and Shell_NotifyIconW requests with the
// record's first version. Create it on the window thread; its window is destroyed with it.
#include <exception>
#include <functional>
#include <memory>

#include "trayicon/notify_area.h"

namespace zv {

// Receives errors thrown while the hidden window handles a message (the application's general
// error handler). Without one, such errors are dropped rather than crossing into the system.
using TrayErrorHandler = std::function<void(const std::exception& error)>;

std::unique_ptr<NotifyArea> CreateWin32NotifyArea(TrayErrorHandler on_error);

}  // namespace zv
