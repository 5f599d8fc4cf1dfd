// "Скачать фотографии" end to end under Wine: the phone attached and listed, boxes ticked with
// the mouse on the grid's window, the button pressed; then the archive tree on disk (Cyrillic
// month and day folders), the phone's picture folder, the grid's rows, the count panels and the
// summary box's exact text as the system message box holds it. And photos the phone fails to
// deliver: they stay on the phone and in the grid, and a second box names them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

// The profile name on the phone, "Маша" in Windows-1251.
constexpr char kProfileCp1251[] = "\xCC\xE0\xF8\xE0";
constexpr char kProfile[] = "Маша";

// The grid's fixed geometry: indicator 12 wide, header 18 high, rows 16 high plus the grid
// line, columns Num, DownLoad, Delete 25 wide each.
constexpr int kIndicator = 12, kHeader = 18, kRowPitch = 17, kNarrowColumn = 25;

int ColumnCentreX(int column) { return kIndicator + kNarrowColumn * column + kNarrowColumn / 2; }
int RowCentreY(int row) { return kHeader + kRowPitch * row + 8; }

std::string JpegBytes(int w, int h) {
  const auto jpeg = testing::MakeJpeg(testing::Quarters(w, h));
  return std::string(jpeg.begin(), jpeg.end());
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file below root: path relative to it (UTF-8, "\" separators) -> content.
std::map<std::string, std::string> FilesBelow(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[Narrow(entry.path().lexically_relative(root).wstring())] = ReadFile(entry.path());
  return files;
}

class DownloadEndToEnd : public ::testing::Test {
 protected:
  // Six photos, in the order the listing shows them (the phone lists in byte order), and four
  // files that are no camera photos of the picture folder.
  const std::vector<std::string> names_{"01-05-08_0100.jpg", "05-12-07_0012.jpg",
                                        "05-12-07_0013.jpg", "14-02-09_0200.jpg",
                                        "28-06-09_0300.jpg", "31-01-08_0013.jpg"};
  std::map<std::string, std::string> photos_;  // name -> bytes

  void SetUp() override {
    SimPhone& phone = p_.Phone();
    phone.AddFile("a/GalleryID.txt", ProfileFileBytes(kProfileCp1251));
    int side = 16;
    for (const auto& name : names_) {
      photos_[name] = JpegBytes(side * 4, side * 3);
      phone.AddFile("a/mobile/picture/" + name, photos_[name]);
      side += 8;
    }
    phone.AddFile("a/mobile/picture/notes.txt", "not a photo");
    phone.AddFile("a/mobile/picture/Camera/01-01-08_0001.jpg", JpegBytes(8, 8));
    phone.AddFile("a/mobile/audio/ring.mp3", std::string(100, 'm'));

    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    ASSERT_EQ(p_.Form1().Edit1.Text(), kProfile);
    // The archive root typed into the folder box: a Cyrillic folder that does not exist yet.
    root_ = p_.Folder() / L"Архив фото";
    rootText_ = Narrow(root_.wstring());
    p_.Type(p_.Form1().DirectoryEdit1, rootText_);
    ASSERT_EQ(p_.Form1().DirectoryEdit1.Text(), rootText_);

    p_.Click(p_.Form1().BitBtn1);  // "Список"
    ASSERT_EQ(p_.Panel(1), "Найдено файлов: 10");
    ASSERT_EQ(p_.Panel(2), "Фотографий: 6");
    ASSERT_EQ(GridNames(), names_);
  }

  std::vector<std::string> GridNames() { return p_.GridNames(); }
  bool Box(int column, int row) { return p_.Form1().GridView1.CellAt(column, row).AsBoolean(); }
  // A click on a check box of the grid, through its window, where the fixed geometry puts it.
  void Tick(int column, int row) {
    const TRect cell = p_.Form1().GridView1.CellRect(column, row);
    const int x = ColumnCentreX(column), y = RowCentreY(row);
    ASSERT_TRUE(x >= cell.Left && x < cell.Right && y >= cell.Top && y < cell.Bottom)
        << "the grid's cell " << column << "," << row << " is not where its geometry says";
    const bool before = Box(column, row);
    p_.GridClick(x, y);
    ASSERT_NE(before, Box(column, row)) << "click on " << column << "," << row;
  }
  // Presses "Скачать фотографии" and gives what the boxes said.
  std::vector<BoxSeen> Download() {
    BoxCloser closer;
    p_.Click(p_.Form1().BitBtn2);
    return closer.Stop();
  }
  // The summary of a run; its first line when a checked photo stayed on the phone says so.
  std::string Summary(int downloaded, int deleted, bool allDownloaded = true) {
    return std::string(allDownloaded ? "Фотографии уcпешно скачаны!"
                                     : "Скачаны не все фотографии.") +
           "\r\rПуть сохранения: " + rootText_ + "\\\r" +
           "Скачано фотографий: " + std::to_string(downloaded) + "\r" +
           "Удалено фотографий: " + std::to_string(deleted);
  }
  // Where the archive file of a photo lands, relative to the root.
  static std::string ArchivePath(const std::string& name) {
    static const std::map<std::string, std::string> days{
        {"01-05", "Май 2008\\01 мая"},         {"05-12", "Декабрь 2007\\05 декабря"},
        {"14-02", "Февраль 2009\\14 февраля"}, {"28-06", "Июнь 2009\\28 июня"},
        {"31-01", "Январь 2008\\31 января"},
    };
    return std::string(kProfile) + "\\" + days.at(name.substr(0, 5)) + "\\" + name;
  }

  ProgramHarness p_;
  fs::path root_;
  std::string rootText_;
};

// Delete ticked on rows 1 and 4 of six; row 4 and row 2 not to be downloaded.
TEST_F(DownloadEndToEnd, CopiesDeletesAndReports) {
  Tick(kDeleteColumn, 1);  // row 1: copied, then deleted
  Tick(kDeleteColumn, 4);  // row 4: deleted without a copy
  Tick(kDownLoadColumn, 4);
  Tick(kDownLoadColumn, 2);  // row 2: left alone
  EXPECT_FALSE(Box(kDeleteColumn, 0));
  EXPECT_TRUE(Box(kDownLoadColumn, 3));

  const std::vector<BoxSeen> boxes = Download();

  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Zarvelinthoscope");
  EXPECT_EQ(boxes[0].Text, Summary(4, 2));
  EXPECT_FALSE(boxes[0].Icon);

  // The archive: the four copied photos, byte for byte, in their Cyrillic day folders.
  std::map<std::string, std::string> expected;
  for (const char* name :
       {"01-05-08_0100.jpg", "05-12-07_0012.jpg", "14-02-09_0200.jpg", "31-01-08_0013.jpg"})
    expected[ArchivePath(name)] = photos_[name];
  const auto archived = FilesBelow(root_);
  std::vector<std::string> archivedNames;
  for (const auto& [path, bytes] : archived) archivedNames.push_back(path);
  EXPECT_EQ(archived, expected) << ::testing::PrintToString(archivedNames);
  EXPECT_TRUE(fs::is_directory(root_ / L"Маша" / L"Декабрь 2007" / L"05 декабря"));

  // The phone: the two photos marked for delete are gone, the rest unchanged.
  for (const auto& name : names_) {
    const auto bytes = p_.Phone().FileBytes("a/mobile/picture/" + name);
    if (name == "05-12-07_0012.jpg" || name == "28-06-09_0300.jpg") {
      EXPECT_FALSE(bytes.has_value()) << name;
    } else {
      EXPECT_EQ(bytes, photos_[name]) << name;
    }
  }

  // The grid: rows 1 and 4 gone, the others in their order with their boxes as they were.
  EXPECT_EQ(GridNames(), (std::vector<std::string>{"01-05-08_0100.jpg", "05-12-07_0013.jpg",
                                                   "14-02-09_0200.jpg", "31-01-08_0013.jpg"}));
  EXPECT_FALSE(Box(kDownLoadColumn, 1));
  for (int row : {0, 2, 3}) EXPECT_TRUE(Box(kDownLoadColumn, row)) << row;
  for (int row = 0; row < 4; ++row) EXPECT_FALSE(Box(kDeleteColumn, row)) << row;

  // The panels lowered by the deletions; the listing's counts stay stored.
  EXPECT_EQ(p_.Panel(1), "Найдено файлов: 8");
  EXPECT_EQ(p_.Panel(2), "Фотографий: 4");
  EXPECT_EQ(p_.Form1().FoundCount, 10);
  EXPECT_EQ(p_.Form1().PhotoCount, 6);
  EXPECT_FALSE(p_.Form1().TrayIcon1->Active());

  // A second press copies the three checked rows again and deletes nothing more; the panels
  // show the listing's counts lowered by this run's deletions only.
  const std::vector<BoxSeen> again = Download();
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].Text, Summary(3, 0));
  EXPECT_EQ(p_.Panel(1), "Найдено файлов: 10");
  EXPECT_EQ(p_.Panel(2), "Фотографий: 6");
  EXPECT_EQ(FilesBelow(root_), expected);
}

