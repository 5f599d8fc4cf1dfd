#pragma once
// Display scaling. Every size of the program is designed for a display of 96 dots per inch;
// on a display of another density each component scales its own metrics by one factor
// (dots per inch / 96), as a form of stored design-time bounds does when it is shown at another
// density. TControl::ChangeScale (control.h) applies it; this file holds the arithmetic and the
// picking of pictures drawn for several scales.
#include <vector>

#include "ui/graphics.h"

namespace zv {

// The density every design size refers to.
constexpr int kDesignPixelsPerInch = 96;

// n × m / d rounded to the nearest integer, halves away from zero (the platform's MulDiv).
int MulDiv(int n, int m, int d);

// A control's bounds scaled by m / d: its top-left corner and its size each scaled (so that a
// size scaled there and back is the size it was, whatever place anchoring gave the control).
TRect ScaleBounds(const TRect& r, int m, int d);

// A picture with a transparent key colour, resized to width × height with an area-averaging
// filter: each target pixel is the mean of the opaque source pixels it covers, or the key colour
// when less than half of it is covered by opaque pixels (so edges stay crisp against the key).
Bitmap ScaleKeyedBitmap(const Bitmap& source, int width, int height, TColor key);

// Of the versions of one picture drawn for several densities (at least one), the one for
// `pixelsPerInch` at size MulDiv(design size, pixelsPerInch, 96): a version of exactly that size
// as it is, otherwise the smallest larger one (or the largest) scaled down smoothly.
// `designSize` is the size at 96 dots per inch.
Bitmap PickScaledBitmap(const std::vector<Bitmap>& versions, int designWidth, int designHeight,
                        int pixelsPerInch, TColor key);

}  // namespace zv
