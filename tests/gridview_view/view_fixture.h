#pragma once
// A headless photo grid with a recording window peer, filled with photo rows, whose events are
// written into one log ("HeaderClick 1", "SortColumn 3 1", ...), for the view-side tests.
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "ui/recording_canvas.h"
#include "ui/recording_peer.h"

namespace zv {

struct ViewFixture {
  TGridView grid;
  RecordingCustomPeer* peer = nullptr;
  std::vector<std::string> log;

  // A grid of the form's setup whose window is width × height (a static edge of one pixel, so
  // the client area is two pixels smaller while no scroll bar shows).
  explicit ViewFixture(int width = 714, int height = 261) {
    SetupPhotoGrid(grid);
    grid.SetBounds(0, 0, width, height);
    peer = &RecordingCustomPeer::Attach(grid);
    HookEvents();
  }

  void HookEvents() {
    grid.OnHeaderClick = [this](TObject*, int c) { Log("HeaderClick", c); };
    grid.OnSortColumn = [this](TObject*, int c, bool a) { Log("SortColumn", c, a); };
    grid.OnCellClick = [this](TObject*, int c, int r) { Log("CellClick", c, r); };
    grid.OnSelectCell = [this](TObject*, int c, int r) { Log("SelectCell", c, r); };
    grid.OnDeselectCell = [this](TObject*, int c, int r) { Log("DeselectCell", c, r); };
    grid.OnDblClick = [this](TObject*) { Log("DblClick"); };
    grid.OnClick = [this](TObject*) { Log("Click"); };
    grid.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log("MouseDown", static_cast<int>(b));
    };
    grid.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log("MouseUp", static_cast<int>(b));
    };
    grid.OnBeforeEdit = [this](TObject*, int c, int r, bool&) { Log("BeforeEdit", c, r); };
    grid.OnEditAccept = [this](TObject*, int c, int r, const std::u16string& v, bool&) {
      Log("EditAccept", c, r, v == u"True");
    };
    grid.OnAfterEdit = [this](TObject*, int c, int r, const std::u16string&) {
      Log("AfterEdit", c, r);
    };
    grid.OnChange = [this](TObject*, int c, int r) { Log("Change", c, r); };
    grid.OnColumnResize = [this](TObject*, int c) { Log("ColumnResize", c); };
    grid.OnKeyDown = [this](TObject*, TKey&, TShiftState) { Log("KeyDown"); };
    grid.OnVerticalScroll = [this](TObject*, int p) { Log("VerticalScroll", p); };
  }

  template <class... Args>
  void Log(const std::string& name, Args... args) {
    std::string line = name;
    ((line += " " + std::to_string(args)), ...);
    log.push_back(line);
  }
  std::vector<std::string> TakeLog() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }

  // Appends rows the way the listing does; names "NN-01-24_0000.jpg" from 01 upwards unless
  // given, sizes 1000 + row.
  void Fill(int count, std::vector<std::u16string> names = {}) {
    grid.BeginUpdate();
    for (int i = 0; i < count; ++i) {
      grid.AddRows(1);
      std::u16string name;
      if (i < static_cast<int>(names.size())) {
        name = names[static_cast<size_t>(i)];
      } else {
        const int day = i % 28 + 1;
        std::string s = (day < 10 ? "0" : "") + std::to_string(day) + "-01-24_" +
                        std::to_string(1000 + i) + ".jpg";
        name.assign(s.begin(), s.end());
      }
      grid.Cell(u"DownLoad", u"Last").SetAsBoolean(true);
      grid.Cell(u"File", u"Last").SetAsString(name);
      grid.Cell(u"Size", u"Last").SetAsInteger(1000 + i);
    }
    grid.EndUpdate();
  }

  std::vector<std::u16string> FileColumn() {
    std::vector<std::u16string> out;
    for (int r = 0; r < grid.RowCount(); ++r) out.push_back(grid.CellAt(kFileColumn, r).AsString());
    return out;
  }

  static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  TPoint CellPoint(int col, int row) { return Centre(grid.CellRect(col, row)); }
  TPoint HeaderPoint(int col) { return Centre(grid.HeaderCellRect(grid.Columns()[col])); }

  void Press(TPoint p, TMouseButton b = TMouseButton::mbLeft, TShiftState s = 0) {
    grid.MouseDown(b, s, p);
  }
  void Release(TPoint p, TMouseButton b = TMouseButton::mbLeft, TShiftState s = 0) {
    grid.MouseUp(b, s, p);
  }
  void Click(TPoint p, TMouseButton b = TMouseButton::mbLeft) {
    Press(p, b);
    Release(p, b);
  }
  // The sequence the window system reports for a double click.
  void DoubleClick(TPoint p) {
    Click(p);
    grid.MouseDblClick(TMouseButton::mbLeft, ssDouble, p);
    Release(p);
  }
  bool Checked(int col, int row) { return grid.CellAt(col, row).AsBoolean(); }

  // Paints the whole client area and returns what was drawn.
  RecordingCanvas PaintAll() {
    RecordingCanvas canvas(grid.ClientRect());
    grid.Paint(canvas);
    return canvas;
  }
};

}  // namespace zv
