// The download-and-delete run against the simulated phone and a temporary archive.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "archive/run_progress.h"
#include "fake_file_system.h"
#include "run_fixture.h"

namespace zv {
namespace {

using testing::ReadAll;

using testing::ByStyle;

// Every case in both result styles of the phone library.
class DownloadRun : public ByStyle {};

TEST_P(DownloadRun, EmptyGridReadsNothingAndReportsZero) {
  phone.AddFile("/a/other.txt", "x");
  List();
  ASSERT_EQ(grid.RowCount(), 0);
  const DownloadRunResult r = Run();
  EXPECT_TRUE(phone.Calls().empty());
  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(r.DeletedCount, 0);
  EXPECT_EQ(panels[1], "Найдено файлов: 1");
  EXPECT_EQ(panels[2], "Фотографий: 0");
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], DownloadSummaryText(root, 0, 0));
  EXPECT_EQ(busyLog, (std::vector<bool>{true, false}));
}

TEST_P(DownloadRun, SummaryTextExactly) {
  EXPECT_EQ(DownloadSummaryText("C:\\MobileFoto", 3, 2),
            "Фотографии у\x63пешно скачаны!\r\rПуть сохранения: C:\\MobileFoto\\\r"
            "Скачано фотографий: 3\rУдалено фотографий: 2");
  // The "c" of the second word is the Latin letter, one byte.
  EXPECT_EQ(DownloadSummaryText("", 0, 0).substr(21, 3),
            "\xd1\x83"
            "c");
}

// The summary names the root with one backslash after it, whether or not the root already ends
// in one, and its first line is the one the run's end calls for; the lines after it stay.
TEST_P(DownloadRun, SummaryFirstLinesAndTheRootsBackslash) {
  struct Case {
    Language language;
    TextId firstLine;
    const char* root;
    const char* text;
  } cases[] = {
      {Language::ru, TextId::Summary, "D:\\",
       "Фотографии у\x63пешно скачаны!\r\rПуть сохранения: D:\\\rСкачано фотографий: 1\r"
       "Удалено фотографий: 0"},
      {Language::ru, TextId::Summary, "C:\\MobileFoto\\",
       "Фотографии у\x63пешно скачаны!\r\rПуть сохранения: C:\\MobileFoto\\\r"
       "Скачано фотографий: 1\rУдалено фотографий: 0"},
      {Language::ru, TextId::NotAllDownloaded, "D:\\Фото",
       "Скачаны не все фотографии.\r\rПуть сохранения: D:\\Фото\\\rСкачано фотографий: 1\r"
       "Удалено фотографий: 0"},
      {Language::en, TextId::Summary, "D:\\",
       "Photos downloaded successfully!\r\rSaved to: D:\\\rPhotos downloaded: 1\r"
       "Photos deleted: 0"},
      {Language::en, TextId::NotAllDownloaded, "C:\\MobileFoto",
       "Not all photos were downloaded.\r\rSaved to: C:\\MobileFoto\\\rPhotos downloaded: 1\r"
       "Photos deleted: 0"},
      {Language::en, TextId::RunStopped, "\\\\server\\photos\\",
       "Download stopped.\r\rSaved to: \\\\server\\photos\\\rPhotos downloaded: 1\r"
       "Photos deleted: 0"},
  };
  for (const Case& c : cases) {
    SetUiLanguage(c.language);
    EXPECT_EQ(DownloadSummaryText(c.firstLine, c.root, 1, 0), c.text) << c.root;
  }
  SetUiLanguage(Language::ru);
}

