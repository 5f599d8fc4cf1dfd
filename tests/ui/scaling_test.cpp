// Display scaling in the component layer: the rounding every size goes through, pictures
// resized against a transparent key, the version of a picture a density gets, and controls that
// scale their bounds, anchors and fonts by one factor (and come back when scaled back).
#include "ui/scaling.h"

#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace zv {
namespace {

TEST(Scaling, MulDivRoundsHalvesAwayFromZero) {
  struct Case {
    int n, m, d, expected;
  } cases[] = {
      {11, 144, 96, 17},                         // 16.5
      {-11, 144, 96, -17},                       // the font height -11 at 150 %
      {-11, 120, 96, -14},                       // -13.75
      {-11, 192, 96, -22}, {141, 144, 96, 212},  // 211.5
      {13, 120, 96, 16},                         // 16.25
      {25, 144, 96, 38},                         // 37.5
      {0, 144, 96, 0},     {777, 96, 96, 777},  {212, 96, 144, 141},  // back again
      {1, 1, 0, -1},  // no divisor: the platform's answer
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, MulDiv(c.n, c.m, c.d)) << c.n << " * " << c.m << " / " << c.d;
}

TEST(Scaling, BoundsScaleTheirCornerAndSizeAndComeBackTheSameSize) {
  EXPECT_EQ(Bounds(24, 476, 230, 38), ScaleBounds(Bounds(16, 317, 153, 25), 144, 96));
  // A bar aligned to the bottom of a client area that anchoring left at an odd height: its
  // height comes back as it was from every scale.
  const TRect bars[] = {Bounds(0, 439, 767, 22), Bounds(0, 345, 767, 22), Bounds(3, 7, 141, 13)};
  for (const TRect& r : bars) {
    for (int ppi : {120, 144, 168, 192}) {
      const TRect back = ScaleBounds(ScaleBounds(r, ppi, 96), 96, ppi);
      EXPECT_EQ(r.Width(), back.Width()) << ppi;
      EXPECT_EQ(r.Height(), back.Height()) << ppi;
      EXPECT_NEAR(r.Top, back.Top, 1) << ppi;
    }
  }
}

constexpr TColor kKey = RGB(255, 0, 255);
constexpr std::uint32_t kKeyPixel = 0xFF00FF;

Bitmap Solid(int w, int h, std::uint32_t pixel) {
  return Bitmap{w, h, std::vector<std::uint32_t>(size_t(w) * size_t(h), pixel)};
}

TEST(Scaling, KeyedBitmapsAverageTheirOpaquePixelsAndKeepTheKeyCrisp) {
  // Left half red, right half key: halving keeps one red and one key column.
  Bitmap halves = Solid(4, 2, 0xFF0000);
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) halves.Pixels[size_t(y * 4 + x)] = kKeyPixel;
  // A 2 x 2 checker of black and white averages to grey.
  Bitmap checker{2, 2, {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}};
  struct Case {
    const char* what;
    Bitmap source;
    int w, h;
    std::vector<std::uint32_t> expected;
  } cases[] = {
      {"solid grows", Solid(2, 2, 0x123456), 3, 3, std::vector<std::uint32_t>(9, 0x123456)},
      {"halves", halves, 2, 1, {0xFF0000, kKeyPixel}},
      {"checker", checker, 1, 1, {0x808080}},
      {"all key", Solid(3, 3, kKeyPixel), 2, 2, std::vector<std::uint32_t>(4, kKeyPixel)},
      // A pixel covered by a third of red stays key; one covered by two thirds turns red.
      {"thirds", Bitmap{3, 1, {0xFF0000, kKeyPixel, kKeyPixel}}, 2, 1, {0xFF0000, kKeyPixel}},
  };
  for (const Case& c : cases) {
    const Bitmap out = ScaleKeyedBitmap(c.source, c.w, c.h, kKey);
    EXPECT_EQ(c.w, out.Width) << c.what;
    EXPECT_EQ(c.h, out.Height) << c.what;
    EXPECT_EQ(c.expected, out.Pixels) << c.what;
  }
  EXPECT_TRUE(ScaleKeyedBitmap(Bitmap{}, 4, 4, kKey).Empty());
}

TEST(Scaling, APictureForADensityIsItsExactVersionOrTheNextLargerScaledDown) {
  const std::vector<Bitmap> versions{Solid(16, 16, 0x000001), Solid(24, 24, 0x000002),
                                     Solid(32, 32, 0x000003)};
  struct Case {
    int ppi;
    int size;
    std::uint32_t from;  // which version it was made from (its colour)
  } cases[] = {
      {96, 16, 1}, {120, 20, 2}, {144, 24, 2}, {168, 28, 3}, {192, 32, 3}, {288, 48, 3},
  };
  for (const Case& c : cases) {
    const Bitmap b = PickScaledBitmap(versions, 16, 16, c.ppi, kKey);
    EXPECT_EQ(c.size, b.Width) << c.ppi;
    EXPECT_EQ(c.size, b.Height) << c.ppi;
    ASSERT_FALSE(b.Empty()) << c.ppi;
    EXPECT_EQ(c.from, b.At(c.size / 2, c.size / 2)) << c.ppi;
  }
  EXPECT_TRUE(PickScaledBitmap({}, 16, 16, 144, kKey).Empty());
}

