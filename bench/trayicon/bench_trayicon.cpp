// Benchmark of the busy indicator's pacing: how many frames per second reach the notification
// area while the thread that shows the icon is blocked (as the window thread is during a phone
// call). The main window's indicator (Interval 50, 15 frames) runs against a notification area
// that only counts, for 3 seconds.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "trayicon/main_tray_icon.h"

namespace {

// Counts the frames that reach the area: every modify request after the icon was added.
class CountingArea : public zv::NotifyArea {
 public:
  std::uint64_t WindowId() const override { return 1; }
  void SetListener(zv::NotifyListener*) override {}
  bool Add(const zv::NotifyIconData&) override { return true; }
  bool Modify(const zv::NotifyIconData&) override {
    ++frames;
    return true;
  }
  bool Delete(const zv::NotifyIconData&) override { return true; }
  std::atomic<int> frames{0};
};

}  // namespace

int main() {
  constexpr double kLow = 18.0, kHigh = 21.0;
  constexpr auto kRun = std::chrono::seconds(3);
  CountingArea area;
  auto tray = zv::CreateMainTrayIcon(area);
  tray->SetActive(true);
  const int at_start = area.frames.load();  // the modify that follows an add with no tip
  const auto start = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(kRun);  // blocked: no message loop, no timer
  const int frames = area.frames.load() - at_start;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  tray->SetActive(false);
  const double rate = frames / seconds;
  const bool ok = rate >= kLow && rate <= kHigh;
  std::printf("budget tray_frames_per_s: %.1f frames/s (limit %.0f..%.0f frames/s) %s\n", rate,
              kLow, kHigh, ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
