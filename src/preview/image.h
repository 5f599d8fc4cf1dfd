#pragma once
// TImage: the picture control of the preview window. It shows one bitmap (Picture) placed in its
// client area by the Center / Proportional / Stretch rules of PictureRect, and fills the rest
// with its colour (the form's button face colour). A picture at another size is drawn from a
// scaled copy made once and kept until the size, the picture or the drawing mode changes.
#include <cstdint>

#include "ui/canvas.h"
#include "ui/graphics.h"

namespace zv {

class TImage {
 public:
  // Published properties.
  bool Center = false;
  bool Proportional = false;
  bool Stretch = false;
  // Sizes the control to its picture; no effect while the control fills its parent's client
  // area, as in the preview window.
  bool AutoSize = false;
  TColor Color = clBtnFace;
  // Halftone (averaging) instead of dropping pixels when scaling; the owner sets it on displays
  // of 8 bits per pixel or fewer for pictures of more bits than the display.
  bool Halftone = false;

  const Bitmap& Picture() const { return picture_; }
  // Replaces the picture (the old one is discarded).
  void SetPicture(Bitmap picture);

  // The client area the picture is placed in.
  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // Where the picture is drawn, recomputed from the current sizes.
  TRect DestRect() const;

  // Paints the whole client area at (0, 0) of the canvas.
  void Paint(Canvas& canvas);

 private:
  const Bitmap& Scaled(int width, int height);

  Bitmap picture_;
  std::uint64_t pictureVersion_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;
  Bitmap scaled_;
  std::uint64_t scaledVersion_ = ~std::uint64_t(0);
  bool scaledHalftone_ = false;
};

}  // namespace zv
