// The main window and the preview window laid out for displays of 120, 144 and 192 dots per
// inch: every control at its 96-dot design scaled by dpi / 96 (within a pixel), the fonts, the
// minimum size, the status panels and the grid's sizes; and the grid still answers the mouse
// where its scaled boxes and headers are drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"
#include "ui/recording_canvas.h"

namespace zv {
namespace {

// The design of the main window at 96 dots per inch (client coordinates).
struct Design {
  const char* name;
  TRect bounds;
};
const Design kDesign[] = {
    {"Label1", Bounds(16, 16, 141, 13)},   {"Edit1", Bounds(168, 14, 201, 21)},
    {"BitBtn3", Bounds(384, 13, 89, 22)},  {"GridView1", Bounds(16, 48, 731, 261)},
    {"BitBtn2", Bounds(16, 317, 153, 25)}, {"DirectoryEdit1", Bounds(176, 319, 281, 21)},
    {"BitBtn1", Bounds(650, 317, 97, 25)}, {"StatusBar1", Bounds(0, 348, 769, 22)},
};

// A design length at a density, exactly (not rounded).
double At(int v, int ppi) { return v * ppi / 96.0; }

TControl* ControlNamed(TForm1& f, const std::string& name) {
  for (TControl* c : f.Controls())
    if (c->Name == name) return c;
  return nullptr;
}

class Form1Scaling : public ::testing::TestWithParam<int> {
 protected:
  SimPhone phone_;
  FormFixture fx_{phone_.Api()};
  TForm1& f_ = *fx_.Form1;
  int ppi_ = GetParam();

