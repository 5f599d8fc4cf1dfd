#pragma once
// How the phone thread idles on Windows: in MsgWaitForMultipleObjects, running the thread's own
// messages meanwhile. The phone library is initialised on the phone thread; a library that makes
// a hidden window there, or that expects its messages on that thread, is served between jobs.
#include <memory>

#include "phone/phone_jobs.h"

namespace zv {

std::unique_ptr<ThreadIdle> MakeMessageIdle();

}  // namespace zv
