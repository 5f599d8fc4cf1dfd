#pragma once
// The main window's busy indicator with the values its stored form gives it: Active false,
// Icons the program's 15 frames (23 x 23, 256 colours), Animated true, Interval 50.
#include <cstdint>
#include <memory>
#include <span>

#include "trayicon/tray_icon.h"

namespace zv {

// The stored form of the main window's Icons (count, then length and icon file per frame).
std::span<const std::uint8_t> MainTrayIconFrames();

// Creates TrayIcon1 as loading the main window creates it. The area is not owned and must
// outlive the result.
std::unique_ptr<TTrayIcon> CreateMainTrayIcon(NotifyArea& area);

}  // namespace zv
