// The grid's archive marks on the headless main window with the simulated phone: which rows the
// grid's formatting event draws grey after a listing, after a run, and after a change of the
// archive root or the profile; the boxes keep the states the listing gave them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form_fixture.h"
#include "gridview/grid_accessible.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

class ArchivedMarksOnTheForm : public ::testing::Test {
 protected:
  ArchivedMarksOnTheForm() {
    for (const char* name : {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg"})
      phone.AddFile(std::string("/a/mobile/picture/") + name, std::string(100, name[1]));
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
    fx.Boxes.OnShow = [this] { atSummary = Grey(); };
  }
  // One letter a row, top down: "g" when the formatting event turns its name and its size grey
  // and leaves the other columns' text colour alone, "-" when it changes nothing, "?" otherwise.
  std::string Grey() {
    std::string rows;
    for (int row = 0; row < f.GridView1.RowCount(); ++row) {
      std::string colours;
      for (int col = 0; col <= kSizeColumn; ++col) {
        TColor colour = clWindowText;
        TFontStyles style{};
        f.GridView1.OnCellFormating(&f.GridView1, col, row, colour, style, TCellState{});
        colours += colour == clGrayText ? 'g' : colour == clWindowText ? '-' : '?';
      }
      rows += colours == "---gg" ? 'g' : colours == "-----" ? '-' : '?';
      EXPECT_EQ(f.RowArchived(row), rows.back() == 'g') << "row " << row;
      // A screen reader hears the same mark in the row's name.
      const std::u16string name = TGridAccessible(f.GridView1).Name(TGridAccessible::RowId(row));
      EXPECT_EQ(name.ends_with(u", в архиве"), rows.back() == 'g') << "row " << row;
    }
    return rows;
  }
  std::string Boxes() {
    std::string boxes;
    for (int row = 0; row < f.GridView1.RowCount(); ++row)
      boxes += std::string(f.GridView1.CellAt(kDownLoadColumn, row).AsBoolean() ? "d" : "-") +
               (f.GridView1.CellAt(kDeleteColumn, row).AsBoolean() ? "x" : "-") + " ";
    return boxes;
  }
  void Put(const std::string& relative, size_t size) {
    const auto file =
        fx.Temp.Path() / std::filesystem::path(std::u8string(relative.begin(), relative.end()));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << std::string(size, 'a');
  }

  SimPhone phone;
  FormFixture fx{phone.Api()};
  TForm1& f = *fx.Form1;
  std::string atSummary;
};

TEST_F(ArchivedMarksOnTheForm, AfterListingRunAndChangeOfRootOrProfile) {
  Put("Phone1/Февраль 2008/02 февраля/02-02-08_2.jpg", 100);
  Put("Phone1/Февраль 2008/03 февраля/03-02-08_3.jpg", 99);  // another size
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  EXPECT_EQ(Grey(), "-g-");
  EXPECT_EQ(Boxes(), "d- d- d- ");

  // Row 0 is moved off the phone; the others are archived and kept, and turn grey before the
  // summary box opens.
  f.GridView1.CellAt(kDeleteColumn, 0).SetAsBoolean(true);
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  EXPECT_EQ(atSummary, "gg");
  EXPECT_EQ(Grey(), "gg");
  EXPECT_EQ(Boxes(), "d- d- ");

  const std::string root = f.DirectoryEdit1.Text();
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* grey;
  };
  const Step steps[] = {
      {"another profile", [&] { f.Edit1.SetText("Phone2"); }, "--"},
      {"the profile back", [&] { f.Edit1.SetText("Phone1"); }, "gg"},
      {"another root typed", [&] { f.DirectoryEdit1.TextEdited(root + "\\x"); }, "--"},
      {"the root back", [&] { f.DirectoryEdit1.SetText(root); }, "gg"},
      {"a new listing", [&] { f.BitBtn1Click(&f.BitBtn1); }, "gg"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_TRUE(fx.Dispatch(step.change));
    EXPECT_EQ(Grey(), step.grey);
    EXPECT_EQ(Boxes(), "d- d- ");
  }
}

}  // namespace
}  // namespace zv