// A form with a control anchored to each corner, a stretching one and one aligned to the
// bottom, as the main window has them.
struct AnchorForm {
  TForm form{nullptr, "Form"};
  TLabel topLeft{&form, "TopLeft"};
  TButton bottomRight{&form, "BottomRight"};
  TEdit stretched{&form, "Stretched"};
  TLabel bar{&form, "Bar"};
  AnchorForm() {
    form.SetBounds(0, 0, 408, 334);  // client 400 × 300
    form.SetConstraints({.MinWidth = 200, .MinHeight = 100});
    for (TControl* c : std::initializer_list<TControl*>{&topLeft, &bottomRight, &stretched, &bar})
      c->SetParent(&form);
    topLeft.SetBounds(16, 16, 141, 13);
    TFont bold = topLeft.Font();
    bold.Style = fsBold;
    topLeft.SetFont(bold);
    bottomRight.SetBounds(301, 251, 83, 25);
    bottomRight.SetAnchors(akRight | akBottom);
    stretched.SetBounds(16, 40, 369, 21);
    stretched.SetAnchors(akLeft | akTop | akRight);
    bar.SetBounds(0, 0, 400, 19);
    bar.SetAlign(TAlign::alBottom);
  }
};

TEST(Scaling, ControlsScaleBoundsAnchorsAndFontsAndComeBack) {
  for (int ppi : {120, 144, 192}) {
    AnchorForm f;
    const TRect topLeft = f.topLeft.BoundsRect(), bottomRight = f.bottomRight.BoundsRect(),
                stretched = f.stretched.BoundsRect();
    f.form.ScaleForPPI(ppi);
    EXPECT_EQ(ppi, f.form.PixelsPerInch());
    EXPECT_EQ(ppi, f.bottomRight.PixelsPerInch());
    EXPECT_EQ(MulDiv(400, ppi, 96), f.form.ClientWidth()) << ppi;
    EXPECT_EQ(MulDiv(300, ppi, 96), f.form.ClientHeight()) << ppi;
    EXPECT_EQ(MulDiv(200, ppi, 96), f.form.Constraints().MinWidth) << ppi;
    EXPECT_EQ(ScaleBounds(topLeft, ppi, 96), f.topLeft.BoundsRect()) << ppi;
    EXPECT_EQ(ScaleBounds(bottomRight, ppi, 96), f.bottomRight.BoundsRect()) << ppi;
    EXPECT_EQ(ScaleBounds(stretched, ppi, 96), f.stretched.BoundsRect()) << ppi;
    EXPECT_EQ(MulDiv(-11, ppi, 96), f.topLeft.Font().Height) << ppi;
    EXPECT_EQ(unsigned(fsBold), f.topLeft.Font().Style) << ppi;
    EXPECT_NEAR(19 * ppi / 96.0, f.bar.Height(), 1.0) << ppi;
    EXPECT_EQ(f.form.ClientHeight(), f.bar.BoundsRect().Bottom) << ppi;

    // Anchors keep the scaled distances when the window is resized at the new scale.
    const int rightGap = f.form.ClientWidth() - f.bottomRight.BoundsRect().Right;
    const int bottomGap = f.form.ClientHeight() - f.bottomRight.BoundsRect().Bottom;
    f.form.SetClientSize(f.form.ClientWidth() + 50, f.form.ClientHeight() + 30);
    EXPECT_EQ(rightGap, f.form.ClientWidth() - f.bottomRight.BoundsRect().Right) << ppi;
    EXPECT_EQ(bottomGap, f.form.ClientHeight() - f.bottomRight.BoundsRect().Bottom) << ppi;
    EXPECT_EQ(ScaleBounds(stretched, ppi, 96).Width() + 50, f.stretched.Width()) << ppi;
    f.form.SetClientSize(f.form.ClientWidth() - 50, f.form.ClientHeight() - 30);

    // Back to 96 dots per inch: the design again (a monitor of 100 % after one of more).
    f.form.ScaleForPPI(96);
    EXPECT_EQ(400, f.form.ClientWidth()) << ppi;
    EXPECT_EQ(300, f.form.ClientHeight()) << ppi;
    EXPECT_EQ(topLeft, f.topLeft.BoundsRect()) << ppi;
    EXPECT_EQ(bottomRight, f.bottomRight.BoundsRect()) << ppi;
    EXPECT_EQ(stretched, f.stretched.BoundsRect()) << ppi;
    EXPECT_EQ(-11, f.topLeft.Font().Height) << ppi;
  }
}

TEST(Scaling, TheSameDensityChangesNothing) {
  AnchorForm f;
  const TRect before = f.bottomRight.BoundsRect();
  f.form.ScaleForPPI(96);
  f.form.ScaleForPPI(0);  // no density known: nothing either
  EXPECT_EQ(before, f.bottomRight.BoundsRect());
  EXPECT_EQ(96, f.form.PixelsPerInch());
  EXPECT_EQ(-11, f.topLeft.Font().Height);
}

}  // namespace
}  // namespace zv
