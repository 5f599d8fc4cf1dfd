// The download run when something fails: the phone (failing or short reads, a phone that goes
// away, a refused delete) or the archive (a file in place of a folder, access denied, a disk
// that fills up). A photo is never deleted on the phone without its complete copy, no partial
// file remains, and the grid, the panels and the indicator tell what really happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>

#include "fake_file_system.h"
#include "phone/photo_bytes.h"
#include "run_fixture.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::ByStyle;

// Every case in both result styles of the phone library.
class DownloadFaults : public ByStyle {
 protected:
  // Three photos of 100 bytes, both boxes checked on each.
  void ListThreeToMove() {
    for (const char* n : kNames) AddPhoto(n, 100);
    List();
    for (int row = 0; row < 3; ++row) Check(kDeleteColumn, row, true);
  }
  bool OnPhone(const std::string& name) {
    return phone.FileBytes("/a/mobile/picture/" + name).has_value();
  }
  static constexpr const char* kNames[3] = {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg"};
};

// The phone fails on the first photo in one of several ways: that photo stays on the phone and
// in the grid with no archive file, the others are moved, and a box after the summary names it.
TEST_P(DownloadFaults, PhoneFailuresKeepThePhotoAndAreNamed) {
  for (const char* call : {"File_Create", "File_Read", "File_Close"}) {
    SCOPED_TRACE(call);
    ListThreeToMove();
    phone.FailCall(call, 1);
    boxes.messages.clear();
    busyLog.clear();
    const DownloadRunResult r = Run();
    EXPECT_EQ(r.DownloadedCount, 2);
    EXPECT_EQ(r.DeletedCount, 2);
    EXPECT_TRUE(OnPhone(kNames[0]));
    EXPECT_FALSE(OnPhone(kNames[1]));
    EXPECT_EQ(GridNames(), (std::vector<std::string>{kNames[0]}));
    EXPECT_FALSE(std::filesystem::exists(ArchiveFile("Февраль 2008/01 февраля")));
    EXPECT_TRUE(std::filesystem::exists(ArchiveFile("Февраль 2008/03 февраля/03-02-08_3.jpg")));
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(boxes.messages[0], DownloadSummaryText(TextId::NotAllDownloaded, root, 2, 2));
    EXPECT_EQ(boxes.messages[1], "Не удалось скачать фотографии:\r01-02-08_1.jpg");
    EXPECT_EQ(busyLog, (std::vector<bool>{true, false}));
    // The next case starts afresh.
    phone.ClearFaults();
    phone.RemoveFile(std::string("/a/mobile/picture/") + kNames[0]);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
}

// The summary's first line says whether every checked photo was downloaded: a photo left on the
// phone, for whatever reason, takes "successfully" away, in either language; a run that
// downloaded them all keeps the summary as it has always read, byte for byte.
TEST_P(DownloadFaults, TheSummaryClaimsSuccessOnlyWhenEveryCheckedPhotoWasDownloaded) {
  struct Case {
    const char* what;
    Language language;
    std::function<void()> spoil;  // what keeps the first photo on the phone; empty: nothing
    const char* firstLine;
  } cases[] = {
      {"all downloaded", Language::ru, {}, "Фотографии у\x63пешно скачаны!"},
      {"all downloaded", Language::en, {}, "Photos downloaded successfully!"},
      {"a failed read", Language::ru, [this] { phone.FailCall("File_Read", 1); },
       "Скачаны не все фотографии."},
      {"a failed read", Language::en, [this] { phone.FailCall("File_Read", 1); },
       "Not all photos were downloaded."},
      {"a photo over the size limit", Language::ru,
       [this] { grid.CellAt(kSizeColumn, 0).SetAsInteger(kMaxPhotoSize + 1); },
       "Скачаны не все фотографии."},
      {"a photo over the size limit", Language::en,
       [this] { grid.CellAt(kSizeColumn, 0).SetAsInteger(kMaxPhotoSize + 1); },
       "Not all photos were downloaded."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + (c.language == Language::ru ? " (ru)" : " (en)"));
    SetUiLanguage(c.language);
    ListThreeToMove();
    if (c.spoil) c.spoil();
    boxes.messages.clear();
    const DownloadRunResult r = Run();
    ASSERT_FALSE(boxes.messages.empty());
    const std::string& summary = boxes.messages[0];
    EXPECT_EQ(summary.substr(0, summary.find('\r')), c.firstLine);
    if (!c.spoil) {
      EXPECT_EQ(r.DownloadedCount, 3);
      EXPECT_EQ(summary, DownloadSummaryText(root, 3, 3));
    } else {
      EXPECT_TRUE(OnPhone(kNames[0]));
      EXPECT_EQ(boxes.messages.size(), 2u);  // the box that names it
    }
    phone.ClearFaults();
    for (const char* n : kNames) phone.RemoveFile(std::string("/a/mobile/picture/") + n);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
  SetUiLanguage(Language::ru);
}

TEST_P(DownloadFaults, ShortReadKeepsThePhotoAndAnEarlierCopy) {
  ListThreeToMove();
  // A good earlier copy of the first photo must survive a failed read.
  std::filesystem::create_directories(ArchiveFile("Февраль 2008/01 февраля"));
  const std::string good = PhotoBytes(kNames[0], 100);
  { std::ofstream(ArchiveFile("Февраль 2008/01 февраля/01-02-08_1.jpg")) << good; }
  phone.ShortReads(60);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(r.DeletedCount, 0);
  for (const char* n : kNames) EXPECT_TRUE(OnPhone(n)) << n;
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(std::filesystem::file_size(ArchiveFile("Февраль 2008/01 февраля/01-02-08_1.jpg")),
            100u);
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1],
            "Не удалось скачать фотографии:\r01-02-08_1.jpg\r02-02-08_2.jpg\r03-02-08_3.jpg");
}

TEST_P(DownloadFaults, PhoneDetachedMidRun) {
  ListThreeToMove();
  // Create, Read, Close, Delete of the first photo, then the phone goes.
  phone.ChangeStatusAfter(4, 0);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DownloadedCount, 1);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_FALSE(OnPhone(kNames[0]));
  EXPECT_TRUE(OnPhone(kNames[1]));
  EXPECT_TRUE(OnPhone(kNames[2]));
  EXPECT_EQ(GridNames(), (std::vector<std::string>{kNames[1], kNames[2]}));
  // Nothing was sent for the photos that could not be read.
  std::vector<std::string> calls = phone.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "File_Delete"), 1);
  // One message says what happened; no box names the photos left on the phone one by one.
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0],
            "Телефон отключился, скачивание прервано. Остальные фотографии остались на "
            "телефоне.\r\rПуть сохранения: " + root + "\\\rСкачано фотографий: 1\r"
            "Удалено фотографий: 1");
  EXPECT_TRUE(r.phoneGone);
  // The run ended at the first failed call and the status call that found the phone gone.
  EXPECT_EQ(calls.back(), "P2K_GetStatus");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "File_Create"), 2);
}