// A photo whose read fails on the phone (marked for delete as well) stays on the phone and in the
// grid, nothing of it reaches the archive, and a second box after the summary names it; the
// other rows go on as usual.
TEST_F(DownloadEndToEnd, PhotosThePhoneFailsToDeliverStay) {
  struct Case {
    const char* what;
    std::string faults;
    std::string failing;  // the photo named by the second box
  };
  // A read limit as large as every photo but the largest fails only that one.
  std::string largest;
  size_t limit = 0;
  for (const auto& name : names_)
    if (largest.empty() || photos_[name].size() > photos_[largest].size()) largest = name;
  for (const auto& name : names_)
    if (name != largest) limit = std::max(limit, photos_[name].size());
  ASSERT_LT(limit, photos_[largest].size());
  const Case cases[] = {
      {"first read fails", "fail File_Read 1", names_[0]},
      {"short reads", "short " + std::to_string(limit), largest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    p_.Click(p_.Form1().BitBtn1);  // a fresh listing: every photo is back on the phone below
    ASSERT_EQ(GridNames(), names_);
    const std::string& failing = c.failing;
    const int failingRow = int(std::find(names_.begin(), names_.end(), failing) - names_.begin());
    const int otherRow = failingRow == 1 ? 2 : 1;  // deleted after its copy
    Tick(kDeleteColumn, failingRow);
    Tick(kDeleteColumn, otherRow);
    p_.Phone().SetFaults(c.faults + "\n");

    const std::vector<BoxSeen> boxes = Download();
    p_.Phone().ClearFaults();

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, Summary(5, 1, false));
    EXPECT_EQ(boxes[1].Caption, "Zarvelinthoscope");
    EXPECT_EQ(boxes[1].Text, "Не удалось скачать фотографии:\r" + failing);

    EXPECT_EQ(p_.Phone().FileBytes("a/mobile/picture/" + failing), photos_[failing]);
    const std::string other = names_[size_t(otherRow)];
    EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/" + other).has_value());

    std::vector<std::string> rows = names_;
    rows.erase(rows.begin() + otherRow);
    EXPECT_EQ(GridNames(), rows);
    const auto archived = FilesBelow(root_);
    EXPECT_EQ(archived.count(ArchivePath(failing)), 0u);
    EXPECT_EQ(archived.size(), 5u);
    EXPECT_EQ(archived.at(ArchivePath(other)), photos_[other]);
    EXPECT_EQ(p_.Panel(1), "Найдено файлов: 9");
    EXPECT_EQ(p_.Panel(2), "Фотографий: 5");

    // Put the deleted photo back for the next case, and clear the archive.
    p_.Phone().AddFile("a/mobile/picture/" + other, photos_[other]);
    fs::remove_all(root_);
  }
}

