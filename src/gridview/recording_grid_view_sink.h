#pragma once
// A GridViewSink that writes each request as one line of text ("InvalidateCell 1 2") into
// Calls, for tests. TopRowValue and VisibleRows answer the two questions.
#include <string>
#include <vector>

#include "gridview/grid_view_sink.h"

namespace zv {

class RecordingGridViewSink : public GridViewSink {
 public:
  std::vector<std::string> Calls;
  int TopRowValue = 0;
  int VisibleRows = 1000000;

  void InvalidateCell(int c, int r) override { Add("InvalidateCell", c, r); }
  void InvalidateRow(int r) override { Add("InvalidateRow", r); }
  void InvalidateRows(int first, int last) override { Add("InvalidateRows", first, last); }
  void InvalidateData() override { Add("InvalidateData"); }
  void InvalidateIndicator() override { Add("InvalidateIndicator"); }
  void InvalidateAll() override { Add("InvalidateAll"); }
  void InvalidateColumn(int c) override { Add("InvalidateColumn", c); }
  void InvalidateFromColumn(int c) override { Add("InvalidateFromColumn", c); }
  void InvalidateHeaderCell(int c) override { Add("InvalidateHeaderCell", c); }
  void InvalidateInputCell(int c) override { Add("InvalidateInputCell", c); }
  void InvalidateSelection() override { Add("InvalidateSelection"); }
  void ScrollUpAfterDelete(int r, int pixels) override { Add("ScrollUpAfterDelete", r, pixels); }
  void UpdateVerticalScrollRange() override { Add("UpdateVerticalScrollRange"); }
  void UpdateHorizontalScrollRange() override { Add("UpdateHorizontalScrollRange"); }
  int TopRow() const override { return TopRowValue; }
  int VisibleRowCount() const override { return VisibleRows; }
  void ScrollToRow(int r) override {
    TopRowValue = r;
    Add("ScrollToRow", r);
  }
  void CloseEditor() override { Add("CloseEditor"); }

  // Calls since the last Take, and forgets them.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(Calls);
    return out;
  }

 private:
  void Add(const char* name) { Calls.emplace_back(name); }
  void Add(const char* name, int a) {
    Calls.push_back(std::string(name) + " " + std::to_string(a));
  }
  void Add(const char* name, int a, int b) {
    Calls.push_back(std::string(name) + " " + std::to_string(a) + " " + std::to_string(b));
  }
};

}  // namespace zv
