// The listing of the phone's photos into the grid, against the simulated phone.
#include "catalogue/listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

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

// A phone whose directory is a list in memory, delivered in the order given (the simulator's
// folder cannot hold every name a phone may report). It may report more entries than it fills.
class MemoryPhone : public PhoneApi {
 public:
  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return count ? *count : static_cast<int>(entries.size()); }
  int File_List(void* out, int n) override {
    if (listFails) return -1;  // nothing written
    const int filled = std::min(n, static_cast<int>(entries.size()));
    for (int i = 0; i < filled; ++i) static_cast<PhoneFileEntry*>(out)[i] = entries[i];
    return filled;
  }
  int File_Create(const char*, int) override { return -1; }
  int File_Read(void*, int) override { return -1; }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return -1; }
  int File_Delete(const char*) override { return -1; }

  std::vector<PhoneFileEntry> entries;
  std::optional<int> count;  // what File_Count says; none: the number of entries
  bool listFails = false;    // File_List fails and leaves the buffer as it was
};

class ListingFilter : public ::testing::Test {
 protected:
  ListingFilter() { SetupPhotoGrid(grid); }
  void List() {
    grid.ClearRows();
    ListingHost host{grid, phone, found, photos, {}, {}, {}};
    ListPhotos(host);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int r = 0; r < grid.RowCount(); ++r) {
      names.push_back(Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()));
    }
    return names;
  }
  MemoryPhone phone;
  TGridView grid;
  int found = 0, photos = 0;
};

// Which entries become rows, in directory order, and what the rows hold.
TEST_F(ListingFilter, OnlyPhotosDirectlyInThePictureFolder) {
  struct Entry {
    std::string path;
    int32_t size;
    const char* row;
  };
  const Entry entries[] = {
      {"/a/mobile/picture/05-12-07_0012.jpg", 5, "05-12-07_0012.jpg"},
      {"/a/mobile/picture/sub/06-12-07_0013.jpg", 5, nullptr},          // a subfolder
      {"/a/mobile/Picture/07-12-07_0014.jpg", 5, nullptr},              // another letter case
      {"/a/mobile/picture/xx-yy-zz_anything", 7, "xx-yy-zz_anything"},  // only separators count
      {"/a/mobile/picture/0-12-07_0015.jpg", 5, nullptr},               // separators one place off
      {"/a/mobile/picture/005-12-07_0016.jpg", 5, nullptr},
      {"/a/mobile/picture/05-12-07", 5, nullptr},                             // shorter than nine
      {"a/mobile/picture/05-12-07_0017.jpg", 5, nullptr},                     // not from the root
      {"/a/mobile/picture/09-12-07_0018.jpeg.long", 0, "09-12-07_0018.jpe"},  // cut to 17
      {"/a/GalleryID.txt", 200, nullptr},
      {"noslash", 5, nullptr},
      {"", 0, nullptr},
      // Names that could leave the archive folder, or that no file may have.
      {"/a/mobile/picture/08-12-07_..\\..\\x", 5, nullptr},
      {"/a/mobile/picture/08-12-07_C:x", 5, nullptr},
      {"/a/mobile/picture/08-12-07_a|b", 5, nullptr},
      {"/a/mobile/picture/08-12-07_a*b?", 5, nullptr},
      {"/a/mobile/picture/08-12-07_<a>\"", 5, nullptr},
      {"/a/mobile/picture/08-12-07_\t1", 5, nullptr},
      {"/a/mobile/picture/10-12-07_0019.jpg", -1, nullptr},  // a size that is no size
      {"/a/mobile/picture/11-12-07_0020.jpg", 2147483647, "11-12-07_0020.jpg"},
  };
  std::vector<std::string> expected;
  for (const auto& e : entries) {
    phone.entries.push_back(PhoneFileEntry::Make(e.size, e.path));
    if (e.row) expected.push_back(e.row);
  }
  List();
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(found, static_cast<int>(std::size(entries)));
  EXPECT_EQ(photos, static_cast<int>(expected.size()));
  const int sizes[] = {5, 7, 0, 2147483647};
  for (int r = 0; r < grid.RowCount(); ++r) {
    EXPECT_TRUE(grid.CellAt(kDownLoadColumn, r).AsBoolean());
    EXPECT_FALSE(grid.CellAt(kDeleteColumn, r).AsBoolean());
    EXPECT_EQ(grid.CellAt(kSizeColumn, r).AsInteger(), sizes[r]);
    EXPECT_EQ(grid.CellAt(kSizeColumn, r).AsString(), Utf8ToUtf16(std::to_string(sizes[r])));
  }
}

