#pragma once
// Placing a picture in a picture control's client area, and the two ways of drawing it at
// another size: whole pixels dropped or repeated (colour-on-colour), or area averaging (the
// halftone mode, used only on displays of 8 bits per pixel or fewer).
#include "ui/graphics.h"

namespace zv {

// The rectangle that a w × h picture takes in a cw × ch client area:
// - Stretch without Proportional: the whole area;
// - Proportional: a picture larger than the area (or any picture, with Stretch) is scaled to
//   fit keeping its aspect ratio, each computed side truncated; a smaller one keeps its size;
// - Center: the rectangle is centred, its corner at ((cw - width) / 2, (ch - height) / 2)
//   truncated toward zero; otherwise it sits at (0, 0).
TRect PictureRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center);

// The picture at width × height by dropping or repeating whole pixels, no smoothing.
Bitmap StretchNearest(const Bitmap& source, int width, int height);

// The picture at width × height, each target pixel the average of the source pixels it covers
// (repeating pixels where the target is larger).
Bitmap StretchHalftone(const Bitmap& source, int width, int height);

}  // namespace zv
