// The run's progress text (see run_progress.h).
#include "archive/run_progress.h"

#include "ui/lang/texts.h"

namespace zv {

std::string SpeedText(std::int64_t bytes, std::chrono::milliseconds time) {
  const std::int64_t ms = time.count() > 0 ? time.count() : 1;
  const std::int64_t perSecond = bytes * 1000 / ms;
  if (perSecond < 1024) return FormatText(TextId::BytesPerSecond, {std::to_string(perSecond)});
  if (perSecond < 1024 * 1024)
    return FormatText(TextId::KilobytesPerSecond, {std::to_string(perSecond / 1024)});
  const std::int64_t tenths = perSecond * 10 / (1024 * 1024);
  return FormatText(TextId::MegabytesPerSecond,
                    {std::to_string(tenths / 10), std::to_string(tenths % 10)});
}

std::string TimeLeftText(std::chrono::seconds left) {
  const std::int64_t s = left.count() > 0 ? left.count() : 1;
  if (s < 60) return FormatText(TextId::SecondsLeft, {std::to_string(s)});
  const std::int64_t minutes = (s + 59) / 60;
  if (minutes < 60) return FormatText(TextId::MinutesLeft, {std::to_string(minutes)});
  // "2 h 5 min", as people write it; a clock's "2:05" is not what this is.
  return FormatText(TextId::HoursLeft,
                    {std::to_string(minutes / 60), std::to_string(minutes % 60)});
}

std::string RunProgressText(const RunProgress& p) {
  std::string text =
      FormatText(TextId::DownloadProgress, {std::to_string(p.photo), std::to_string(p.photos)});
  // No estimate before the phone has delivered anything to estimate from.
  if (p.bytesRead <= 0 || p.readTime.count() <= 0) return text;
  text += kProgressSeparator + SpeedText(p.bytesRead, p.readTime);
  if (p.bytesToRead > 0) {
    const std::int64_t ms = p.bytesToRead * p.readTime.count() / p.bytesRead;
    text += kProgressSeparator + TimeLeftText(std::chrono::seconds((ms + 999) / 1000));
  }
  return text;
}

}  // namespace zv