// A second file whose name the listing cuts to a photo's name ("….jpg.bak" shows as "….jpg"):
// the photo's row copies and deletes the photo itself, the other row's file goes beside it under
// the next free name, is deleted too, and a box says where it went. Neither file is lost.
TEST_F(DownloadEndToEnd, NamesCutToOneCostNoPhoto) {
  const std::string backup = JpegBytes(8, 8);
  p_.Phone().AddFile("a/mobile/picture/05-12-07_0012.jpg.bak", backup);
  p_.Click(p_.Form1().BitBtn1);
  std::vector<std::string> rows = names_;
  rows.insert(rows.begin() + 2, "05-12-07_0012.jpg");  // the .bak, after the photo itself
  ASSERT_EQ(GridNames(), rows);
  Tick(kDeleteColumn, 1);
  Tick(kDeleteColumn, 2);

  const std::vector<BoxSeen> boxes = Download();

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, Summary(7, 2));
  EXPECT_EQ(boxes[1].Text,
            "Имена этих фотографий в архиве уже заняты, фотографии сохранены под другими "
            "именами:\r05-12-07_0012.jpg → 05-12-07_0012 (2).jpg");
  EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/05-12-07_0012.jpg").has_value());
  EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/05-12-07_0012.jpg.bak").has_value());
  const auto archived = FilesBelow(root_);
  EXPECT_EQ(archived.size(), 7u);
  EXPECT_EQ(archived.at(ArchivePath("05-12-07_0012.jpg")), photos_["05-12-07_0012.jpg"]);
  EXPECT_EQ(archived.at(ArchivePath("05-12-07_0012 (2).jpg")), backup);
  rows.erase(rows.begin() + 1, rows.begin() + 3);
  EXPECT_EQ(GridNames(), rows);
  EXPECT_EQ(p_.Panel(1), "Найдено файлов: 9");  // 11 listed, 2 deleted
  EXPECT_EQ(p_.Panel(2), "Фотографий: 5");
}

