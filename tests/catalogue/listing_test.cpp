// The listing of the phone's photos into the grid, against the simulated phone.
#include "catalogue/listing.h"

#include <gtest/gtest.h>

#include <map>

#include "gridview/photo_columns.h"
#include "phone/phone_entry.h"
#include "testing/sim_phone.h"
#include "ui/text.h"

namespace zv {
namespace {

class Listing : public ::testing::Test {
 protected:
  Listing() { SetupPhotoGrid(grid); }

  void List() {
    grid.ClearRows();
    ListingHost host{grid,
                     phone.Api(),
                     FoundCount,
                     PhotoCount,
                     [this](bool on) { busyLog.push_back(on); },
                     [this](int p, const std::string& t) { panels[p] = t; },
                     [this] { ++downloadEnabled; }};
    ListPhotos(host);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int r = 0; r < grid.RowCount(); ++r) {
      names.push_back(Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()));
    }
    return names;
  }

  SimPhone phone;
  TGridView grid;
  int FoundCount = -1;
  int PhotoCount = -1;
  std::map<int, std::string> panels;
  std::vector<bool> busyLog;
  int downloadEnabled = 0;
};

TEST_F(Listing, EmptyDirectory) {
  List();
  EXPECT_EQ(grid.RowCount(), 0);
  EXPECT_EQ(FoundCount, 0);
  EXPECT_EQ(PhotoCount, 0);
  EXPECT_EQ(panels[1], "Найдено файлов: 0");
  EXPECT_EQ(panels[2], "Фотографий: 0");
  EXPECT_EQ(downloadEnabled, 1);
  EXPECT_EQ(busyLog, (std::vector<bool>{true, false}));
}

// Which entries become rows, in directory order, and what the rows hold.
TEST_F(Listing, OnlyPhotosDirectlyInThePictureFolder) {
  struct Entry {
    std::string path;
    bool row;
  };
  const Entry entries[] = {
      {"/a/mobile/picture/05-12-07_0012.jpg", true},
      {"/a/mobile/picture/sub/06-12-07_0013.jpg", false},  // a subfolder
      {"/a/mobile/Picture/07-12-07_0014.jpg", false},      // another letter case
      {"/a/mobile/picture/xx-yy-zz_anything", true},       // only separators count
      {"/a/mobile/picture/0-12-07_0015.jpg", false},       // separators one place off
      {"/a/mobile/picture/005-12-07_0016.jpg", false},
      {"/a/mobile/picture/05-12-07", false},             // shorter than nine
      {"/a/mobile/picture/08-12-07_abc:de.jpg", false},  // not a possible file name
      {"/a/mobile/picture/08-12-07_a|b", false},
      {"/a/mobile/picture/08-12-07_a*b", false},
      {"/a/mobile/picture/09-12-07_0017.jpeg.long.name", true},  // cut to 17 characters
      {"/a/GalleryID.txt", false},
  };
  for (const auto& e : entries) phone.AddFile(e.path, "12345");
  List();
  // The simulator lists in its own order; compare with the rows the listing must keep.
  std::vector<std::string> expected;
  for (const auto& e : entries) {
    if (!e.row) continue;
    const std::string name = e.path.substr(18, 17);
    expected.push_back(name);
  }
  std::vector<std::string> got = Names();
  std::sort(got.begin(), got.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(FoundCount, static_cast<int>(std::size(entries)));
  EXPECT_EQ(PhotoCount, 3);
  EXPECT_EQ(panels[1], "Найдено файлов: " + std::to_string(std::size(entries)));
  EXPECT_EQ(panels[2], "Фотографий: 3");
  for (int r = 0; r < grid.RowCount(); ++r) {
    EXPECT_TRUE(grid.CellAt(kDownLoadColumn, r).AsBoolean());
    EXPECT_FALSE(grid.CellAt(kDeleteColumn, r).AsBoolean());
    EXPECT_EQ(grid.CellAt(kSizeColumn, r).AsInteger(), 5);
    EXPECT_EQ(grid.CellAt(kSizeColumn, r).AsString(), u"5");
  }
}

TEST_F(Listing, CyrillicNamesComeFromWindows1251) {
  phone.AddFileCp1251("/a/mobile/picture/" + Utf8ToCp1251("05-12-07_Фото.jpg"), "x");
  List();
  EXPECT_EQ(Names(), std::vector<std::string>{"05-12-07_Фото.jpg"});
}

TEST_F(Listing, SecondListingStartsAfresh) {
  phone.AddFile("/a/mobile/picture/05-12-07_0012.jpg", "12");
  phone.AddFile("/a/mobile/picture/06-12-07_0013.jpg", "123");
  List();
  grid.CellAt(kDownLoadColumn, 0).SetAsBoolean(false);
  grid.CellAt(kDeleteColumn, 1).SetAsBoolean(true);
  phone.AddFile("/a/notes.txt", "x");
  List();
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(FoundCount, 3);
  EXPECT_EQ(PhotoCount, 2);
  for (int r = 0; r < grid.RowCount(); ++r) {
    EXPECT_TRUE(grid.CellAt(kDownLoadColumn, r).AsBoolean());
    EXPECT_FALSE(grid.CellAt(kDeleteColumn, r).AsBoolean());
  }
}

TEST(AcceptPhotoEntry, NegativeSizeGetsNoRow) {
  std::string_view name;
  EXPECT_TRUE(AcceptPhotoEntry("/a/mobile/picture/05-12-07_1", 0, name));
  EXPECT_EQ(name, "05-12-07_1");
  EXPECT_FALSE(AcceptPhotoEntry("/a/mobile/picture/05-12-07_1", -1, name));
  EXPECT_FALSE(AcceptPhotoEntry("05-12-07_1", 10, name));
}

// A phone that reports entries it does not fill: the unfilled records have no path.
class ShortListPhone : public PhoneApi {
 public:
  int P2K_Init(int) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return count; }
  int File_List(void* entries, int n) override {
    if (n < 1) return 0;
    auto* e = static_cast<PhoneFileEntry*>(entries);
    e[0] = PhoneFileEntry::Make(7, "/a/mobile/picture/05-12-07_1");
    return 1;
  }
  int File_Create(const char*, int) override { return -1; }
  int File_Read(void*, int) override { return -1; }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return -1; }
  int File_Delete(const char*) override { return -1; }
  int count = 5;
};

TEST(ListingFaults, UnfilledAndNegativeCounts) {
  TGridView grid;
  SetupPhotoGrid(grid);
  ShortListPhone phone;
  int found = 0, photos = 0;
  ListingHost host{grid, phone, found, photos, {}, {}, {}};
  ListPhotos(host);
  EXPECT_EQ(found, 5);
  EXPECT_EQ(photos, 1);
  grid.ClearRows();
  phone.count = -3;  // a failed count lists nothing
  ListPhotos(host);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(photos, 0);
}

}  // namespace
}  // namespace zv
