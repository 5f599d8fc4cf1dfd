#pragma once
// How far a download run has got, and how long the rest will take, as the window shows it:
// "12 из 150 · 28 КБ/с · осталось 31 мин". Speed and time left come from the photo bytes the
// phone has actually delivered and the time it took for them, so photos skipped as already in
// the archive (no phone read at all) neither speed the figure up nor slow it down.
#include <chrono>
#include <cstdint>
#include <string>

namespace zv {

struct RunProgress {
  int photo = 0;   // the row the run has reached, 1-based
  int photos = 0;  // rows in all
  std::int64_t bytesRead = 0;             // photo bytes read from the phone so far
  std::chrono::milliseconds readTime{0};  // the time the phone took to deliver them
  std::int64_t bytesToRead = 0;           // bytes of the photos still to be read
};

// Between the parts of the text, in every language.
inline constexpr const char* kProgressSeparator = " · ";

// "12 из 150", then the speed and the time left once a photo has been read.
std::string RunProgressText(const RunProgress& progress);
// "800 Б/с", "28 КБ/с", "1,4 МБ/с" (binary units, as Windows counts file sizes).
std::string SpeedText(std::int64_t bytes, std::chrono::milliseconds time);
// "осталось 45 с", "осталось 31 мин", "осталось 2 ч 05 мин"; rounded up, never "0".
std::string TimeLeftText(std::chrono::seconds left);

}  // namespace zv
