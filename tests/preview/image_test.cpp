// The preview window's picture control: where it paints the picture, the background around
// it, re-fitting on resize and the scaled copy kept between paints.
#include "preview/image.h"

#include <gtest/gtest.h>

#include "pixel_canvas.h"
#include "ui/forms.h"

namespace zv {
namespace {

using testing::PixelCanvas;

// A picture whose every pixel says where it came from: 0x00XXXYYY style (x << 12 | y).
Bitmap Coordinates(int w, int h) {
  Bitmap b{w, h, std::vector<std::uint32_t>(size_t(w) * size_t(h))};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Pixels[size_t(y) * size_t(w) + size_t(x)] = std::uint32_t(x << 12 | y);
  return b;
}

// Image1 as the preview window sets it, alone (no parent) with a client area of cw × ch.
// AutoSize is left off here: unaligned, it would size the control to the picture.
void MakePreviewImage(TImage& image, int cw, int ch) {
  image.Center = true;
  image.Proportional = true;
  image.SetClientSize(cw, ch);
}

TEST(Image, PaintsTheFittedPictureCentredOnButtonFace) {
  TImage image;
  MakePreviewImage(image, 64, 48);
  image.SetPicture(Coordinates(125, 100));  // 1.25: fits as 60 × 48 at (2, 0)
  EXPECT_EQ(image.DestRect(), Bounds(2, 0, 60, 48));
  PixelCanvas canvas(64, 48);
  image.Paint(canvas);
  const std::uint32_t face = PixelCanvas::BtnFace();
  EXPECT_EQ(canvas.At(0, 0), face);
  EXPECT_EQ(canvas.At(1, 47), face);
  EXPECT_EQ(canvas.At(62, 20), face);
  EXPECT_EQ(canvas.At(63, 47), face);
  EXPECT_EQ(canvas.At(2, 0), Coordinates(1, 1).Pixels[0]);  // source (0, 0)
  // Whole source pixels: target (x, y) shows source (x * 125 / 60, y * 100 / 48).
  for (int y : {0, 13, 47})
    for (int x : {0, 29, 59})
      EXPECT_EQ(canvas.At(2 + x, y), std::uint32_t((x * 125 / 60) << 12 | (y * 100 / 48)))
          << x << "," << y;
}

TEST(Image, SmallPictureIsDrawnAtNaturalSizeInTheMiddle) {
  TImage image;
  MakePreviewImage(image, 640, 480);
  image.SetPicture(Coordinates(320, 240));
  EXPECT_EQ(image.DestRect(), Bounds(160, 120, 320, 240));
  PixelCanvas canvas(640, 480);
  image.Paint(canvas);
  EXPECT_EQ(canvas.At(160, 120), 0u);
  EXPECT_EQ(canvas.At(479, 359), std::uint32_t(319 << 12 | 239));
  EXPECT_EQ(canvas.At(159, 120), PixelCanvas::BtnFace());
  EXPECT_EQ(canvas.At(480, 359), PixelCanvas::BtnFace());
  EXPECT_EQ(canvas.At(479, 360), PixelCanvas::BtnFace());
}

TEST(Image, ResizingRefitsAtOnceUpToTheNaturalSize) {
  TImage image;
  MakePreviewImage(image, 640, 480);
  image.SetPicture(Coordinates(1280, 1024));
  const struct {
    int cw, ch;
    TRect expected;
  } steps[] = {
      {640, 480, Bounds(20, 0, 600, 480)},       {320, 240, Bounds(10, 0, 300, 240)},
      {1400, 1100, Bounds(60, 38, 1280, 1024)},  // room enough: natural size, not enlarged
      {2000, 1100, Bounds(360, 38, 1280, 1024)}, {1280, 500, Bounds(327, 0, 625, 500)},
  };
  for (const auto& s : steps) {
    image.SetClientSize(s.cw, s.ch);
    EXPECT_EQ(image.DestRect(), s.expected) << s.cw << "x" << s.ch;
    PixelCanvas canvas(s.cw, s.ch);
    image.Paint(canvas);
    const TRect& r = s.expected;
    // The picture's corners land on the rectangle's corners.
    EXPECT_EQ(canvas.At(r.Left, r.Top), 0u);
    EXPECT_EQ(canvas.At(r.Right - 1, r.Bottom - 1),
              std::uint32_t(((r.Width() - 1) * 1280 / r.Width()) << 12 |
                            ((r.Height() - 1) * 1024 / r.Height())));
  }
}

TEST(Image, NewPictureReplacesTheScaledCopy) {
  TImage image;
  MakePreviewImage(image, 100, 100);
  Bitmap red{200, 200, std::vector<std::uint32_t>(200 * 200, 0xFF0000u)};
  Bitmap blue{200, 200, std::vector<std::uint32_t>(200 * 200, 0x0000FFu)};
  image.SetPicture(red);
  PixelCanvas first(100, 100);
  image.Paint(first);
  EXPECT_EQ(first.At(50, 50), 0xFF0000u);
  image.Paint(first);  // painted again from the kept copy
  EXPECT_EQ(first.At(50, 50), 0xFF0000u);
  image.SetPicture(blue);  // same size: the copy must still be remade
  PixelCanvas second(100, 100);
  image.Paint(second);
  EXPECT_EQ(second.At(50, 50), 0x0000FFu);
  EXPECT_EQ(second.At(0, 0), 0x0000FFu);
}

// The replaced picture's memory is kept once, for the next picture to be decoded into.
TEST(Image, KeepsTheReplacedPicturesMemoryOnce) {
  TImage image;
  EXPECT_TRUE(image.TakeSpare().empty());
  Bitmap first = Coordinates(4, 4);
  const std::uint32_t* memory = first.Pixels.data();
  image.SetPicture(std::move(first));
  image.SetPicture(Coordinates(2, 2));
  std::vector<std::uint32_t> spare = image.TakeSpare();
  EXPECT_EQ(spare.data(), memory);
  EXPECT_TRUE(image.TakeSpare().empty()) << "handed over once";
  EXPECT_EQ(image.Picture().At(1, 0), 1u << 12);
}

TEST(Image, HalftoneAveragesWhenScalingDown) {
  TImage image;
  MakePreviewImage(image, 1, 1);
  image.SetPicture(Bitmap{2, 2, {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}});
  PixelCanvas nearest(1, 1);
  image.Paint(nearest);
  EXPECT_EQ(nearest.At(0, 0), 0x000000u);
  image.Halftone = true;
  PixelCanvas averaged(1, 1);
  image.Paint(averaged);
  EXPECT_EQ(averaged.At(0, 0), 0x808080u);
}

TEST(Image, WithoutAPictureTheAreaIsButtonFace) {
  TImage image;
  MakePreviewImage(image, 30, 20);
  PixelCanvas canvas(30, 20);
  image.Paint(canvas);
  for (std::uint32_t p : canvas.surface.Pixels) ASSERT_EQ(p, PixelCanvas::BtnFace());
}

TEST(Image, AlignedToAFormItFollowsTheFormsSizeAndColour) {
  TForm form(nullptr, "Form3");
  form.SetBounds(0, 0, 648, 514);
  form.SetColor(RGB(1, 2, 3));
  TImage image(&form, "Image1");
  MakePreviewImage(image, 10, 10);
  image.AutoSize = true;
  image.SetParent(&form);
  image.SetAlign(TAlign::alClient);
  EXPECT_EQ(image.ClientWidth(), 640);
  EXPECT_EQ(image.ClientHeight(), 480);
  image.SetPicture(Coordinates(1280, 1024));
  EXPECT_EQ(image.BoundsRect(), Bounds(0, 0, 640, 480)) << "AutoSize has no effect when aligned";
  EXPECT_EQ(image.DestRect(), Bounds(20, 0, 600, 480));
  form.SetClientSize(320, 240);
  EXPECT_EQ(image.DestRect(), Bounds(10, 0, 300, 240));
  PixelCanvas canvas(320, 240);
  image.Paint(canvas);
  EXPECT_EQ(canvas.At(0, 0), 0x010203u) << "the form's colour around the picture";
  EXPECT_EQ(canvas.At(10, 0), 0u);
}

TEST(Image, AutoSizeTakesThePicturesSizeWhenNotAligned) {
  TImage image;
  image.AutoSize = true;
  image.SetBounds(5, 6, 10, 10);
  image.SetPicture(Coordinates(30, 20));
  EXPECT_EQ(image.BoundsRect(), Bounds(5, 6, 30, 20));
  EXPECT_EQ(image.DestRect(), Bounds(0, 0, 30, 20));
}

}  // namespace
}  // namespace zv
