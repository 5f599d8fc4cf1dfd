// Photos that the archive or the phone path cannot tell apart, and short reads that the published
// phone library does not report. In each case no photo may be lost: a photo leaves the phone only
// when the archive holds exactly the bytes of the file its row listed, and no other row of the
// run replaced that archive file. The ordinary case (distinct camera names) keeps its calls.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "archive/archive_names.h"
#include "phone/phone_entry.h"
#include "run_fixture.h"

namespace zv {
namespace {

using testing::ReadAll;

using testing::ByStyle;

class NameCollision : public ByStyle {
 protected:
  std::string Picture(const std::string& name) { return "a/mobile/picture/" + name; }
  // The rows as a user sees them: name and size, from the top.
  std::vector<std::pair<std::string, int>> Rows() {
    std::vector<std::pair<std::string, int>> rows;
    for (int r = 0; r < grid.RowCount(); ++r)
      rows.emplace_back(Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()),
                        grid.CellAt(kSizeColumn, r).AsInteger());
    return rows;
  }
  void TickAllDeletes() {
    for (int r = 0; r < grid.RowCount(); ++r) Check(kDeleteColumn, r, true);
  }
};

// "05-12-07_0012.jpg" and "05-12-07_0012.jpg.bak" both show as "05-12-07_0012.jpg". Each row
// reads its own file; the second row does not replace the first's archive file but takes the
// next free name, both leave the phone, and the box after the summary says where the second
// went. Whichever of the two rows comes first (the user may sort by size).
TEST_P(NameCollision, NamesCutToOneKeepBothPhotos) {
  const std::string photo = PhotoBytes("05-12-07_0012.jpg", 1000);
  const std::string backup = PhotoBytes("backup", 100);
  phone.AddFile(Picture("05-12-07_0012.jpg"), photo);
  phone.AddFile(Picture("05-12-07_0012.jpg.bak"), backup);
  const auto archived = ArchiveFile("Декабрь 2007/05 декабря/05-12-07_0012.jpg");
  const auto numbered = ArchiveFile("Декабрь 2007/05 декабря/05-12-07_0012 (2).jpg");
  for (const bool backupFirst : {false, true}) {
    SCOPED_TRACE(backupFirst ? "the .bak row first" : "the photo's row first");
    List();
    ASSERT_EQ(Rows(), (std::vector<std::pair<std::string, int>>{{"05-12-07_0012.jpg", 1000},
                                                                {"05-12-07_0012.jpg", 100}}));
    if (backupFirst) grid.SortColumn(grid.Columns()[kSizeColumn], true);  // 100 before 1000
    TickAllDeletes();
    boxes.messages.clear();

    const DownloadRunResult r = Run();

    EXPECT_EQ(r.DownloadedCount, 2);
    EXPECT_EQ(r.DeletedCount, 2);
    // The row that came first has the photo's name, the other the first numbered one.
    EXPECT_EQ(ReadAll(archived), backupFirst ? backup : photo);
    EXPECT_EQ(ReadAll(numbered), backupFirst ? photo : backup);
    EXPECT_FALSE(phone.FileBytes(Picture("05-12-07_0012.jpg")).has_value());
    EXPECT_FALSE(phone.FileBytes(Picture("05-12-07_0012.jpg.bak")).has_value());
    EXPECT_TRUE(Rows().empty());
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(boxes.messages[0], DownloadSummaryText(root, 2, 2));
    EXPECT_EQ(boxes.messages[1], std::string("Имена этих фотографий в архиве уже заняты, "
                                             "фотографии сохранены под другими именами:\r") +
                                     "05-12-07_0012.jpg → 05-12-07_0012 (2).jpg");

    // Back to both on the phone and an empty archive for the other order.
    phone.AddFile(Picture("05-12-07_0012.jpg"), photo);
    phone.AddFile(Picture("05-12-07_0012.jpg.bak"), backup);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
}

// A delete-only row of a cut name deletes the file it was listed from, not the photo whose name
// the cut gives.
TEST_P(NameCollision, DeleteOnlyRowOfACutNameDeletesItsOwnFile) {
  phone.AddFile(Picture("05-12-07_0012.jpg"), PhotoBytes("05-12-07_0012.jpg", 1000));
  phone.AddFile(Picture("05-12-07_0012.jpg.bak"), PhotoBytes("backup", 100));
  List();
  Check(kDownLoadColumn, 1, false);
  Check(kDownLoadColumn, 0, false);
  Check(kDeleteColumn, 1, true);  // the 100-byte row
  phone.ClearLog();
  Run();
  EXPECT_EQ(
      phone.Log(),
      (std::vector<std::string>{"File_Delete \"/a/mobile/picture/05-12-07_0012.jpg.bak\" -> 0"}));
  EXPECT_TRUE(phone.FileBytes(Picture("05-12-07_0012.jpg")).has_value());
}

// Two entries with the same cut name and the same size: no row can say which file it is, so
// neither is read nor deleted.
TEST_P(NameCollision, RowsThatNoEntryTellsApartStay) {
  phone.AddFile(Picture("05-12-07_0012.jpg.bak"), PhotoBytes("one", 100));
  phone.AddFile(Picture("05-12-07_0012.jpg.old"), PhotoBytes("two", 100));
  List();
  TickAllDeletes();
  phone.ClearLog();
  const DownloadRunResult r = Run();
  EXPECT_TRUE(phone.Calls().empty());
  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(grid.RowCount(), 2);
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1],
            std::string("Не скачаны и не удалены фотографии с совпадающими именами:\r") +
                "05-12-07_0012.jpg\r05-12-07_0012.jpg");
}

