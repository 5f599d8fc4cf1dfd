#pragma once
// Turns an icon of the busy indicator into a native icon handle. Win32 backend only.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "trayicon/icon_list.h"

namespace zv {

struct IconHandleDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconHandleDeleter>;

// A handle for the icon's first image at its own size; empty when the icon is empty or the
// platform cannot read the image.
UniqueIcon MakeIconHandle(const TIcon& icon);

}  // namespace zv
