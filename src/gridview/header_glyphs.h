#pragma once
// The pictures shown in the photo grid's column headers (generated into header_glyphs_data.cpp
// by assets/gridview/make_header_glyphs.py). Magenta pixels are transparent.
#include <cstdint>

#include "ui/graphics.h"

namespace zv {

// The transparent key colour of the header pictures, as a TColor.
constexpr TColor kHeaderGlyphTransparent = RGB(255, 0, 255);

Bitmap DownloadHeaderGlyph();
Bitmap DeleteHeaderGlyph();
Bitmap FileHeaderGlyph();

}  // namespace zv
