// One contract for every SettingsStore: the portable INI reader/writer everywhere and, in the
// Windows tree, the system's INI functions (run under Wine). The same cases must hold for both.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "app/settings/ini_file.h"
#include "app/settings/settings_store.h"
#include "temp_dir.h"
#include "ui/errors.h"
#include "ui/text.h"
#ifdef _WIN32
#include "app/settings/win32/win32_ini_store.h"
#endif

namespace zv {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

struct StoreKind {
  const char* name;
  std::function<std::unique_ptr<SettingsStore>(const std::string&)> make;
  // Wine's INI functions rewrite the whole file from what they parsed, and blank lines do not
  // survive that (Windows keeps them). Allowed for here; every other line must stay.
  bool mayDropBlankLines;
};

std::vector<StoreKind> Kinds() {
  std::vector<StoreKind> kinds = {
      {"Portable", [](const std::string& f) { return std::make_unique<IniFileStore>(f); }, false}};
#ifdef _WIN32
  kinds.push_back(
      {"SystemIni", [](const std::string& f) { return std::make_unique<Win32IniStore>(f); }, true});
#endif
  return kinds;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class SettingsContract : public ::testing::TestWithParam<StoreKind> {
 protected:
  std::unique_ptr<SettingsStore> Store() { return GetParam().make(file_); }
  TempDir dir_;
  std::string file_ = dir_.File(kSettingsFileName);
};

TEST_P(SettingsContract, FirstRunGivesDefaultAndCreatesNoFile) {
  EXPECT_EQ(ReadGalleryPath(*Store()), "C:\\MobileFoto");
  EXPECT_FALSE(ReadBytes(file_).has_value());
}

TEST_P(SettingsContract, ReadsWhatTheFileHolds) {
  struct Case {
    const char* what;
    std::string content;   // Windows-1251 bytes
    std::string expected;  // UTF-8
  };
  const Case cases[] = {
      {"plain", "[Options]\r\nGalleryPath=D:\\Photos\r\n", "D:\\Photos"},
      {"empty value stays empty", "[Options]\r\nGalleryPath=\r\n", ""},
      {"missing key", "[Options]\r\nOther=1\r\n", "C:\\MobileFoto"},
      {"key in another section", "[Other]\r\nGalleryPath=X\r\n", "C:\\MobileFoto"},
      {"empty file", "", "C:\\MobileFoto"},
      {"letter case of names", "[oPTIONS]\r\ngallerypath=E:\\A\r\n", "E:\\A"},
      {"spaces trimmed", "[Options]\r\n  GalleryPath  =   E:\\A B  \r\n", "E:\\A B"},
      {"one pair of quotes", "[Options]\r\nGalleryPath=\"E:\\Q\"\r\n", "E:\\Q"},
      {"Cyrillic", "[Options]\r\nGalleryPath=D:\\\xD4\xEE\xF2\xEE\r\n", "D:\\Фото"},
      {"second section", "[A]\r\nGalleryPath=X\r\n\r\n[Options]\r\nGalleryPath=Y\r\n", "Y"},
      {"bare line breaks, no final break", "[Options]\nGalleryPath=Z", "Z"},
  };
  for (const Case& c : cases) {
    WriteBytes(file_, c.content);
    EXPECT_EQ(ReadGalleryPath(*Store()), c.expected) << c.what;
  }
}

TEST_P(SettingsContract, LongValueIsCutAt2047Characters) {
  WriteBytes(file_, "[Options]\r\nGalleryPath=" + std::string(3000, 'a') + "\r\n");
  EXPECT_EQ(ReadGalleryPath(*Store()), std::string(2047, 'a'));
}

TEST_P(SettingsContract, FirstWriteCreatesTheFile) {
  WriteGalleryPath(*Store(), "D:\\Фото");
  EXPECT_EQ(ReadBytes(file_), "[Options]\r\nGalleryPath=D:\\\xD4\xEE\xF2\xEE\r\n");
}

TEST_P(SettingsContract, ChosenFolderIsThereAfterRestart) {
  const std::string folders[] = {"D:\\Photos", "C:\\Архив фото\\Ёлка №1", "E:\\"};
  for (const std::string& folder : folders) {
    WriteGalleryPath(*Store(), folder);
    EXPECT_EQ(ReadGalleryPath(*Store()), folder);  // a new store: nothing kept in memory
  }
}

TEST_P(SettingsContract, WriteKeepsEveryOtherLine) {
  const std::string original =
      "; settings of the program\r\n"
      "[Window]\r\n"
      "Left=10\r\n"
      "\r\n"
      "[Options]\r\n"
      "; where the photos go\r\n"
      "GalleryPath=C:\\Old\r\n"
      "Keep=yes\r\n"
      "\r\n"
      "[Extra]\r\n"
      "Name=\xD4\xEE\xF2\xEE\r\n";
  WriteBytes(file_, original);
  WriteGalleryPath(*Store(), "D:\\New");

  EXPECT_EQ(ReadGalleryPath(*Store()), "D:\\New");
  EXPECT_EQ(Store()->ReadString("Window", "Left", "?"), "10");
  EXPECT_EQ(Store()->ReadString("Options", "Keep", "?"), "yes");
  EXPECT_EQ(Store()->ReadString("Extra", "Name", "?"), "Фото");

  // Every line but the old setting is still there, in its order.
  const auto written = ReadBytes(file_);
  ASSERT_TRUE(written.has_value());
  const std::vector<std::string> after = Lines(*written);
  size_t at = 0;
  for (const std::string& line : Lines(original)) {
    if (line == "GalleryPath=C:\\Old") continue;
    if (line.empty() && GetParam().mayDropBlankLines) continue;
    while (at < after.size() && after[at] != line) ++at;
    EXPECT_LT(at, after.size()) << "lost line: \"" << line << "\" in:\n" << *written;
    if (at < after.size()) ++at;
  }
}

TEST_P(SettingsContract, WriteAddsSectionOrKeyWhereMissing) {
  struct Case {
    const char* what;
    std::string content;
  };
  const Case cases[] = {
      {"no section, no final line break", "[Window]\r\nLeft=10"},
      {"section without the key", "[Options]\r\nKeep=yes\r\n[Window]\r\nLeft=10\r\n"},
      {"section with only a header", "[Window]\r\nLeft=10\r\n[Options]\r\n"},
  };
  for (const Case& c : cases) {
    WriteBytes(file_, c.content);
    WriteGalleryPath(*Store(), "D:\\Added");
    EXPECT_EQ(ReadGalleryPath(*Store()), "D:\\Added") << c.what;
    EXPECT_EQ(Store()->ReadString("Window", "Left", "?"), "10") << c.what;
  }
}

TEST_P(SettingsContract, UpdateInAnotherLetterCaseKeepsTheFilesSpelling) {
  WriteBytes(file_, "[OPTIONS]\r\ngallerypath=C:\\Old\r\n");
  WriteGalleryPath(*Store(), "D:\\New");
  EXPECT_EQ(ReadBytes(file_), "[OPTIONS]\r\ngallerypath=D:\\New\r\n");
}

TEST_P(SettingsContract, FileInACyrillicFolder) {
  const std::string folder = dir_.File("Фото");
  std::filesystem::create_directory(testing_support::Utf8Path(folder));
  const std::string file = folder + "/" + kSettingsFileName;
  auto store = GetParam().make(file);
  WriteGalleryPath(*store, "D:\\Снимки");
  EXPECT_EQ(ReadGalleryPath(*GetParam().make(file)), "D:\\Снимки");
  EXPECT_EQ(ReadBytes(file), "[Options]\r\nGalleryPath=D:\\\xD1\xED\xE8\xEC\xEA\xE8\r\n");
}

TEST_P(SettingsContract, FailedWriteRaisesWithTheFullFileName) {
  const std::string file = dir_.File("missing-folder/" + std::string(kSettingsFileName));
  auto store = GetParam().make(file);
  try {
    WriteGalleryPath(*store, "D:\\Photos");
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
  }
}

TEST_P(SettingsContract, FolderInTheFilesPlaceReadsAsDefaultAndCannotBeWritten) {
  std::filesystem::create_directory(testing_support::Utf8Path(file_));
  EXPECT_EQ(ReadGalleryPath(*Store()), "C:\\MobileFoto");
  EXPECT_THROW(WriteGalleryPath(*Store(), "D:\\Photos"), EIniFileException);
  EXPECT_TRUE(std::filesystem::is_directory(testing_support::Utf8Path(file_)));
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsContract, ::testing::ValuesIn(Kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFile, LivesBesideTheExecutable) {
  EXPECT_EQ(SettingsFileBeside("C:\\Program Files\\Z\\zarvelinthoscope.exe"),
            "C:\\Program Files\\Z\\Zarvelinthoscope.ini");
  EXPECT_EQ(SettingsFileBeside("/opt/z/zarvelinthoscope"), "/opt/z/Zarvelinthoscope.ini");
  EXPECT_EQ(SettingsFileBeside("D:\\Фото\\z.exe"), "D:\\Фото\\Zarvelinthoscope.ini");
}

}  // namespace
}  // namespace zv