// The time left as people write it: whole minutes rounded up, and past an hour "2 h 5 min",
// not a clock's "2 h 05 min".
TEST(TimeLeftText, SecondsMinutesAndHoursAsPeopleWriteThem) {
  const struct {
    std::chrono::seconds left;
    const char* ru;
    const char* en;
  } cases[] = {
      {std::chrono::seconds(0), "осталось 1 с", "1 s left"},
      {std::chrono::seconds(59), "осталось 59 с", "59 s left"},
      {std::chrono::seconds(61), "осталось 2 мин", "2 min left"},
      {std::chrono::seconds(3600), "осталось 1 ч 0 мин", "1 h 0 min left"},
      {std::chrono::seconds(2 * 3600 + 4 * 60 + 1), "осталось 2 ч 5 мин", "2 h 5 min left"},
      {std::chrono::seconds(14 * 3600 + 14 * 60), "осталось 14 ч 14 мин", "14 h 14 min left"},
  };
  for (const auto& c : cases) {
    SetUiLanguage(Language::ru);
    EXPECT_EQ(TimeLeftText(c.left), c.ru);
    SetUiLanguage(Language::en);
    EXPECT_EQ(TimeLeftText(c.left), c.en);
  }
  SetUiLanguage(Language::ru);
}

TEST_P(DownloadRun, CopiesIntoTheDateFoldersAndDeletesAfterTheCopy) {
  AddPhoto("05-12-07_0012.jpg", 5000);
  AddPhoto("01-05-08_0100.jpg", 0);
  List();
  ASSERT_EQ(GridNames(), (std::vector<std::string>{"01-05-08_0100.jpg", "05-12-07_0012.jpg"}));
  Check(kDeleteColumn, 1, true);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DownloadedCount, 2);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_EQ(ReadAll(ArchiveFile("Декабрь 2007/05 декабря/05-12-07_0012.jpg")),
            PhotoBytes("05-12-07_0012.jpg", 5000));
  EXPECT_TRUE(std::filesystem::is_regular_file(ArchiveFile("Май 2008/01 мая/01-05-08_0100.jpg")));
  EXPECT_EQ(std::filesystem::file_size(ArchiveFile("Май 2008/01 мая/01-05-08_0100.jpg")), 0u);
  EXPECT_EQ(phone.Calls(),
            (std::vector<std::string>{"File_Create", "File_Read", "File_Close", "File_Create",
                                      "File_Read", "File_Close", "File_Delete"}));
  EXPECT_FALSE(phone.FileBytes("/a/mobile/picture/05-12-07_0012.jpg"));
  EXPECT_TRUE(phone.FileBytes("/a/mobile/picture/01-05-08_0100.jpg"));
  EXPECT_EQ(GridNames(), (std::vector<std::string>{"01-05-08_0100.jpg"}));
  // No temporary file is left beside the photos.
  for (const auto& e : std::filesystem::recursive_directory_iterator(archive.Path())) {
    EXPECT_EQ(e.path().filename().u8string().find(u8".part"), std::u8string::npos);
  }
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], DownloadSummaryText(root, 2, 1));
}

TEST_P(DownloadRun, DeleteOnlyRowIsDeletedWithoutCopy) {
  AddPhoto("05-12-07_0012.jpg");
  List();
  Check(kDownLoadColumn, 0, false);
  Check(kDeleteColumn, 0, true);
  const DownloadRunResult r = Run();
  EXPECT_EQ(phone.Calls(), (std::vector<std::string>{"File_Delete"}));
  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_EQ(grid.RowCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(archive.Below("Phone1")));
}

TEST_P(DownloadRun, MarkedRowsLeaveAndTheOthersKeepTheirOrder) {
  const std::vector<std::string> names = {"01-01-08_1", "02-01-08_2", "03-01-08_3",
                                          "04-01-08_4", "05-01-08_5", "06-01-08_6"};
  for (const auto& n : names) AddPhoto(n, 10);
  List();
  Check(kDeleteColumn, 0, true);  // rows 1 and 4, counted from 1
  Check(kDeleteColumn, 3, true);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DeletedCount, 2);
  EXPECT_EQ(GridNames(),
            (std::vector<std::string>{"02-01-08_2", "03-01-08_3", "05-01-08_5", "06-01-08_6"}));
  for (int row = 0; row < grid.RowCount(); ++row) {
    EXPECT_TRUE(grid.CellAt(kDownLoadColumn, row).AsBoolean());
    EXPECT_FALSE(grid.CellAt(kDeleteColumn, row).AsBoolean());
    EXPECT_EQ(grid.CellAt(kSizeColumn, row).AsInteger(), 10);
  }
}

