#pragma once
// TImage: the picture control of the preview window, a custom-painted control. It shows one
// bitmap (Picture) placed in its client area by the Center / Proportional / Stretch rules of
// PictureRect, recomputed at every paint, and fills the rest with its parent's colour (the
// form's button face colour). A picture at another size is drawn from a scaled copy made once and
// kept until the size, the picture or the drawing mode changes. Its window (when it has one) is
// the backend's window for custom-painted controls.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/custom_control.h"
#include "ui/graphics.h"

namespace zv {

class TImage : public TCustomControl {
 public:
  explicit TImage(TComponent* owner = nullptr, std::string name = "Image1");

  // Published properties (read at every paint).
  bool Center = false;
  bool Proportional = false;
  bool Stretch = false;
  // Sizes the control to its picture when a picture is set; no effect while the control is
  // aligned to its parent, as in the preview window.
  bool AutoSize = false;
  // Halftone (averaging) instead of dropping pixels when scaling; the owner sets it on displays
  // of 8 bits per pixel or fewer for pictures of more bits than the display.
  bool Halftone = false;

  const Bitmap& Picture() const { return picture_; }
  // Replaces the picture and repaints. The old picture's pixel memory is kept as the spare.
  // `name` is what the picture is called (the photo's file name), for screen readers.
  void SetPicture(Bitmap picture, std::string name = {});
  const std::string& PictureName() const { return pictureName_; }
  // The pixel memory of the picture replaced last (empty when there is none), handed over for the
  // next picture to be decoded into: memory that the program has used already costs nothing to
  // write, where fresh memory costs the system a page fault per 4 KiB, a third again as much
  // time as decoding a large photo. At most one picture's memory is kept this way.
  std::vector<std::uint32_t> TakeSpare() { return std::move(spare_); }

  // Sets the size of the client area (for a control that is not aligned).
  void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  // Where the picture is drawn, from the current sizes.
  TRect DestRect() const;

  // Paints the whole client area.
  void Paint(Canvas& canvas) override;

  // A screen reader hears a graphic named after the picture.
  AccessibleLeaf ScreenReaderLeaf() const override {
    return {TAccessibleRole::arGraphic, pictureName_};
  }

 protected:
  void Resize() override;

 private:
  const Bitmap& Scaled(int width, int height);
  TColor Background() const;

  Bitmap picture_;
  std::string pictureName_;
  std::vector<std::uint32_t> spare_;
  std::uint64_t pictureVersion_ = 0;
  Bitmap scaled_;
  std::uint64_t scaledVersion_ = ~std::uint64_t(0);
  bool scaledHalftone_ = false;
};

}  // namespace zv
