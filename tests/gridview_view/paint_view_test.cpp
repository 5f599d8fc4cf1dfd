// Painting of the photo grid against a recording canvas: the order of the whole paint and of
// one cell with its events, clipping, the selection look with and without the focus, the empty
// grid, header arrows and the pressed header, check boxes with and without visual styles.
#include <gtest/gtest.h>

#include "gridview/drawing.h"
#include "view_fixture.h"

namespace zv {
namespace {

using Kind = CanvasCall::Kind;

std::vector<CanvasCall> Where(const RecordingCanvas& canvas, Kind kind, const TRect& inside) {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : canvas.Calls)
    if (c.kind == kind && inside.Intersects(c.rect)) out.push_back(c);
  return out;
}

bool HasFill(const RecordingCanvas& canvas, const TRect& r, TColor color) {
  for (const CanvasCall& c : canvas.Of(Kind::kFillRect))
    if (c.rect == r && c.color == color) return true;
  return false;
}

const CanvasCall* TextCall(const RecordingCanvas& canvas, const std::u16string& text) {
  for (const CanvasCall& c : canvas.Calls)
    if (c.kind == Kind::kDrawText && c.text == text) return &c;
  return nullptr;
}

TEST(GridPaint, WholePaintGoesHeaderRowsFocusStripCaption) {
  ViewFixture f(714, 261);
  f.grid.Columns()[kSizeColumn].SetWidth(40);  // leaves a strip right of the last column
  f.Fill(2);
  RecordingCanvas canvas = f.PaintAll();
  const auto& calls = canvas.Calls;
  auto indexOf = [&](auto pred) {
    for (size_t i = 0; i < calls.size(); ++i)
      if (pred(calls[i])) return static_cast<int>(i);
    return -1;
  };
  const int headerNum = indexOf([](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect == TRect{13, 1, 36, 17};
  });
  const int corner = indexOf([](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect == TRect{1, 1, 11, 17};
  });
  const int rowsClip = indexOf([&](const CanvasCall& c) { return c.kind == Kind::kSetClip; });
  const int firstCell = indexOf([](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect == TRect{12, 18, 36, 34};
  });
  const int firstIndicator = indexOf([](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect == TRect{1, 19, 11, 34};
  });
  const int secondRowCell = indexOf([](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect == TRect{12, 35, 36, 51};
  });
  const int strip = indexOf([&](const CanvasCall& c) {
    return c.kind == Kind::kFillRect && c.rect.Top == 0 && c.rect.Bottom == f.grid.ClientHeight();
  });
  ASSERT_GE(headerNum, 0);
  EXPECT_LT(headerNum, corner);
  EXPECT_EQ(TRect({0, 18, f.grid.CellAreaRect().Right, f.grid.ClientHeight()}),
            calls[static_cast<size_t>(rowsClip)].rect);
  EXPECT_LT(corner, rowsClip);
  EXPECT_LT(rowsClip, firstCell);
  EXPECT_LT(firstCell, firstIndicator);  // a row's cells, then its indicator cell
  EXPECT_LT(firstIndicator, secondRowCell);
  EXPECT_LT(secondRowCell, strip);
  EXPECT_EQ(12 + 75 + f.grid.Columns()[kFileColumn].Width() + 40, calls[size_t(strip)].rect.Left);
  EXPECT_EQ(clWindow, calls[size_t(strip)].color);
  // Header captions: "#" at L + 3, "Файл" after its picture, "Размер" at L + 3.
  ASSERT_NE(nullptr, TextCall(canvas, u"#"));
  EXPECT_EQ(15, TextCall(canvas, u"#")->rect.Left);
  EXPECT_EQ(87 + 3 + 16 + 2, TextCall(canvas, u"Файл")->rect.Left);
  // Pictures of DownLoad, Delete and File, centred vertically.
  const auto bitmaps = canvas.Of(Kind::kDrawBitmap);
  ASSERT_EQ(3u, bitmaps.size());
  EXPECT_EQ((TPoint{37 + 3, 9 - 8}), bitmaps[0].points[0]);
  EXPECT_EQ((TPoint{62 + 3, 1}), bitmaps[1].points[0]);
  EXPECT_EQ((TPoint{87 + 3, 1}), bitmaps[2].points[0]);
}

TEST(GridPaint, DrawCellRunsItsStepsAndEventsInOrder) {
  ViewFixture f;
  f.Fill(3);
  RecordingCanvas canvas(f.grid.ClientRect());
  std::vector<std::string> trace;
  auto mark = [&](const std::string& what) {
    trace.push_back(what + "@" + std::to_string(canvas.Calls.size()));
  };
  f.grid.OnCellColoring = [&](TObject*, int c, int r, TColor& color, TColor& grid, TCellState s) {
    EXPECT_EQ(clWindow, color);
    EXPECT_EQ(clBtnFace, grid);
    EXPECT_TRUE(s.Empty());
    grid = clRed;
    mark("Coloring " + std::to_string(c) + " " + std::to_string(r));
  };
  f.grid.OnDrawCellBackground = [&](TObject*, int, int, const TRect& r, TCellState, bool&) {
    EXPECT_EQ(f.grid.CellRect(kFileColumn, 1), r);
    mark("Background");
  };
  f.grid.OnCellFormating = [&](TObject*, int, int, TColor& text, TFontStyles& style, TCellState) {
    EXPECT_EQ(clWindowText, text);
    text = clRed;
    style = fsItalic;
    mark("Formating");
  };
  f.grid.OnCustomDrawCell = [&](TObject*, int, int, const TRect&, TCellState) { mark("Custom"); };
  f.grid.DrawCell(canvas, kFileColumn, 1);
  // Coloring before anything is drawn; the clip, two grid lines, Background, the fill,
  // Formating, the text, the clip reset.
  EXPECT_EQ((std::vector<std::string>{"Coloring 3 1@0", "Background@3", "Formating@4"}), trace);
  const auto& calls = canvas.Calls;
  ASSERT_EQ(6u, calls.size());
  const TRect r = f.grid.CellRect(kFileColumn, 1);  // (87, 35)-(630, 51)
  EXPECT_EQ(TRect({87, 35, 630, 51}), r);
  EXPECT_EQ(Kind::kSetClip, calls[0].kind);
  EXPECT_EQ(TRect({87, 35, 631, 52}), calls[0].rect);
  EXPECT_EQ(Kind::kLine, calls[1].kind);
  EXPECT_EQ((std::vector<TPoint>{{87, 51}, {631, 51}}), calls[1].points);
  EXPECT_EQ(clRed, calls[1].color);  // the grid colour from the event
  EXPECT_EQ((std::vector<TPoint>{{630, 35}, {630, 51}}), calls[2].points);
  EXPECT_EQ(Kind::kFillRect, calls[3].kind);
  EXPECT_EQ(Kind::kDrawText, calls[4].kind);
  EXPECT_EQ(clRed, calls[4].font.Color);
  EXPECT_EQ(unsigned(fsItalic), calls[4].font.Style);
  EXPECT_EQ(TRect({89, 35, 628, 51}), calls[4].rect);
  EXPECT_EQ(Kind::kResetClip, calls[5].kind);

  // A custom-drawn column raises OnCustomDrawCell after the content.
  trace.clear();
  canvas.Clear();
  f.grid.Columns()[kFileColumn].SetDrawingOptions(doCustom);
  f.grid.DrawCell(canvas, kFileColumn, 1);
  EXPECT_EQ("Custom@5", trace.back());
}

TEST(GridPaint, CellsOutsideTheClipBoxAreSkippedBeforeAnyEvent) {
  ViewFixture f;
  f.Fill(10);
  std::vector<int> rows;
  f.grid.OnCellColoring = [&](TObject*, int, int r, TColor&, TColor&, TCellState) {
    rows.push_back(r);
  };
  RecordingCanvas canvas(TRect{0, 18 + 2 * 17, f.grid.ClientWidth(), 18 + 3 * 17});
  f.grid.Paint(canvas);
  EXPECT_EQ((std::vector<int>{2, 2, 2, 2, 2}), rows);
}

TEST(GridPaint, FocusedCurrentRowIsBlendedBoldFramedAndInverted) {
  ViewFixture f;
  f.Fill(3);
  f.Click(f.CellPoint(kFileColumn, 1));
  ASSERT_TRUE(f.grid.Focused());
  RecordingCanvas canvas = f.PaintAll();
  const TColor blended = Blend(clWindow, clHighlight, 0.25, ClassicColors());
  EXPECT_EQ(RGB(194, 200, 218), blended);
  for (int col = 0; col < 5; ++col) {
    EXPECT_TRUE(HasFill(canvas, f.grid.CellRect(col, 1), blended)) << col;
    EXPECT_TRUE(HasFill(canvas, f.grid.CellRect(col, 0), clWindow)) << col;
  }
  const CanvasCall* name = TextCall(canvas, f.grid.CellText(kFileColumn, 1));
  ASSERT_NE(nullptr, name);
  EXPECT_EQ(clHighlight, name->font.Color);
  EXPECT_EQ(unsigned(fsBold), name->font.Style);
  EXPECT_EQ(unsigned(0), TextCall(canvas, f.grid.CellText(kFileColumn, 0))->font.Style);
  // The focus mark: one solid pixel frame around the whole row.
  const auto frames = canvas.Of(Kind::kFrameRect);
  const TRect mark{12, 35, 12 + 75 + 544 + 81 - 1, 51};
  EXPECT_EQ(1, std::count_if(frames.begin(), frames.end(), [&](const CanvasCall& c) {
              return c.rect == mark && c.color == clHighlight;
            }));
  // Indicator: the triangle, then the whole cell inverted.
  const auto triangles = canvas.Of(Kind::kPolygon);
  ASSERT_EQ(1u, triangles.size());
  EXPECT_EQ((std::vector<TPoint>{{3, 38}, {8, 43}, {3, 48}}), triangles[0].points);
  const auto inverted = canvas.Of(Kind::kInvertRect);
  ASSERT_EQ(1u, inverted.size());
  EXPECT_EQ(TRect({0, 35, 12, 52}), inverted[0].rect);
}

TEST(GridPaint, UnfocusedCurrentRowLooksNormalButKeepsItsIndicator) {
  ViewFixture f;
  f.Fill(3);
  f.Click(f.CellPoint(kFileColumn, 1));
  f.peer->HasFocus = false;
  f.grid.FocusOut();
  RecordingCanvas canvas = f.PaintAll();
  for (int col = 0; col < 5; ++col)
    EXPECT_TRUE(HasFill(canvas, f.grid.CellRect(col, 1), clWindow)) << col;
  const CanvasCall* name = TextCall(canvas, f.grid.CellText(kFileColumn, 1));
  ASSERT_NE(nullptr, name);
  EXPECT_EQ(clWindowText, name->font.Color);
  EXPECT_EQ(unsigned(0), name->font.Style);
  EXPECT_TRUE(canvas.Of(Kind::kFrameRect).size() == 6u);  // check boxes only, no focus mark
  EXPECT_EQ(1u, canvas.Of(Kind::kPolygon).size());
  ASSERT_EQ(1u, canvas.Of(Kind::kInvertRect).size());
  EXPECT_EQ(TRect({0, 35, 12, 52}), canvas.Of(Kind::kInvertRect)[0].rect);
}

// The focus and the theme are asked of the system once a paint, not once a cell (each asking
// reaches Wine's server), and asked again by the next paint, which shows what changed between.
TEST(GridPaint, APaintAsksTheFocusAndTheThemeOnceAndTheNextAsksAgain) {
  ViewFixture f;
  f.Fill(20);
  f.Click(f.CellPoint(kFileColumn, 1));
  int themeAsked = 0;
  f.grid.ThemeQuery = [&] { return ++themeAsked, false; };
  const TColor blended = Blend(clWindow, clHighlight, 0.25, ClassicColors());
  for (const bool focused : {true, false, true}) {
    SCOPED_TRACE(focused ? "focused" : "not focused");
    f.peer->HasFocus = focused;
    themeAsked = 0;
    f.peer->FocusAsked = 0;
    RecordingCanvas canvas = f.PaintAll();
    EXPECT_EQ(themeAsked, 1);
    EXPECT_EQ(f.peer->FocusAsked, 1);
    EXPECT_EQ(HasFill(canvas, f.grid.CellRect(kFileColumn, 1), blended), focused);
  }
  // Outside a paint the grid asks as ever.
  f.peer->FocusAsked = 0;
  f.grid.CellBackgroundColor(kFileColumn, 1);
  f.grid.CellBackgroundColor(kFileColumn, 1);
  EXPECT_EQ(f.peer->FocusAsked, 4);
}

TEST(GridPaint, EmptyGridShowsHeaderEmptyRowsAndCaption) {
  ViewFixture f;
  f.grid.SetCaption("пусто");
  std::vector<int> positions;
  f.grid.OnCellColoring = [&](TObject*, int c, int r, TColor& color, TColor&, TCellState s) {
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(clWindow, color);
    if (c == 0) positions.push_back(r);
  };
  RecordingCanvas canvas = f.PaintAll();
  // Row positions down to the bottom: 14 whole ones and a cut one.
  EXPECT_EQ(15u, positions.size());
  EXPECT_EQ(0u, canvas.Of(Kind::kPolygon).size());  // no current-row triangle
  EXPECT_EQ(0u, canvas.Of(Kind::kInvertRect).size());
  EXPECT_TRUE(HasFill(canvas, {1, 19 + 14 * 17, 11, 18 + 15 * 17 - 1}, clBtnFace));
  const TRect area = f.grid.CellAreaRect();
  const auto lines = canvas.Of(Kind::kLine);
  // Every position has its vertical line; the cut last one's bottom line lies below the area.
  EXPECT_EQ(5 * (15 + 14), std::count_if(lines.begin(), lines.end(), [&](const CanvasCall& c) {
              return area.Contains(c.points[0]) && c.color == clBtnFace;
            }));
  const CanvasCall* caption = TextCall(canvas, u"пусто");
  ASSERT_NE(nullptr, caption);
  EXPECT_EQ(22, caption->rect.Top);
  EXPECT_EQ(22 + 13, caption->rect.Bottom);
  EXPECT_TRUE(caption->flags & tfCenter);
}

TEST(GridPaint, LongNamesEndInAnEllipsisOnOneLine) {
  ViewFixture f;
  f.Fill(1, {std::u16string(200, u'x') + u".jpg"});
  RecordingCanvas canvas = f.PaintAll();
  const CanvasCall* name = TextCall(canvas, f.grid.CellText(kFileColumn, 0));
  ASSERT_NE(nullptr, name);
  EXPECT_EQ(unsigned(tfNoPrefix | tfVCenter | tfSingleLine | tfEndEllipsis), name->flags);
  EXPECT_EQ(TRect({89, 18, 628, 34}), name->rect);
}

TEST(GridPaint, SortArrowsFollowTheSortKindAndNeedRoom) {
  ViewFixture f;
  f.Fill(2);
  auto arrowsIn = [&](int col) {
    RecordingCanvas canvas = f.PaintAll();
    const TRect header = f.grid.HeaderCellRect(f.grid.Columns()[col]);
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : canvas.Of(Kind::kPolyline))
      if (c.color == clBtnShadow && header.Contains(c.points.back()) && c.points.size() == 9)
        out.push_back(c);
    return out;
  };
  // File: picture 16 + "Файл" 24 + 21 after L + 2; y = 9 − 4.
  const int ax = 87 + 2 + 16 + 24 + 21;
  auto arrows = arrowsIn(kFileColumn);
  ASSERT_EQ(1u, arrows.size());
  EXPECT_EQ((TPoint{ax + 7, 5}), arrows[0].points[0]);  // descending: starts at the top
  f.Click(f.HeaderPoint(kFileColumn));
  arrows = arrowsIn(kFileColumn);
  ASSERT_EQ(1u, arrows.size());
  EXPECT_EQ((TPoint{ax + 7, 5 + 6}), arrows[0].points[0]);  // ascending: starts at the bottom
  // Size: "Размер" is 36 wide, arrow at L + 57; it needs ax + 8 < right edge.
  f.Click(f.HeaderPoint(kSizeColumn));
  EXPECT_EQ(0u, arrowsIn(kFileColumn).size());
  EXPECT_EQ(1u, arrowsIn(kSizeColumn).size());
  f.grid.Columns()[kSizeColumn].SetWidth(65);  // 57 + 8 = 65: no room
  EXPECT_EQ(0u, arrowsIn(kSizeColumn).size());
  f.grid.Columns()[kSizeColumn].SetWidth(66);
  EXPECT_EQ(1u, arrowsIn(kSizeColumn).size());
}

