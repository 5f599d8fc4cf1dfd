#pragma once
// The pictures shown in the photo grid's column headers (generated into header_glyphs_data.cpp
// by assets/gridview/make_header_glyphs.py). Magenta pixels are transparent.
#include <cstdint>
#include <vector>

#include "ui/graphics.h"

namespace zv {

// The transparent key colour of the header pictures, as a TColor.
constexpr TColor kHeaderGlyphTransparent = RGB(255, 0, 255);

Bitmap DownloadHeaderGlyph();
Bitmap DeleteHeaderGlyph();
Bitmap FileHeaderGlyph();

// Each picture drawn for several densities: 16 x 16 (96 dots per inch) first, then the larger.
std::vector<Bitmap> DownloadHeaderGlyphs();
std::vector<Bitmap> DeleteHeaderGlyphs();
std::vector<Bitmap> FileHeaderGlyphs();

}  // namespace zv
