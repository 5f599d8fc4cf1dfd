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
// The same 15 frames drawn at 20, 24 and 32 pixels, in the same stored form.
std::span<const std::uint8_t> MainTrayIconFrames20();
std::span<const std::uint8_t> MainTrayIconFrames24();
std::span<const std::uint8_t> MainTrayIconFrames32();
// The frames for a notification area whose small icons are `smallIconSize` pixels: the stored
// 23-pixel frames where small icons are 16 pixels or less (100 %, shown as ever), else the
// smallest drawn size at least as large (the largest for anything above 32).
std::span<const std::uint8_t> MainTrayIconFramesFor(int smallIconSize);

// Creates TrayIcon1 as loading the main window creates it. The area is not owned and must
// outlive the result.
std::unique_ptr<TTrayIcon> CreateMainTrayIcon(NotifyArea& area);

}  // namespace zv