TEST_P(DownloadFaults, RefusedDeleteKeepsTheRowAndIsNamed) {
  ListThreeToMove();
  phone.FailCall("File_Delete", 1);
  const DownloadRunResult r = Run();
  EXPECT_EQ(r.DownloadedCount, 3);
  EXPECT_EQ(r.DeletedCount, 2);
  EXPECT_EQ(GridNames(), (std::vector<std::string>{kNames[0]}));
  EXPECT_EQ(panels[2], "Фотографий: 1");
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1], "Не удалось удалить фотографии:\r01-02-08_1.jpg");
}

// The second photo's day folder is a file: the file cannot be created and the run ends with
// "Invalid filename". The first photo's move is complete and its row gone.
TEST_P(DownloadFaults, FileInPlaceOfTheDayFolderEndsTheRun) {
  ListThreeToMove();
  std::filesystem::create_directories(ArchiveFile("Февраль 2008"));
  { std::ofstream(ArchiveFile("Февраль 2008/02 февраля")) << "in the way"; }
  try {
    Run();
    ADD_FAILURE() << "the run did not end";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid filename");
  }
  EXPECT_FALSE(OnPhone(kNames[0]));
  EXPECT_TRUE(OnPhone(kNames[1]));
  EXPECT_TRUE(OnPhone(kNames[2]));
  EXPECT_EQ(GridNames(), (std::vector<std::string>{kNames[1], kNames[2]}));
  EXPECT_EQ(panels[2], "Фотографий: 2");
  EXPECT_EQ(busyLog, (std::vector<bool>{true, false}));
  EXPECT_TRUE(boxes.messages.empty());  // no summary after an error
  std::vector<std::string> calls = phone.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "File_Delete"), 1);
}

// The archive refuses writes (access denied), or the disk fills up in the middle of the second
// photo: the run ends with the runtime's text, no partial file remains, and only the first
// photo, whose copy is complete, has left the phone and the grid.
TEST_P(DownloadFaults, ArchiveErrorsEndTheRunCleanly) {
  struct Case {
    const char* what;
    long long space;
    bool denyAll;
    std::string text;
    int moved;
  };
  const Case cases[] = {
      {"read-only archive", -1, true, "File access denied", 0},
      {"disk full in the second photo", 150, false, "Disk full", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ListThreeToMove();
    testing::FakeFileSystem files;
    files.dirs.insert(root);
    files.spaceLeft = c.space;
    if (c.denyAll) files.denyCreate = true;
    busyLog.clear();
    DownloadRunHost host = RunHostFor(files);
    try {
      RunDownload(host);
      ADD_FAILURE() << "the run did not end";
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), c.text);
    }
    EXPECT_EQ(grid.RowCount(), 3 - c.moved);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(OnPhone(kNames[i]), i >= c.moved) << kNames[i];
    for (const auto& [path, bytes] : files.files) {
      EXPECT_EQ(path.find(".part"), std::string::npos) << path;
      EXPECT_EQ(bytes.size(), 100u) << path;
    }
    EXPECT_EQ(files.files.size(), static_cast<size_t>(c.moved));
    EXPECT_EQ(busyLog, (std::vector<bool>{true, false}));
    EXPECT_TRUE(boxes.messages.empty());
    for (const char* n : kNames) phone.RemoveFile(std::string("/a/mobile/picture/") + n);
  }
}

TEST_P(DownloadFaults, MonthThatIsNoMonthEndsTheRunNamingThePhoto) {
  AddPhoto("01-02-08_1.jpg", 10);
  AddPhoto("01-13-08_2.jpg", 10);
  List();
  Check(kDeleteColumn, 0, true);
  Check(kDeleteColumn, 1, true);
  try {
    Run();
    ADD_FAILURE() << "the run did not end";
  } catch (const EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "Неверный месяц 13 в имени фотографии 01-13-08_2.jpg");
  }
  EXPECT_FALSE(OnPhone("01-02-08_1.jpg"));
  EXPECT_TRUE(OnPhone("01-13-08_2.jpg"));
  EXPECT_EQ(GridNames(), (std::vector<std::string>{"01-13-08_2.jpg"}));
}

ZV_IN_BOTH_RESULT_STYLES(DownloadFaults);

}  // namespace
}  // namespace zv