// The published library answers a short read with 0; the photo's JPEG then lacks its end and
// stays on the phone, and an earlier good copy stays in the archive.
TEST_P(NameCollision, ShortReadTheLibraryDoesNotReportKeepsThePhoto) {
  const std::string photo = PhotoBytes("05-12-07_0012.jpg", 1000);
  phone.AddFile(Picture("05-12-07_0012.jpg"), photo);
  phone.AddFile(Picture("06-12-07_0013.jpg"), PhotoBytes("06-12-07_0013.jpg", 300));
  const auto archived = ArchiveFile("Декабрь 2007/05 декабря/05-12-07_0012.jpg");
  std::filesystem::create_directories(archived.parent_path());
  { std::ofstream(archived, std::ios::binary) << photo; }
  List();
  TickAllDeletes();
  phone.ShortReads(500);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DownloadedCount, 1);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_EQ(phone.FileBytes(Picture("05-12-07_0012.jpg")), photo);
  EXPECT_FALSE(phone.FileBytes(Picture("06-12-07_0013.jpg")).has_value());
  EXPECT_EQ(ReadAll(archived), photo);
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1],
            std::string("Не удалось скачать фотографии:\r") + "05-12-07_0012.jpg");
}

// Ordinary camera names: the same calls in the same order as ever, copy then delete row by row.
TEST_P(NameCollision, DistinctCameraNamesKeepTheirCalls) {
  phone.AddFile(Picture("05-12-07_0012.jpg"), PhotoBytes("05-12-07_0012.jpg", 40));
  phone.AddFile(Picture("06-12-07_0013.jpg"), PhotoBytes("06-12-07_0013.jpg", 30));
  List();
  Check(kDeleteColumn, 0, true);
  phone.ClearLog();
  Run();
  EXPECT_EQ(phone.Calls(),
            (std::vector<std::string>{"File_Create", "File_Read", "File_Close", "File_Delete",
                                      "File_Create", "File_Read", "File_Close"}));
  EXPECT_EQ(phone.Log()[3], "File_Delete \"/a/mobile/picture/05-12-07_0012.jpg\" -> 0");
}

ZV_IN_BOTH_RESULT_STYLES(NameCollision);

