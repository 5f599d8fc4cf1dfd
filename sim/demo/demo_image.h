#pragma once
// Pictures for the demo phone: an RGB image with a colour gradient, a few shapes and the photo's
// number in big blocky digits, different for every number, so each photo is recognisable in the
// preview and in the archive.
#include <cstdint>
#include <vector>

namespace zv::demo {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// The picture of photo `number` at the given size.
Image DrawPhoto(int number, int width, int height);

}  // namespace zv::demo