  void SetUp() override {
    f_.ScaleForPPI(ppi_);
    fx_.Form3->ScaleForPPI(ppi_);
  }
  // A design length at this density, rounded as every size is.
  int Px(int v) const { return static_cast<int>(std::lround(At(v, ppi_))); }
};

TEST_P(Form1Scaling, EveryControlTakesItsDesignBoundsScaled) {
  EXPECT_EQ(ppi_, f_.PixelsPerInch());
  EXPECT_NEAR(At(769, ppi_), f_.ClientWidth(), 1.0);
  EXPECT_NEAR(At(370, ppi_), f_.ClientHeight(), 1.0);
  for (const Design& d : kDesign) {
    TControl* c = ControlNamed(f_, d.name);
    ASSERT_NE(c, nullptr) << d.name;
    const TRect r = c->BoundsRect();
    EXPECT_NEAR(At(d.bounds.Left, ppi_), r.Left, 1.0) << d.name << " at " << ppi_;
    EXPECT_NEAR(At(d.bounds.Top, ppi_), r.Top, 1.0) << d.name << " at " << ppi_;
    EXPECT_NEAR(At(d.bounds.Right, ppi_), r.Right, 1.0) << d.name << " at " << ppi_;
    EXPECT_NEAR(At(d.bounds.Bottom, ppi_), r.Bottom, 1.0) << d.name << " at " << ppi_;
    EXPECT_EQ(ppi_, c->PixelsPerInch()) << d.name;
  }
  EXPECT_EQ(Px(660), f_.Constraints().MinWidth);
  EXPECT_EQ(Px(220), f_.Constraints().MinHeight);
}

TEST_P(Form1Scaling, FontsPanelsAndTheFolderButtonScale) {
  const int height = -Px(11);
  for (TControl* c : std::initializer_list<TControl*>{&f_, &f_.Label1, &f_.Edit1, &f_.BitBtn1,
                                                      &f_.StatusBar1, &f_.DirectoryEdit1})
    EXPECT_EQ(height, c->Font().Height) << c->Name;
  EXPECT_EQ(unsigned(fsBold), f_.Label1.Font().Style);
  EXPECT_EQ(height, f_.GridView1.Font().Height);
  for (int i = 0; i < f_.GridView1.Columns().Count(); ++i)
    EXPECT_EQ(height, f_.GridView1.Columns()[i].Font().Height) << i;

  const int widths[] = {196, 136, 112, 50};  // the Russian window's
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(At(widths[i], ppi_), f_.StatusBar1.Panels[i].Width(), 0.5) << "panel " << i;

  EXPECT_EQ(Px(20), f_.DirectoryEdit1.ButtonWidth());
  EXPECT_EQ(Px(16), f_.DirectoryEdit1.Glyph().Width);
  EXPECT_EQ(Px(16), f_.DirectoryEdit1.Glyph().Height);
}

TEST_P(Form1Scaling, TheGridsSizesScaleAndFileTakesTheRest) {
  TGridView& g = f_.GridView1;
  EXPECT_EQ(Px(18), g.HeaderSize);
  EXPECT_EQ(Px(16), g.RowSize());
  EXPECT_EQ(Px(12), g.IndicatorWidthNow());
  EXPECT_EQ(Px(2), g.Metrics().TextMargin);
  const int narrow[] = {kNumColumn, kDownLoadColumn, kDeleteColumn};
  for (int col : narrow) EXPECT_EQ(Px(25), g.Columns()[col].Width()) << col;
  EXPECT_EQ(Px(81), g.Columns()[kSizeColumn].Width());
  EXPECT_EQ(g.AvailableWidth() - 3 * Px(25) - Px(81), g.Columns()[kFileColumn].Width());
  for (int col : {kDownLoadColumn, kDeleteColumn, kFileColumn}) {
    EXPECT_EQ(Px(16), g.Columns()[col].Header().Glyph().Width) << col;
    EXPECT_EQ(Px(16), g.Columns()[col].Header().Glyph().Height) << col;
  }
  // New rows come at the scaled height.
  g.AddRows(2);
  EXPECT_EQ(Px(16), g.RowHeight(1));
}

TEST_P(Form1Scaling, TheScaledDeleteBoxAndHeaderAnswerTheMouse) {
  TGridView& g = f_.GridView1;
  g.AddRows(3);
  for (int r = 0; r < 3; ++r)
    g.CellAt(kFileColumn, r).SetAsString(u"01-01-24_000" + std::u16string(1, u'0' + r) + u".jpg");
  // Where a user sees row 1's delete box: below the scaled header, one scaled row pitch down,
  // in the middle of the third narrow column right of the scaled indicator.
  const int x = Px(12) + 2 * Px(25) + Px(25) / 2;
  const int y = Px(18) + (Px(16) + 1) + Px(16) / 2;
  const TRect cell = g.CellRect(kDeleteColumn, 1);
  ASSERT_TRUE(cell.Contains({x, y})) << "cell " << cell.Left << "," << cell.Top;
  g.MouseDown(TMouseButton::mbLeft, 0, {x, y});
  g.MouseUp(TMouseButton::mbLeft, 0, {x, y});
  EXPECT_TRUE(g.CellAt(kDeleteColumn, 1).AsBoolean());
  EXPECT_FALSE(g.CellAt(kDeleteColumn, 0).AsBoolean());
  // The box is drawn where the click found it, at the scaled size.
  RecordingCanvas canvas(g.ClientRect());
  g.Paint(canvas);
  bool drawn = false;
  for (const CanvasCall& call : canvas.Of(CanvasCall::kFrameRect))
    if (call.rect.Contains({x, y}) && call.rect.Width() < cell.Width()) {
      drawn = true;
      EXPECT_EQ(Px(11), call.rect.Width());
    }
  EXPECT_TRUE(drawn);
  // A press just outside the scaled box, still inside the cell, leaves it alone.
  const TRect box = g.Metrics().CheckBoxClassic > 0
                        ? AlignBox(g.Metrics().CheckBoxClassic, g.Metrics().CheckBoxClassic,
                                   taCenter, vaMiddle, cell, g.Metrics().CheckBoxMargin)
                        : TRect{};
  const TPoint outside{box.Left - 1, y};
  ASSERT_TRUE(cell.Contains(outside));
  g.MouseDown(TMouseButton::mbLeft, 0, outside);
  g.MouseUp(TMouseButton::mbLeft, 0, outside);
  EXPECT_TRUE(g.CellAt(kDeleteColumn, 1).AsBoolean());

  // The Delete header, in the middle of its scaled cell: the form's column-wide toggle.
  const TPoint header{x, Px(18) / 2};
  g.MouseDown(TMouseButton::mbLeft, 0, header);
  g.MouseUp(TMouseButton::mbLeft, 0, header);
  for (int r = 0; r < 3; ++r) EXPECT_TRUE(g.CellAt(kDeleteColumn, r).AsBoolean()) << r;
  EXPECT_TRUE(f_.AllDeleteChecked);
}

TEST_P(Form1Scaling, ThePreviewWindowScalesItsClientArea) {
  TForm3& p = *fx_.Form3;
  EXPECT_EQ(0, p.Left());
  EXPECT_EQ(0, p.Top());
  EXPECT_EQ(Px(640), p.ClientWidth());
  EXPECT_EQ(Px(480), p.ClientHeight());
  EXPECT_EQ(p.ClientRect(), p.Image1.BoundsRect());
}

TEST_P(Form1Scaling, ResizingAtTheScaleKeepsTheScaledAnchorsAndMinimum) {
  const int rightGap = f_.ClientWidth() - f_.BitBtn1.BoundsRect().Right;
  const int gridBottomGap = f_.ClientHeight() - f_.GridView1.BoundsRect().Bottom;
  f_.SetBounds(f_.Left(), f_.Top(), f_.Width() + 200, f_.Height() + 100);
  EXPECT_EQ(rightGap, f_.ClientWidth() - f_.BitBtn1.BoundsRect().Right);
  EXPECT_EQ(gridBottomGap, f_.ClientHeight() - f_.GridView1.BoundsRect().Bottom);
  EXPECT_EQ(f_.ClientHeight(), f_.StatusBar1.BoundsRect().Bottom);
  f_.SetBounds(f_.Left(), f_.Top(), 100, 100);
  EXPECT_EQ(Px(660), f_.Width());
  EXPECT_EQ(Px(220), f_.Height());
}

INSTANTIATE_TEST_SUITE_P(Dpi, Form1Scaling, ::testing::Values(120, 144, 192));

TEST(Form1Scaling96, ScalingBackGivesTheDesignAgain) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  f.ScaleForPPI(144);
  f.ScaleForPPI(96);
  EXPECT_EQ(777, f.Width());
  EXPECT_EQ(404, f.Height());
  for (const Design& d : kDesign)
    EXPECT_EQ(d.bounds, ControlNamed(f, d.name)->BoundsRect()) << d.name;
  EXPECT_EQ(-11, f.Label1.Font().Height);
  EXPECT_EQ(18, f.GridView1.HeaderSize);
  EXPECT_EQ(16, f.GridView1.RowSize());
  EXPECT_EQ(f.GridView1.AvailableWidth() - 3 * 25 - 81, f.GridView1.Columns()[kFileColumn].Width());
  EXPECT_EQ(16, f.GridView1.Columns()[kDeleteColumn].Header().Glyph().Width);
  EXPECT_EQ(std::vector<int>({196, 332, 444, -1}), f.StatusBar1.PanelEdges());
}

}  // namespace
}  // namespace zv
