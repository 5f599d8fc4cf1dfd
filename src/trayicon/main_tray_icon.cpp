// The main window's busy indicator, created with the values of its stored form.
#include "trayicon/main_tray_icon.h"

namespace zv {

std::span<const std::uint8_t> MainTrayIconFramesFor(int smallIconSize) {
  if (smallIconSize <= 16) return MainTrayIconFrames();
  if (smallIconSize <= 20) return MainTrayIconFrames20();
  if (smallIconSize <= 24) return MainTrayIconFrames24();
  return MainTrayIconFrames32();
}

std::unique_ptr<TTrayIcon> CreateMainTrayIcon(NotifyArea& area) {
  auto tray = std::make_unique<TTrayIcon>(area);
  // The stored values, in the order loading applies them.
  tray->SetActive(false);
  tray->LoadIcons(MainTrayIconFrames());
  tray->SetAnimated(true);  // the pacing thread starts paused: the icon is hidden
  tray->SetInterval(50);
  tray->Loaded();
  return tray;
}

}  // namespace zv
