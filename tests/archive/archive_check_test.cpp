// "Already in the archive": numbered names read back, one look into each day folder for a
// check of many rows, and marks that follow the rows through a sort.
#include "archive/archive_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "archive/archive_names.h"
#include "fake_file_system.h"
#include "gridview/photo_columns.h"

namespace zv {
namespace {

using testing::FakeFileSystem;

TEST(UnnumberedName, UndoesNumberedNameAndNothingElse) {
  for (const AnsiString photo : {"05-12-07_0012.jpg", "05-12-07_0012", "05-12-07_0.1.jpg",
                                 "05-12-07_0012 (2).jpg", ".jpg"}) {
    for (const int n : {2, 3, 10, 99999}) {
      SCOPED_TRACE(photo + " " + std::to_string(n));
      int number = 0;
      EXPECT_EQ(UnnumberedName(NumberedName(photo, n), number), photo);
      EXPECT_EQ(number, n);
    }
  }
  // Names that look numbered but that the run never gives.
  for (const AnsiString name :
       {"05-12-07_0012 (1).jpg", "05-12-07_0012 (02).jpg", "05-12-07_0012(2).jpg",
        "05-12-07_0012 (2)x.jpg", "05-12-07_0012 ().jpg", " (2).jpg", "05-12-07_0012 (2).a.jpg"}) {
    SCOPED_TRACE(name);
    int number = 0;
    EXPECT_EQ(UnnumberedName(name, number), name);
    EXPECT_EQ(number, 1);
  }
}

class ArchiveMarks : public ::testing::Test {
 protected:
  ArchiveMarks() { SetupPhotoGrid(grid); }
  void AddRow(const std::string& name, int size) {
    grid.AddRows(1);
    const int row = grid.RowCount() - 1;
    grid.CellAt(kFileColumn, row).SetAsString(Utf8ToUtf16(name));
    grid.CellAt(kSizeColumn, row).SetAsInteger(size);
  }
  void Put(const std::string& folder, const std::string& name, int size) {
    files.dirs.insert(folder);
    files.files[folder + "\\" + name] = std::string(size_t(size), 'x');
  }
  std::vector<std::string> Marked() {
    std::vector<std::string> names;
    for (int row = 0; row < grid.RowCount(); ++row)
      if (marks.RowHolds(grid, row))
        names.push_back(Utf16ToUtf8(grid.CellAt(kFileColumn, row).AsString()));
    return names;
  }
  int Listings() {
    return int(std::count_if(files.log.begin(), files.log.end(),
                             [](const std::string& l) { return l.rfind("list ", 0) == 0; }));
  }

  TGridView grid;
  FakeFileSystem files;
  ArchivedPhotos marks;
};

// Sixty rows over three days, eight of them archived: three looks in all, into each day's folder
// in both languages, whatever the number of rows and of numbered names.
TEST_F(ArchiveMarks, OneLookIntoEachDayFolder) {
  const std::string dec = "R\\P\\Декабрь 2007\\05 декабря", may = "R\\P\\Май 2008\\01 мая";
  for (int i = 0; i < 20; ++i) {
    char name[32];
    for (const char* day : {"05-12-07", "01-05-08", "02-05-08"}) {
      std::snprintf(name, sizeof name, "%s_%04d.jpg", day, i);
      AddRow(name, 100 + i);
    }
  }
  for (int i = 0; i < 4; ++i) Put(dec, "05-12-07_000" + std::to_string(i) + ".jpg", 100 + i);
  for (int i = 4; i < 7; ++i) Put(may, "01-05-08_000" + std::to_string(i) + " (3).jpg", 100 + i);
  Put(may, "01-05-08_0007.JPG", 107);
  Put(may, "01-05-08_0008.jpg", 999);  // another size: not this photo

  marks.Mark(files, "R", "P");
  EXPECT_EQ(Listings(), 0);  // nothing is looked at before a row is asked about

  std::vector<std::string> marked = Marked();
  EXPECT_EQ(Listings(), 3 * 2);
  std::sort(marked.begin(), marked.end());
  EXPECT_EQ(marked,
            (std::vector<std::string>{"01-05-08_0004.jpg", "01-05-08_0005.jpg", "01-05-08_0006.jpg",
                                      "01-05-08_0007.jpg", "05-12-07_0000.jpg", "05-12-07_0001.jpg",
                                      "05-12-07_0002.jpg", "05-12-07_0003.jpg"}));

  // The marks belong to the photos, not to row numbers: a sort moves them along.
  const std::vector<std::string> before = Marked();
  grid.SortColumn(grid.Columns()[kFileColumn], true);
  std::vector<std::string> after = Marked();
  EXPECT_NE(after, before);
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, marked);
  EXPECT_EQ(Listings(), 3 * 2);  // asked again, the rows are answered from the same looks

  // Renewed marks look again, and see the archive as it is now.
  Put(dec, "05-12-07_0004.jpg", 104);
  marks.Mark(files, "R", "P");
  EXPECT_EQ(Marked().size(), 9u);
  EXPECT_EQ(Listings(), 6 * 2);
}

// A profile the run refuses, and names without a day folder, mark nothing and look nowhere.
TEST_F(ArchiveMarks, NoFolderNoLook) {
  AddRow("05-12-07_0000.jpg", 10);
  AddRow("05-13-07_0000.jpg", 10);  // no 13th month
  AddRow("05-12-0._000.jpg", 10);   // a month folder Windows would rename
  Put("R\\P\\Декабрь 2007\\05 декабря", "05-12-07_0000.jpg", 10);
  for (const char* profile : {"", "..", "CON", "P.", "P "}) {
    SCOPED_TRACE(profile);
    files.log.clear();
    marks.Mark(files, "R", profile);
    EXPECT_EQ(Marked(), std::vector<std::string>{});
    EXPECT_EQ(Listings(), 0);
  }
  files.log.clear();
  marks.Mark(files, "R", "P");
  EXPECT_EQ(Marked(), (std::vector<std::string>{"05-12-07_0000.jpg"}));
  EXPECT_EQ(files.log, (std::vector<std::string>{"list R\\P\\Декабрь 2007\\05 декабря",
                                                 "list R\\P\\December 2007\\05 December"}));
}

}  // namespace
}  // namespace zv
