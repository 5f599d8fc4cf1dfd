// A second visit end to end under Wine: four photos kept on the phone are listed, archived,
// listed again and the run pressed again. The second run asks the phone for none of them, and
// the grid's window shows their rows grey; with every delete box ticked, a third run reads each
// photo once, deletes it, and writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/lang/texts.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kProfileCp1251[] = "Phone1";
constexpr int kIndicator = 12, kHeader = 18, kRowPitch = 17, kNarrowColumn = 25;

// When each file below root was last written.
std::map<std::string, fs::file_time_type> WriteTimes(const fs::path& root) {
  std::map<std::string, fs::file_time_type> times;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      times[Narrow(entry.path().lexically_relative(root).wstring())] = entry.last_write_time();
  return times;
}

std::map<std::string, std::string> FilesBelow(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[Narrow(entry.path().lexically_relative(root).wstring())] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

class SecondVisit : public ::testing::Test {
 protected:
  const std::vector<std::string> names_{"01-05-08_0100.jpg", "05-12-07_0012.jpg",
                                        "05-12-07_0013.jpg", "14-02-09_0200.jpg"};

  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes(kProfileCp1251));
    int side = 16;
    for (const auto& name : names_) {
      const auto jpeg = testing::MakeJpeg(testing::Quarters(side * 4, side * 3));
      p_.Phone().AddFile("a/mobile/picture/" + name, std::string(jpeg.begin(), jpeg.end()));
      side += 8;
    }
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    root_ = p_.Folder() / L"Архив";
    p_.Type(p_.Form1().DirectoryEdit1, Narrow(root_.wstring()));
  }

  std::vector<BoxSeen> Download() {
    BoxCloser closer;
    p_.Click(p_.Form1().BitBtn2);
    return closer.Stop();
  }
  int PhoneCalls(const std::string& call) {
    const std::vector<std::string> calls = p_.Phone().Calls();
    return int(std::count(calls.begin(), calls.end(), call));
  }
  // One letter a row as the grid's window shows its File column: "g" when the name is drawn in
  // the system's grey text colour only, "t" in the window text colour only, "?" otherwise.
  std::string RowLooks(const char* saveAs) {
    HWND grid = Hwnd(p_.Form1().GridView1);
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Capture c = CaptureClient(grid);
    c.Save(fs::path(ZV_CAPTURE_DIR) / saveAs);
    const std::uint32_t grey = Rgb(GetSysColor(COLOR_GRAYTEXT));
    const std::uint32_t text = Rgb(GetSysColor(COLOR_WINDOWTEXT));
    std::string looks;
    for (int row = 0; row < p_.Form1().GridView1.RowCount(); ++row) {
      int greys = 0, texts = 0;
      const int left = kIndicator + 3 * kNarrowColumn + 2, top = kHeader + kRowPitch * row;
      for (int y = top + 1; y < top + kRowPitch - 1; ++y)
        for (int x = left; x < left + 60; ++x) {
          greys += c.At(x, y) == grey;
          texts += c.At(x, y) == text;
        }
      looks += greys > 20 && texts == 0 ? 'g' : texts > 20 && greys == 0 ? 't' : '?';
    }
    return looks;
  }

  ProgramHarness p_;
  fs::path root_;
};

TEST_F(SecondVisit, ListRunListRunThenDeleteEverything) {
  p_.Click(p_.Form1().BitBtn1);
  ASSERT_EQ(p_.GridNames(), names_);
  EXPECT_EQ(RowLooks("second_visit_1_listed.bmp"), "tttt");
  std::vector<BoxSeen> boxes = Download();
  ASSERT_EQ(boxes.size(), 1u);
  const auto archived = FilesBelow(root_);
  ASSERT_EQ(archived.size(), 4u);
  const auto written = WriteTimes(root_);
  EXPECT_EQ(RowLooks("second_visit_2_archived.bmp"), "gggg");

  p_.Click(p_.Form1().BitBtn1);
  ASSERT_EQ(p_.GridNames(), names_);
  EXPECT_EQ(RowLooks("second_visit_3_listed_again.bmp"), "gggg");
  for (int row = 0; row < 4; ++row) {
    EXPECT_TRUE(p_.Form1().GridView1.CellAt(kDownLoadColumn, row).AsBoolean());
    EXPECT_FALSE(p_.Form1().GridView1.CellAt(kDeleteColumn, row).AsBoolean());
  }
  p_.Phone().ClearLog();
  boxes = Download();
  EXPECT_EQ(PhoneCalls("File_Create"), 0);
  EXPECT_EQ(PhoneCalls("File_Read"), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find("Скачано фотографий: 4\rУдалено фотографий: 0"), std::string::npos)
      << boxes[0].Text;
  EXPECT_EQ(FilesBelow(root_), archived);
  EXPECT_EQ(RowLooks("second_visit_4_run_again.bmp"), "gggg");

  // Every delete box ticked with the mouse on the Delete header's cell.
  const int deleteHeaderX = kIndicator + 2 * kNarrowColumn + kNarrowColumn / 2;
  p_.GridClick(deleteHeaderX, kHeader / 2);
  for (int row = 0; row < 4; ++row)
    ASSERT_TRUE(p_.Form1().GridView1.CellAt(kDeleteColumn, row).AsBoolean()) << row;
  p_.Phone().ClearLog();
  boxes = Download();
  EXPECT_EQ(PhoneCalls("File_Read"), 4);
  EXPECT_EQ(PhoneCalls("File_Delete"), 4);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].Text.find("Скачано фотографий: 4\rУдалено фотографий: 4"), std::string::npos)
      << boxes[0].Text;
  EXPECT_EQ(FilesBelow(root_), archived);
  EXPECT_EQ(WriteTimes(root_), written);
  EXPECT_TRUE(p_.GridNames().empty());
  for (const auto& name : names_)
    EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/" + name).has_value()) << name;
}

// On a Russian Windows, an archive that an English one started: the photos it holds under
// English month and day folders are shown grey and not read again, and the summary is the
// Russian one.
TEST_F(SecondVisit, PhotosArchivedUnderEnglishNamesAreKnownOnARussianWindows) {
  ASSERT_EQ(UiLanguage(), Language::ru) << "this suite runs with LANG=ru_RU.UTF-8";
  const std::map<std::string, const char*> days{{"01-05-08", "May 2008/01 May"},
                                                {"05-12-07", "December 2007/05 December"},
                                                {"14-02-09", "February 2009/14 February"}};
  for (const auto& name : names_) {
    const fs::path folder = root_ / kProfileCp1251 / days.at(name.substr(0, 8));
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        << *p_.Phone().FileBytes("a/mobile/picture/" + name);
  }
  const auto archived = FilesBelow(root_);
  p_.Click(p_.Form1().BitBtn1);
  ASSERT_EQ(p_.GridNames(), names_);
  EXPECT_EQ(RowLooks("second_visit_english_archive.bmp"), "gggg");
  p_.Phone().ClearLog();
  const std::vector<BoxSeen> boxes = Download();
  EXPECT_EQ(PhoneCalls("File_Read"), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            "Фотографии уcпешно скачаны!\r\rПуть сохранения: " + Narrow(root_.wstring()) +
                "\\\rСкачано фотографий: 4\rУдалено фотографий: 0");
  EXPECT_EQ(FilesBelow(root_), archived);
}

}  // namespace
}  // namespace zv::e2e