TEST_F(ListingFilter, UnfilledAndNegativeCounts) {
  phone.entries.push_back(PhoneFileEntry::Make(7, "/a/mobile/picture/05-12-07_1"));
  phone.count = 5;  // four records stay empty
  List();
  EXPECT_EQ(found, 5);
  EXPECT_EQ(photos, 1);
  phone.count = -3;  // a failed count lists nothing
  phone.entries.clear();
  List();
  EXPECT_EQ(found, 0);
  EXPECT_EQ(photos, 0);
}

// The main window keeps its directory buffer from one listing to the next. A listing whose
// records the phone leaves unwritten (File_List failing, fewer records filled than counted) must
// show none of an earlier listing's entries, and the buffer is made anew only when the count
// grows.
TEST_F(ListingFilter, KeptDirectoryBufferShowsNoEarlierEntry) {
  const std::string a = "/a/mobile/picture/05-12-07_0001.jpg", b = "/a/mobile/picture/05-12-07_0002.jpg",
                    c = "/a/mobile/picture/05-12-07_0003.jpg", d = "/a/mobile/picture/05-12-07_0004.jpg",
                    e = "/a/mobile/picture/05-12-07_0005.jpg";
  struct Step {
    std::vector<std::string> paths;  // what File_List fills, in order
    std::optional<int> count;        // what File_Count says; none: the number of paths
    bool listFails;
    std::vector<std::string> rows;  // the names listed
    size_t capacity;                // records the buffer holds afterwards
    bool sameBuffer;                // the previous listing's buffer served
  };
  const Step steps[] = {
      {{a, b, "/a/notes.txt"}, {}, false, {"05-12-07_0001.jpg", "05-12-07_0002.jpg"}, 3, false},
      {{c}, 3, false, {"05-12-07_0003.jpg"}, 3, true},  // two records left unfilled
      {{d, e}, 2, true, {}, 3, true},                     // File_List writes nothing
      {{d}, 1, false, {"05-12-07_0004.jpg"}, 3, true},    // a smaller directory
      {{a, b, c, d, e}, {}, false,
       {"05-12-07_0001.jpg", "05-12-07_0002.jpg", "05-12-07_0003.jpg", "05-12-07_0004.jpg",
        "05-12-07_0005.jpg"},
       5, false},
      {{}, -1, false, {}, 5, true},  // a failed count
  };
  DirectoryFetch directory;
  const PhoneFileEntry* previous = nullptr;
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(++n);
    phone.entries.clear();
    for (const std::string& path : step.paths) phone.entries.push_back(PhoneFileEntry::Make(9, path));
    phone.count = step.count;
    phone.listFails = step.listFails;
    grid.ClearRows();
    ListingHost host{grid, phone, found, photos, {}, {}, {}, {}, nullptr, &directory};
    ListPhotos(host);
    EXPECT_EQ(Names(), step.rows);
    EXPECT_EQ(directory.entries.capacity(), step.capacity);
    if (step.sameBuffer) {
      EXPECT_EQ(directory.entries.begin(), previous);
    }
    previous = directory.entries.begin();
  }
}

}  // namespace
}  // namespace zv
