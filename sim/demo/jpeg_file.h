#pragma once
// Writing an RGB image as a baseline JPEG file with libjpeg.
#include <filesystem>

#include "demo_image.h"

namespace zv::demo {

// Throws std::runtime_error when the file cannot be written.
void WriteJpeg(const Image& image, const std::filesystem::path& path, int quality = 88);

}  // namespace zv::demo
