#pragma once
// What several benchmarks need alike: message boxes that show nothing, and photos shaped as
// JPEGs (so that the check of a photo's end walks them as it would a real one).
#include <algorithm>
#include <cstddef>
#include <string>

#include "ui/platform.h"

namespace zv {

class SilentBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
};

// A JPEG-shaped photo of `size` bytes (at least 8): start marker, one comment segment, end marker.
inline std::string Photo(size_t size, int seed) {
  std::string bytes(size, static_cast<char>(seed));
  bytes[0] = '\xFF', bytes[1] = '\xD8', bytes[2] = '\xFF', bytes[3] = '\xFE';
  const size_t segment = std::min<size_t>(size - 6, 0xFFFF);
  bytes[4] = static_cast<char>(segment >> 8), bytes[5] = static_cast<char>(segment & 0xFF);
  bytes[size - 2] = '\xFF', bytes[size - 1] = '\xD9';
  return bytes;
}

}  // namespace zv