TEST(GridPaint, PressedHeaderIsInvertedUntilReleased) {
  ViewFixture f;
  f.Fill(2);
  f.Press(f.HeaderPoint(kSizeColumn));
  RecordingCanvas pressed = f.PaintAll();
  const TRect header = f.grid.HeaderCellRect(f.grid.Columns()[kSizeColumn]);
  ASSERT_EQ(1u, pressed.Of(Kind::kInvertRect).size() - 1);  // plus the current row's indicator
  EXPECT_EQ(TRect({header.Left, 0, header.Right - 1, 17}), pressed.Of(Kind::kInvertRect)[0].rect);
  f.Release(f.HeaderPoint(kSizeColumn));
  RecordingCanvas released = f.PaintAll();
  EXPECT_EQ(1u, released.Of(Kind::kInvertRect).size());
}

TEST(GridPaint, CheckBoxesAreElevenByHandOrThirteenThemed) {
  ViewFixture f;
  f.Fill(2);
  f.Click(f.CellPoint(kDownLoadColumn, 1));  // row 1 unticked, row 0 ticked
  f.peer->HasFocus = false;
  f.grid.FocusOut();
  const TRect cell0 = f.grid.CellRect(kDownLoadColumn, 0);  // (37, 18)-(61, 34)
  {
    RecordingCanvas canvas = f.PaintAll();
    const TRect box = Bounds(44, 21, 11, 11);
    EXPECT_EQ(box, AlignBox(11, 11, taCenter, vaMiddle, cell0, 2));
    EXPECT_TRUE(HasFill(canvas, box, clWindow));
    const auto frames = Where(canvas, Kind::kFrameRect, box);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(clBtnShadow, frames[0].color);
    std::vector<CanvasCall> marks;
    for (const CanvasCall& c : canvas.Of(Kind::kPolyline))
      if (c.color == clWindowText) marks.push_back(c);
    // Ticked: row 0 of DownLoad only (row 1 was unticked by the click, Delete is empty).
    ASSERT_EQ(3u, marks.size());
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ((std::vector<TPoint>{{46, 25 + k}, {48, 27 + k}, {53, 22 + k}}),
                marks[size_t(k)].points);
  }
  {
    f.grid.ThemeQuery = [] { return true; };
    RecordingCanvas canvas(f.grid.ClientRect());
    canvas.ThemeAvailable = true;
    f.grid.Paint(canvas);
    std::vector<CanvasCall> boxes = canvas.Of(Kind::kDrawThemePart);
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ("Button", boxes[0].themeClass);
    EXPECT_EQ(3, boxes[0].part);
    EXPECT_EQ(5, boxes[0].state);  // DownLoad row 0 ticked
    EXPECT_EQ(1, boxes[1].state);  // Delete row 0
    EXPECT_EQ(Bounds(43, 20, 13, 13), boxes[0].rect);
    EXPECT_EQ(1, boxes[2].state);  // DownLoad row 1, unticked by the click
  }
}

