#pragma once
// Writing an RGB image as a baseline JPEG file with libjpeg.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "demo_image.h"

namespace zv::demo {

// The image as a baseline JPEG in memory. Throws std::runtime_error on an encoding error.
std::vector<std::uint8_t> EncodeJpeg(const Image& image, int quality = 88);

// Writes the image as a JPEG file, with `segment` (an EXIF segment, say) right after its start
// marker when one is given. Throws std::runtime_error when the file cannot be written.
void WriteJpeg(const Image& image, const std::filesystem::path& path, int quality = 88,
               const std::vector<std::uint8_t>& segment = {});

}  // namespace zv::demo
