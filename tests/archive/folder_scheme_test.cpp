// The archive's folder names and the level-by-level folder creation.
#include "archive/folder_scheme.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fake_file_system.h"
#include "local_files.h"
#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

TEST(FolderScheme, ExampleRows) {
  struct Case {
    const char* name;
    const char* month;
    const char* day;
    const char* folder;
  };
  const Case cases[] = {
      {"05-12-07_0012", "Декабрь 2007", "05 декабря",
       "C:\\MobileFoto\\Phone1\\Декабрь 2007\\05 декабря"},
      {"31-01-99_0001", "Январь 2099", "31 января",
       "C:\\MobileFoto\\Phone1\\Январь 2099\\31 января"},
      {"01-05-08_0100", "Май 2008", "01 мая", "C:\\MobileFoto\\Phone1\\Май 2008\\01 мая"},
      // Digits are not validated: whatever stands at the day and year places is copied.
      {"ab-10-xy_", "Октябрь 20xy", "ab октября",
       "C:\\MobileFoto\\Phone1\\Октябрь 20xy\\ab октября"},
      {"09- 9-07_1", "Сентябрь 2007", "09 сентября",
       "C:\\MobileFoto\\Phone1\\Сентябрь 2007\\09 сентября"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MonthFolderName(c.name), c.month) << c.name;
    EXPECT_EQ(DayFolderName(c.name), c.day) << c.name;
    EXPECT_EQ(ArchiveFolder("C:\\MobileFoto", "Phone1", c.name), c.folder) << c.name;
  }
}

TEST(FolderScheme, PathsJoinedAsTheyStand) {
  EXPECT_EQ(ArchiveFilePath("C:\\MobileFoto\\", "Phone1", "05-12-07_0012.jpg"),
            "C:\\MobileFoto\\\\Phone1\\Декабрь 2007\\05 декабря\\05-12-07_0012.jpg");
  EXPECT_EQ(ArchiveFolder("", "Phone1", "01-05-08_1"), "\\Phone1\\Май 2008\\01 мая");
  EXPECT_EQ(ArchiveFolder("D:\\a", " P ", "01-05-08_1"), "D:\\a\\ P \\Май 2008\\01 мая");
  // An 8-bit Cyrillic photo name comes out as UTF-8.
  EXPECT_EQ(ArchiveFilePath("R", "P", Utf8ToCp1251("01-05-08_фото")),
            "R\\P\\Май 2008\\01 мая\\01-05-08_фото");
}

TEST(FolderScheme, BadMonthsEndWithAnErrorNamingThem) {
  struct Case {
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      {"01-xx-07_1", "'xx' is not a valid integer value"},
      {"01-1a-07_1", "'1a' is not a valid integer value"},
      {"01-  -07_1", "'  ' is not a valid integer value"},
      {"01-00-07_1", "Неверный месяц 0 в имени фотографии 01-00-07_1"},
      {"01-13-07_1", "Неверный месяц 13 в имени фотографии 01-13-07_1"},
      {"01--1-07_1", "Неверный месяц -1 в имени фотографии 01--1-07_1"},
      {"01-99-07_1", "Неверный месяц 99 в имени фотографии 01-99-07_1"},
  };
  for (const auto& c : cases) {
    try {
      MonthFolderName(c.name);
      ADD_FAILURE() << "no error for " << c.name;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_THROW(DayFolderName(c.name), EConvertError) << c.name;
  }
}

TEST(CreateFolderPath, EmptyAndLoneBackslashCreateNothing) {
  for (const char* path : {"", "\\"}) {
    testing::FakeFileSystem fs;
    EXPECT_FALSE(CreateFolderPath(fs, path)) << path;
    EXPECT_TRUE(fs.log.empty()) << path;
  }
}

TEST(CreateFolderPath, TestsEveryLevelFromTheTopAndCreatesOnlyMissingOnes) {
  testing::FakeFileSystem fs;
  fs.dirs = {"C:", "C:\\MobileFoto"};
  const std::string path = "C:\\MobileFoto\\Phone1\\Декабрь 2007\\05 декабря";
  ASSERT_TRUE(CreateFolderPath(fs, path));
  const std::vector<std::string> first = {
      "exists C:\\",
      "exists C:\\MobileFoto\\",
      "exists C:\\MobileFoto\\Phone1\\",
      "mkdir C:\\MobileFoto\\Phone1\\",
      "exists C:\\MobileFoto\\Phone1\\Декабрь 2007\\",
      "mkdir C:\\MobileFoto\\Phone1\\Декабрь 2007\\",
      "exists C:\\MobileFoto\\Phone1\\Декабрь 2007\\05 декабря\\",
      "mkdir C:\\MobileFoto\\Phone1\\Декабрь 2007\\05 декабря\\"};
  EXPECT_EQ(fs.log, first);
  fs.log.clear();
  ASSERT_TRUE(CreateFolderPath(fs, path + "\\"));  // a trailing "\" changes nothing
  EXPECT_EQ(fs.log.size(), 5u);
  for (const auto& line : fs.log) EXPECT_EQ(line.rfind("exists ", 0), 0u) << line;
}

TEST(CreateFolderPath, FileInTheWayFailsAndKeepsUpperLevels) {
  testing::FakeFileSystem fs;
  fs.dirs = {"C:"};
  fs.files["C:\\A\\B"] = "x";
  EXPECT_FALSE(CreateFolderPath(fs, "C:\\A\\B\\C"));
  EXPECT_TRUE(fs.dirs.count("C:\\A"));
  EXPECT_FALSE(fs.dirs.count("C:\\A\\B\\C"));
  EXPECT_EQ(fs.log.back(), "mkdir C:\\A\\B\\");
}

// The same on the real file system: a temporary folder as the top.
TEST(CreateFolderPath, LocalFolders) {
  testing::TempDir top;
  auto files = testing::MakeLocalFileSystem();
  const std::string root = top.Utf8();
  const std::string path = root + "\\Phone1\\Декабрь 2007\\05 декабря";
  EXPECT_TRUE(CreateFolderPath(*files, path));
  EXPECT_TRUE(std::filesystem::is_directory(top.Below("Phone1/Декабрь 2007/05 декабря")));
  EXPECT_TRUE(CreateFolderPath(*files, path));
  // A root with a trailing backslash gives a doubled separator, which still names the folder.
  EXPECT_TRUE(CreateFolderPath(*files, root + "\\\\Phone2\\x"));
  EXPECT_TRUE(std::filesystem::is_directory(top.Below("Phone2/x")));
  std::ofstream(top.Below("file")) << "x";
  EXPECT_FALSE(CreateFolderPath(*files, root + "\\file\\below"));
  EXPECT_TRUE(std::filesystem::is_regular_file(top.Below("file")));
}

}  // namespace
}  // namespace zv
