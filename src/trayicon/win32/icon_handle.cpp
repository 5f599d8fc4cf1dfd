// Native icon handles for the busy indicator's icons.
#include "trayicon/win32/icon_handle.h"

namespace zv {

UniqueIcon MakeIconHandle(const TIcon& icon) {
  if (!icon.HasImage()) return nullptr;
  // The icon file's directory has been checked by TIcon: the image lies inside the data.
  auto* image = const_cast<BYTE*>(icon.Data().data() + icon.ImageOffset());
  return UniqueIcon(CreateIconFromResourceEx(image, static_cast<DWORD>(icon.ImageSize()), TRUE,
                                             0x00030000, icon.Width(), icon.Height(),
                                             LR_DEFAULTCOLOR));
}

}  // namespace zv