// A phone held in memory, so that it can hold names that one Windows folder could not (the
// simulated phone keeps its files in a folder of the host, which under Wine folds them).
// File_Read answers 0, as the published library does.
class MemoryPhone : public PhoneApi {
 public:
  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return static_cast<int>(files.size()); }
  int File_List(void* out, int n) override {
    int i = 0;
    for (const auto& [path, bytes] : files) {
      if (i >= n) break;
      static_cast<PhoneFileEntry*>(out)[i++] =
          PhoneFileEntry::Make(static_cast<int32_t>(bytes.size()), path);
    }
    return 0;
  }
  int File_Create(const char* path, int) override {
    log.push_back(std::string("create ") + path);
    open_ = files.count(path) ? path : "";
    return open_.empty() ? -1 : 0;
  }
  int File_Read(void* buffer, int size) override {
    if (open_.empty()) return -1;
    const std::string& bytes = files[open_];
    std::copy_n(bytes.data(), std::min<size_t>(bytes.size(), static_cast<size_t>(size)),
                static_cast<char*>(buffer));
    return 0;
  }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override { return 0; }
  int File_Delete(const char* path) override {
    log.push_back(std::string("delete ") + path);
    return files.erase(path) ? 0 : -1;
  }

  std::map<std::string, std::string> files;  // phone path (Windows-1251) -> bytes
  std::vector<std::string> log;

 private:
  std::string open_;
};

