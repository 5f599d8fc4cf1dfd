// The archive's folder names in the user's language, and an archive that keeps the language it
// was started in: new photos go to the folders of the months already there, and a photo filed
// under the other language's folders is found there and never filed twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive/archive_check.h"
#include "archive/folder_scheme.h"
#include "fake_file_system.h"
#include "run_fixture.h"
#include "ui/lang/texts.h"

namespace zv {
namespace {

using testing::FakeFileSystem;

constexpr const char* kRoot = "C:\\Фото";

TEST(FolderLanguage, EnglishNamesAreShapedAsTheRussianOnes) {
  const struct {
    const char* name;
    const char* month;
    const char* day;
  } cases[] = {{"05-12-07_0012", "December 2007", "05 December"},
               {"31-01-99_0001", "January 2099", "31 January"},
               {"01-05-08_0100", "May 2008", "01 May"},
               {"09-09-10_0100", "September 2010", "09 September"}};
  for (const auto& c : cases) {
    EXPECT_EQ(MonthFolderName(c.name, Language::en), c.month);
    EXPECT_EQ(DayFolderName(c.name, Language::en), c.day);
  }
  EXPECT_EQ(ArchiveFilePath("C:\\MobileFoto", "Phone1", "05-12-07_0012.jpg", Language::en),
            "C:\\MobileFoto\\Phone1\\December 2007\\05 December\\05-12-07_0012.jpg");
  EXPECT_TRUE(IsMonthFolderName("Декабрь 2007", Language::ru));
  EXPECT_FALSE(IsMonthFolderName("Декабрь 2007", Language::en));
  EXPECT_TRUE(IsMonthFolderName("May 2008", Language::en));
  EXPECT_FALSE(IsMonthFolderName("May 2008 old", Language::en));
  EXPECT_FALSE(IsMonthFolderName("May 1999", Language::en));
  EXPECT_FALSE(IsMonthFolderName("Mayday 2008", Language::en));
}

class ArchiveLanguage : public testing::RunFixture {
 protected:
  ArchiveLanguage() {
    root = kRoot;
    files.dirs = {"C:", "C:\\Фото"};
  }
  ~ArchiveLanguage() override { SetUiLanguage(Language::ru); }
  // A folder below the profile folder, with every level above it.
  void Folder(const std::string& below) {
    std::string path = std::string(kRoot) + "\\Phone1";
    files.dirs.insert(path);
    for (size_t at = 0; at != std::string::npos;) {
      const size_t next = below.find('\\', at);
      path += "\\" + below.substr(at, next == std::string::npos ? std::string::npos : next - at);
      files.dirs.insert(path);
      at = next == std::string::npos ? next : next + 1;
    }
  }
  // A copy of the phone's photo `photo` under the file name `name`.
  void Put(const std::string& below, const std::string& name, const std::string& photo,
           size_t size) {
    Folder(below);
    files.files[std::string(kRoot) + "\\Phone1\\" + below + "\\" + name] = PhotoBytes(photo, size);
  }
  DownloadRunResult RunOnFake() {
    DownloadRunHost host = RunHostFor(files);
    return RunDownload(host);
  }
  std::vector<std::string> FilesBelowProfile() {
    std::vector<std::string> found;
    const std::string top = std::string(kRoot) + "\\Phone1\\";
    for (const auto& [path, bytes] : files.files)
      if (path.rfind(top, 0) == 0) found.push_back(path.substr(top.size()));
    return found;
  }

  FakeFileSystem files;
};

TEST_F(ArchiveLanguage, NewPhotosGoToTheLanguageOfTheMonthFoldersThere) {
  const struct {
    const char* what;
    std::vector<std::string> months;  // month folders the profile folder holds before the run
    Language window;
    const char* filed;
  } cases[] = {
      {"a new archive, English window", {}, Language::en, "December 2007\\05 December"},
      {"a new archive, Russian window", {}, Language::ru, "Декабрь 2007\\05 декабря"},
      {"a Russian archive, English window", {"Май 2008"}, Language::en, "Декабрь 2007\\05 декабря"},
      {"an English archive, Russian window",
       {"May 2008"},
       Language::ru,
       "December 2007\\05 December"},
      {"other folders do not count", {"Misc", "2007"}, Language::en, "December 2007\\05 December"},
      {"both: the window decides",
       {"May 2008", "Май 2008"},
       Language::en,
       "December 2007\\05 December"},
      {"both: the window decides",
       {"May 2008", "Май 2008"},
       Language::ru,
       "Декабрь 2007\\05 декабря"},
  };
  AddPhoto("05-12-07_0012.jpg", 300);
  AddPhoto("05-12-07_0013.jpg", 400);
  List();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    files.files.clear();
    files.dirs = {"C:", "C:\\Фото"};
    for (const std::string& month : c.months) Folder(month);
    SetUiLanguage(c.window);
    const DownloadRunResult r = RunOnFake();
    EXPECT_EQ(r.DownloadedCount, 2);
    // Both photos of the run in one language's folders, the first having made them.
    EXPECT_EQ(FilesBelowProfile(),
              (std::vector<std::string>{std::string(c.filed) + "\\05-12-07_0012.jpg",
                                        std::string(c.filed) + "\\05-12-07_0013.jpg"}));
  }
}

// An archive of both languages' folders (the window speaks Russian, so new photos go to Russian
// folders): the photo that the English day folder holds is the same photo.
TEST_F(ArchiveLanguage, APhotoUnderTheOtherLanguagesDayFolderIsFoundThere) {
  SetUiLanguage(Language::ru);
  AddPhoto("05-12-07_0012.jpg", 300);
  AddPhoto("05-12-07_0013.jpg", 400);
  Folder("Май 2008");
  Put("December 2007\\05 December", "05-12-07_0012.jpg", "05-12-07_0012.jpg", 300);
  Put("December 2007\\05 December", "05-12-07_0013 (2).jpg", "05-12-07_0013.jpg", 400);
  List();

  ArchivedPhotos marks;
  marks.Mark(files, kRoot, "Phone1");
  EXPECT_TRUE(marks.RowHolds(grid, RowOf("05-12-07_0012.jpg")));
  EXPECT_TRUE(marks.RowHolds(grid, RowOf("05-12-07_0013.jpg")));

  // Kept on the phone: not read again, not written again.
  const auto before = FilesBelowProfile();
  EXPECT_EQ(RunOnFake().DownloadedCount, 2);
  const std::vector<std::string> calls = phone.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "File_Read"), 0);
  EXPECT_EQ(FilesBelowProfile(), before);

  // To be deleted: read, compared with the English copy, deleted, and still not written twice.
  for (int row = 0; row < grid.RowCount(); ++row) Check(kDeleteColumn, row, true);
  const DownloadRunResult r = RunOnFake();
  EXPECT_EQ(r.DownloadedCount, 2);
  EXPECT_EQ(r.DeletedCount, 2);
  EXPECT_EQ(FilesBelowProfile(), before);
  EXPECT_EQ(grid.RowCount(), 0);
}

}  // namespace
}  // namespace zv
