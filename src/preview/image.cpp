// The preview window's picture control.
#include "preview/image.h"

#include <utility>

#include "preview/fit.h"

namespace zv {

TImage::TImage(TComponent* owner, std::string name) : TCustomControl(owner, std::move(name)) {
  HasScrollBars = false;
}

void TImage::SetPicture(Bitmap picture, std::string name) {
  spare_ = std::move(picture_.Pixels);
  picture_ = std::move(picture);
  if (name != pictureName_) {
    pictureName_ = std::move(name);
    Changed(kScreenReaderLeafChanged);
  }
  ++pictureVersion_;
  scaled_ = Bitmap{};  // the old picture's copy is of no further use
  if (AutoSize && Align() == TAlign::alNone && !picture_.Empty())
    SetClientSize(picture_.Width, picture_.Height);
  Invalidate();
}

void TImage::Resize() { Invalidate(); }

TColor TImage::Background() const { return Parent() ? Parent()->Color() : Color(); }

TRect TImage::DestRect() const {
  return PictureRect(picture_.Width, picture_.Height, ClientWidth(), ClientHeight(), Stretch,
                     Proportional, Center);
}

const Bitmap& TImage::Scaled(int width, int height) {
  if (scaledVersion_ != pictureVersion_ || scaled_.Width != width || scaled_.Height != height ||
      scaledHalftone_ != Halftone) {
    scaled_ = Halftone ? StretchHalftone(picture_, width, height)
                       : StretchNearest(picture_, width, height);
    scaledVersion_ = pictureVersion_;
    scaledHalftone_ = Halftone;
  }
  return scaled_;
}

void TImage::Paint(Canvas& canvas) {
  const TRect client{0, 0, ClientWidth(), ClientHeight()};
  const TColor background = Background();
  if (picture_.Empty()) {
    canvas.FillRect(client, background);
    return;
  }
  const TRect dest = DestRect();
  // The background around the picture, as up to four bands, so that the picture is never
  // painted over (no flicker).
  const TRect bands[] = {
      {client.Left, client.Top, client.Right, dest.Top},
      {client.Left, dest.Bottom, client.Right, client.Bottom},
      {client.Left, dest.Top, dest.Left, dest.Bottom},
      {dest.Right, dest.Top, client.Right, dest.Bottom},
  };
  for (const TRect& band : bands) {
    const TRect r = band.Intersect(client);
    if (!r.IsEmpty()) canvas.FillRect(r, background);
  }
  if (dest.IsEmpty()) return;
  if (dest.Width() == picture_.Width && dest.Height() == picture_.Height) {
    canvas.DrawBitmap(dest.Left, dest.Top, picture_, clNone);
  } else {
    canvas.DrawBitmap(dest.Left, dest.Top, Scaled(dest.Width(), dest.Height()), clNone);
  }
}

}  // namespace zv