// Names that Windows takes for one file, against this platform's real file system (under Wine,
// the Win32 one): the first photo takes its name, the second the first numbered one, and both
// leave the phone; a name that Windows would change is never archived nor deleted.
TEST(WindowsNames, NamesThatWindowsFoldsTogetherNeverCostAPhoto) {
  struct Case {
    const char* what;
    std::string first, second;  // Windows-1251
    // Windows-1251: the name the lower row gets; nullptr when the second stays on the phone.
    const char* numbered;
  };
  const Case cases[] = {
      {"Latin letter case", "05-12-07_0012.jpg", "05-12-07_0012.JPG", "05-12-07_0012 (2).jpg"},
      {"Cyrillic letter case", "05-12-07_\xF4\xEE\xF2\xEE.jpg", "05-12-07_\xD4\xCE\xD2\xCE.jpg",
       "05-12-07_\xF4\xEE\xF2\xEE (2).jpg"},  // фото / ФОТО
      {"Cyrillic ё and Ё", "05-12-07_\xB8\xEB\xEA\xE0.jpg", "05-12-07_\xA8\xCB\xCA\xC0.jpg",
       "05-12-07_\xB8\xEB\xEA\xE0 (2).jpg"},
      {"trailing full stop", "05-12-07_001.jpg", "05-12-07_001.jpg.", nullptr},
      {"trailing space", "05-12-07_001.jpg", "05-12-07_001.jpg ", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDir archive;
    std::unique_ptr<FileSystem> files = testing::MakeLocalFileSystem();
    MemoryPhone phone;
    const std::string folder = kPhotoFolder;
    phone.files[folder + c.first] = testing::RunFixture::PhotoBytes("first", 700);
    phone.files[folder + c.second] = testing::RunFixture::PhotoBytes("second", 500);
    TGridView grid;
    SetupPhotoGrid(grid);
    PhotoSources sources;
    int found = 0, photos = 0;
    ListingHost listing{grid, phone, found, photos, {}, {}, {}, {}, &sources};
    ListPhotos(listing);
    ASSERT_EQ(grid.RowCount(), 2);
    // The phone lists in byte order, and the capitals come first in each pair above.
    ASSERT_EQ(Utf16ToCp1251(grid.CellAt(kFileColumn, 0).AsString()), std::min(c.first, c.second));
    for (int r = 0; r < 2; ++r) grid.CellAt(kDeleteColumn, r).SetAsBoolean(true);
    testing::RecordingBoxes boxes;
    DownloadRunHost run{grid,
                        phone,
                        *files,
                        boxes,
                        found,
                        photos,
                        [] { return "Phone1"; },
                        [&] { return archive.Utf8(); },
                        {},
                        {},
                        {},
                        &sources};
    const DownloadRunResult r = RunDownload(run);

    // Rows go in grid order: the one on top takes the name, the other is numbered.
    const bool firstOnTop = c.first < c.second;
    const std::string top = firstOnTop ? c.first : c.second;
    const std::string below = firstOnTop ? c.second : c.first;
    const auto bytesOf = [&](const std::string& name) {
      return testing::RunFixture::PhotoBytes(name == c.first ? "first" : "second",
                                             name == c.first ? 700 : 500);
    };
    std::map<std::string, std::string> archived;  // file name (Windows-1251) -> bytes
    for (const auto& e : std::filesystem::recursive_directory_iterator(archive.Path()))
      if (e.is_regular_file())
        archived[Utf8ToCp1251(testing::Utf8FromPath(e.path().filename()))] = ReadAll(e.path());
    ASSERT_EQ(boxes.messages.size(), 2u);
    if (c.numbered) {
      const std::string numbered = c.numbered;
      EXPECT_EQ(r.DeletedCount, 2);
      EXPECT_TRUE(phone.files.empty());
      EXPECT_EQ(archived, (std::map<std::string, std::string>{{top, bytesOf(top)},
                                                              {numbered, bytesOf(below)}}));
      EXPECT_EQ(boxes.messages[1], std::string("Имена этих фотографий в архиве уже заняты, "
                                               "фотографии сохранены под другими именами:\r") +
                                       Cp1251ToUtf8(below) + " → " + Cp1251ToUtf8(numbered));
    } else {
      EXPECT_EQ(r.DeletedCount, 1);
      EXPECT_TRUE(phone.files.count(folder + c.second))
          << "a photo left the phone without its copy";
      EXPECT_EQ(archived, (std::map<std::string, std::string>{{c.first, bytesOf(c.first)}}));
      EXPECT_EQ(
          boxes.messages[1],
          std::string("Не скачаны и не удалены фотографии, имя которых Windows изменила бы:\r") +
              Cp1251ToUtf8(c.second));
    }
  }
}

TEST(WindowsNames, KeyFoldsLetterCaseOnly) {
  EXPECT_EQ(WindowsNameKey("05-12-07_ab.jpg"), WindowsNameKey("05-12-07_AB.JPG"));
  EXPECT_EQ(WindowsNameKey("\xE0\xFF\xB8\xB3\xBF\x9A"), "\xC0\xDF\xA8\xB2\xAF\x8A");  // а я ё і ї љ
  EXPECT_NE(WindowsNameKey("05-12-07_0012.jpg"), WindowsNameKey("05-12-07_0013.jpg"));
  EXPECT_NE(WindowsNameKey("\xE5"), WindowsNameKey("\xB8"));  // е and ё stay two letters
  for (const char* name : {"a.", "a ", ""}) EXPECT_FALSE(WindowsKeepsName(name)) << name;
  for (const char* name : {"a.jpg", ".a", " a"}) EXPECT_TRUE(WindowsKeepsName(name)) << name;
}

TEST(WindowsNames, NumberedNamesAsExplorerMakesThem) {
  struct Case {
    const char* name;
    int n;
    const char* numbered;
  };
  const Case cases[] = {
      {"05-12-07_0012.jpg", 2, "05-12-07_0012 (2).jpg"},
      {"05-12-07_0012.jpg", 13, "05-12-07_0012 (13).jpg"},
      {"05-12-07_00.1.jpg", 3, "05-12-07_00.1 (3).jpg"},  // before the last dot only
      {"05-12-07_0012", 2, "05-12-07_0012 (2)"},          // no extension
      {".jpg", 2, ".jpg (2)"},                            // a leading dot starts the name
  };
  for (const Case& c : cases) EXPECT_EQ(NumberedName(c.name, c.n), c.numbered) << c.name;
}

}  // namespace
}  // namespace zv