TEST_P(DownloadRun, TwoRunsLowerTheStoredCountsByTheLastRunOnly) {
  for (const char* n : {"01-01-08_1", "02-01-08_2", "03-01-08_3"}) AddPhoto(n, 10);
  phone.AddFile("/a/notes.txt", "x");
  List();
  ASSERT_EQ(FoundCount, 4);
  ASSERT_EQ(PhotoCount, 3);
  Check(kDeleteColumn, 0, true);
  Run();
  EXPECT_EQ(panels[1], "Найдено файлов: 3");
  EXPECT_EQ(panels[2], "Фотографий: 2");
  Check(kDeleteColumn, 0, true);
  Check(kDeleteColumn, 1, true);
  Run();
  EXPECT_EQ(panels[1], "Найдено файлов: 2");
  EXPECT_EQ(panels[2], "Фотографий: 1");
  EXPECT_EQ(FoundCount, 4);
  EXPECT_EQ(PhotoCount, 3);
  EXPECT_EQ(grid.RowCount(), 0);
}

TEST_P(DownloadRun, EmptyRootStartsTheFolderWithABackslash) {
  AddPhoto("05-12-07_0012.jpg", 10);
  List();
  testing::FakeFileSystem files;
  root = "";
  DownloadRunHost host = RunHostFor(files);
  RunDownload(host);
  // The look into the photo's day folders comes first: a photo kept on the phone may be there.
  EXPECT_EQ(files.log[0], "list \\Phone1\\Декабрь 2007\\05 декабря");
  EXPECT_EQ(files.log[1], "list \\Phone1\\December 2007\\05 December");
  // The folders are made from the top, which is the current drive's root.
  const auto top = std::find(files.log.begin(), files.log.end(), "exists \\");
  ASSERT_NE(top, files.log.end());
  EXPECT_EQ(*(top + 1), "mkdir \\");
  EXPECT_TRUE(files.files.count("\\Phone1\\Декабрь 2007\\05 декабря\\05-12-07_0012.jpg"));
  EXPECT_EQ(boxes.messages.back(), DownloadSummaryText("", 1, 0));
}

TEST_P(DownloadRun, RefusedProfilesStartNothing) {
  AddPhoto("05-12-07_0012.jpg", 10);
  List();
  Check(kDeleteColumn, 0, true);
  struct Case {
    std::string profile, message;
  };
  const Case cases[] = {
      {"", "Профиль не определен!"},        {".", "Недопустимое имя профиля!"},
      {"..", "Недопустимое имя профиля!"},  {"..\\x", "Недопустимое имя профиля!"},
      {"a/b", "Недопустимое имя профиля!"}, {"C:", "Недопустимое имя профиля!"},
      {"a*", "Недопустимое имя профиля!"},  {"a\tb", "Недопустимое имя профиля!"},
      {"   ", "Недопустимое имя профиля!"}, {"x ", "Недопустимое имя профиля!"},
      {"x.", "Недопустимое имя профиля!"},  {"...", "Недопустимое имя профиля!"},
  };
  for (const auto& c : cases) {
    profile = c.profile;
    boxes.messages.clear();
    const DownloadRunResult r = Run();
    EXPECT_FALSE(r.started) << c.profile;
    EXPECT_EQ(boxes.messages, std::vector<std::string>{c.message}) << c.profile;
  }
  EXPECT_TRUE(phone.Calls().empty());
  EXPECT_TRUE(busyLog.empty());
  EXPECT_EQ(grid.RowCount(), 1);
  // Spaces and full stops inside the name are kept.
  profile = " Иван И. Петров";
  EXPECT_TRUE(Run().started);
  EXPECT_TRUE(std::filesystem::is_regular_file(
      archive.Below(" Иван И. Петров/Декабрь 2007/05 декабря/05-12-07_0012.jpg")));
}

ZV_IN_BOTH_RESULT_STYLES(DownloadRun);

}  // namespace
}  // namespace zv