TEST(GridPaint, HeaderCaptionsSitWhereTheFormPutsThem) {
  // "#" stays at L + 3 with and without visual styles; the text-only "Размер" moves to L + 12
  // when themed; "Файл" follows its picture.
  struct Case {
    bool themed;
    int num, file, size;  // caption offsets from the header cell's left edge
  } cases[] = {{false, 3, 3 + 16 + 2, 3}, {true, 3, 3 + 16 + 2, 12}};
  for (const Case& c : cases) {
    ViewFixture f;
    f.Fill(2);
    f.grid.ThemeQuery = [&] { return c.themed; };
    RecordingCanvas canvas(f.grid.ClientRect());
    canvas.ThemeAvailable = c.themed;
    f.grid.Paint(canvas);
    const struct {
      std::u16string caption;
      int column, offset;
    } expected[] = {{u"#", kNumColumn, c.num},
                    {u"Файл", kFileColumn, c.file},
                    {u"Размер", kSizeColumn, c.size}};
    for (const auto& e : expected) {
      const CanvasCall* text = TextCall(canvas, e.caption);
      ASSERT_NE(nullptr, text) << c.themed;
      const int left = f.grid.Columns()[e.column].ColumnLeft - f.grid.HorzScrollPosition();
      EXPECT_EQ(left + e.offset, text->rect.Left) << (c.themed ? "themed " : "") << e.column;
    }
  }
}

TEST(GridPaint, AFailingThemeQueryIsReportedAsErrorInThemes) {
  ViewFixture f;
  f.grid.ThemeQuery = []() -> bool { throw std::runtime_error("uxtheme"); };
  try {
    f.grid.ThemesActive();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ("Error in Themes", e.what());
  }
}

}  // namespace
}  // namespace zv
