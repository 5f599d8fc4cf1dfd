// Checking that a read delivered a whole JPEG (see photo_bytes.h).
#include "phone/photo_bytes.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

bool IsRestart(std::uint8_t m) { return m >= 0xD0 && m <= 0xD7; }

bool ZerosFrom(const std::uint8_t* d, std::size_t n, std::size_t i) {
  return std::all_of(d + i, d + n, [](std::uint8_t b) { return b == 0; });
}

// For a file whose structure cannot be followed from position i: false when only zeros follow
// (where the read stopped), else true when, after any zero or FF bytes at the end, the last two
// bytes are the end marker.
bool TailEndsWithEndMarker(const std::uint8_t* d, std::size_t n, std::size_t i) {
  if (ZerosFrom(d, n, i)) return false;
  while (n > 0 && (d[n - 1] == 0x00 || d[n - 1] == kMarker)) --n;
  return n >= 2 && d[n - 2] == kMarker && d[n - 1] == kEndOfImage;
}

// From a position inside entropy-coded data, the position of the next marker (an FF that is not
// a stuffed zero, a restart or a fill byte before a marker), or n when the data runs to the end.
std::size_t NextMarker(const std::uint8_t* d, std::size_t n, std::size_t i) {
  while (i < n) {
    const void* ff = std::memchr(d + i, kMarker, n - i);
    if (!ff) return n;
    i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - d);
    if (i + 1 >= n) return n;
    const std::uint8_t next = d[i + 1];
    if (next == 0x00 || IsRestart(next)) {
      i += 2;
    } else if (next == kMarker) {
      i += 1;
    } else {
      return i;
    }
  }
  return n;
}

}  // namespace

bool PhotoLooksWhole(const std::uint8_t* d, std::size_t n) {
  if (n > 0 && d[0] == 0 && d[n - 1] == 0 && ZerosFrom(d, n, 0)) {
    return false;  // the zeros the buffer was filled with: nothing arrived
  }
  if (n < 2 || d[0] != kMarker || d[1] != kStartOfImage) return true;  // no JPEG
  std::size_t i = 2;
  for (;;) {
    if (i + 1 >= n) return false;
    if (d[i] != kMarker) return TailEndsWithEndMarker(d, n, i);
    const std::uint8_t m = d[i + 1];
    if (m == kMarker) {  // a fill byte before the marker
      ++i;
      continue;
    }
    i += 2;
    if (m == kEndOfImage) return true;
    if (m == 0x01 || IsRestart(m)) continue;  // markers without a length
    if (m == 0x00 || m == kStartOfImage) return TailEndsWithEndMarker(d, n, i);
    if (i + 2 > n) return false;
    const std::size_t length = (std::size_t{d[i]} << 8) | d[i + 1];
    if (length < 2) return TailEndsWithEndMarker(d, n, i);
    if (length > n - i) return false;  // the segment runs past what arrived
    i += length;
    if (m == kStartOfScan) {
      // Coded data follows. In it an FF byte is always followed by 00 or a restart number, so
      // FF D9 at the end of what arrived (after any padding) can only be the photo's own end
      // marker: most photos are settled here without walking their coded data.
      std::size_t end = n;
      while (end > i && (d[end - 1] == 0x00 || d[end - 1] == kMarker)) --end;
      if (end >= i + 2 && d[end - 2] == kMarker && d[end - 1] == kEndOfImage) return true;
      i = NextMarker(d, n, i);
      if (i >= n) return false;  // coded data that never reaches a marker: cut off
    }
  }
}

PhoneRead ReadWholePhoto(PhoneApi& phone, const char* path, std::int32_t size,
                         std::vector<std::uint8_t>& buffer, const std::atomic<bool>* stop) {
  const auto stopped = [stop] { return stop && stop->load(); };
  if (size < 0 || size > kMaxPhotoSize) return PhoneRead::kFailed;
  if (stopped()) return PhoneRead::kStopped;
  if (phone.File_Create(path, 0) < 0) return PhoneRead::kFailed;
  if (stopped()) return PhoneRead::kStopped;
  // Zeroed, so that nothing of the photo before shows through a read that delivered less than it
  // reported.
  buffer.assign(static_cast<std::size_t>(size) + 1, 0);
  const int read = phone.File_Read(buffer.data(), size);
  // A read that was stopped is thrown away (the phone thread closes the file before its next job).
  if (stopped()) return PhoneRead::kStopped;
  const int closed = phone.File_Close();  // closed whatever the read gave
  return ReadTransfer(read, size) == Transfer::kComplete && closed >= 0 &&
                 PhotoLooksWhole(buffer.data(), static_cast<std::size_t>(size))
             ? PhoneRead::kWhole
             : PhoneRead::kFailed;
}

}  // namespace zv