// A photo whose name the archive holds already, with other bytes (an old phone that lost its
// clock names a new photo as an archived one), every delete box ticked: the archived file stays
// as it was, the new photo goes beside it as "(2)", every photo leaves the phone, and the box
// after the summary says where the photo went.
TEST_F(DownloadEndToEnd, ArchivedNameWithOtherBytesKeepsBothPhotos) {
  const std::string earlier = JpegBytes(40, 30);
  ASSERT_NE(earlier, photos_["05-12-07_0012.jpg"]);
  const fs::path taken = root_ / fs::path(Widen(ArchivePath("05-12-07_0012.jpg")));
  fs::create_directories(taken.parent_path());
  std::ofstream(taken, std::ios::binary) << earlier;
  for (int row = 0; row < int(names_.size()); ++row) Tick(kDeleteColumn, row);

  const std::vector<BoxSeen> boxes = Download();

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, Summary(6, 6));
  EXPECT_FALSE(boxes[1].Icon);
  EXPECT_EQ(boxes[1].Text,
            "Имена этих фотографий в архиве уже заняты, фотографии сохранены под другими "
            "именами:\r05-12-07_0012.jpg → 05-12-07_0012 (2).jpg");
  std::map<std::string, std::string> expected;
  for (const auto& name : names_) expected[ArchivePath(name)] = photos_[name];
  expected[ArchivePath("05-12-07_0012.jpg")] = earlier;
  expected[ArchivePath("05-12-07_0012 (2).jpg")] = photos_["05-12-07_0012.jpg"];
  EXPECT_EQ(FilesBelow(root_), expected);
  for (const auto& name : names_)
    EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/" + name).has_value()) << name;
  EXPECT_TRUE(GridNames().empty());
  EXPECT_EQ(p_.Panel(1), "Найдено файлов: 4");
  EXPECT_EQ(p_.Panel(2), "Фотографий: 0");
}

// "Создать" writes the typed name into the phone's profile file; after the phone is unplugged
// and plugged in again the monitor reads it back into the box.
TEST_F(DownloadEndToEnd, ProfileWrittenIsReadBackAfterAReplug) {
  p_.Type(p_.Form1().Edit1, "Саша 2");
  p_.Click(p_.Form1().BitBtn3);
  EXPECT_EQ(p_.Phone().FileBytes("a/GalleryID.txt"), ProfileFileBytes("\xD1\xE0\xF8\xE0 2"));

  p_.Phone().SetStatus(0);
  ASSERT_TRUE(p_.PumpUntil([&] { return p_.Panel(0) == "Соединение: Телефон отключен"; }, 4000))
      << p_.Panel(0);
  p_.Type(p_.Form1().Edit1, "typed meanwhile");
  ASSERT_TRUE(p_.Attach());
  EXPECT_EQ(p_.Form1().Edit1.Text(), "Саша 2");
}

}  // namespace
}  // namespace zv::e2e
