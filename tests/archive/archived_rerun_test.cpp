// A second visit: photos kept on the phone whose copies the archive already holds are not read
// over the phone's link again; photos to be deleted still are, and are compared byte for byte.
// Against the simulated phone (both result styles) and the recording file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fake_file_system.h"
#include "run_fixture.h"

namespace zv {
namespace {

using testing::ByStyle;
using testing::FakeFileSystem;

constexpr const char* kRoot = "C:\\Фото";
constexpr const char* kDay = "C:\\Фото\\Phone1\\Декабрь 2007\\05 декабря\\";
constexpr const char* kOtherDay = "C:\\Фото\\Phone1\\Май 2008\\01 мая\\";

class Rerun : public ByStyle {
 protected:
  Rerun() {
    root = kRoot;
    AddPhoto("05-12-07_0012.jpg", 300);
    AddPhoto("05-12-07_0013.jpg", 400);
    AddPhoto("01-05-08_0100.jpg", 500);
  }
  DownloadRunResult RunOn(FakeFileSystem& on) {
    DownloadRunHost host = RunHostFor(on);
    return RunDownload(host);
  }
  // The first visit: listed and archived, every photo kept on the phone.
  void FirstVisit() {
    List();
    ASSERT_EQ(RunOn(files).DownloadedCount, 3);
    List();
    files.log.clear();
    boxes.messages.clear();
  }
  int PhoneCalls(const std::string& call) {
    const std::vector<std::string> calls = phone.Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  int LocalCalls(const std::string& kind) {
    return static_cast<int>(std::count_if(files.log.begin(), files.log.end(), [&](auto& line) {
      return line.rfind(kind + " ", 0) == 0;
    }));
  }

  FakeFileSystem files;
};

TEST_P(Rerun, SecondVisitReadsNothingAndCountsAsBefore) {
  FirstVisit();
  const auto archived = files.files;

  const DownloadRunResult r = RunOn(files);

  EXPECT_EQ(phone.Calls(), std::vector<std::string>{});
  EXPECT_EQ(r.DownloadedCount, 3);
  EXPECT_EQ(r.DeletedCount, 0);
  EXPECT_EQ(boxes.messages, (std::vector<std::string>{DownloadSummaryText(kRoot, 3, 0)}));
  EXPECT_EQ(files.files, archived);
  EXPECT_EQ(LocalCalls("create") + LocalCalls("rename") + LocalCalls("read"), 0);
  EXPECT_EQ(grid.RowCount(), 3);
}

TEST_P(Rerun, TickedDeleteBoxesAreReadComparedAndDeleted) {
  FirstVisit();
  const auto archived = files.files;
  for (int row = 0; row < 3; ++row) Check(kDeleteColumn, row, true);

  const DownloadRunResult r = RunOn(files);

  EXPECT_EQ(PhoneCalls("File_Read"), 3);
  EXPECT_EQ(PhoneCalls("File_Delete"), 3);
  EXPECT_EQ(LocalCalls("read"), 3);  // each archive file compared once
  EXPECT_EQ(LocalCalls("create"), 0);
  EXPECT_EQ(files.files, archived);
  EXPECT_EQ(r.DownloadedCount, 3);
  EXPECT_EQ(r.DeletedCount, 3);
  EXPECT_EQ(grid.RowCount(), 0);
}

// What the day folder holds decides; bytes of the photo's size that are not the photo show that
// name and size are all the run looks at for a photo that stays on the phone.
TEST_P(Rerun, TheArchiveFileNameAndSizeDecide) {
  const std::string photo = PhotoBytes("05-12-07_0012.jpg", 300);
  const std::string sameSize(300, 'x');
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // below kDay, or a full path
    bool read;
    const char* storedAs;  // "" for the photo's own name
  };
  const Case cases[] = {
      {"own name, same size", {{"05-12-07_0012.jpg", sameSize}}, false, ""},
      {"own name in capitals", {{"05-12-07_0012.JPG", sameSize}}, false, ""},
      {"own name, other size",
       {{"05-12-07_0012.jpg", "an older photo"}},
       true,
       "05-12-07_0012 (2).jpg"},
      {"held as (2)",
       {{"05-12-07_0012.jpg", "an older photo"}, {"05-12-07_0012 (2).jpg", sameSize}},
       false,
       "05-12-07_0012 (2).jpg"},
      {"held as (12)", {{"05-12-07_0012 (12).jpg", sameSize}}, false, "05-12-07_0012 (12).jpg"},
      {"(02) is no name the run gives", {{"05-12-07_0012 (02).jpg", sameSize}}, true, ""},
      {"another photo's name", {{"05-12-07_0013.jpg", sameSize}}, true, ""},
      {"another day's folder",
       {{std::string(kOtherDay) + "05-12-07_0012.jpg", sameSize}},
       true,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem local;
    for (const auto& [name, bytes] : c.before) {
      const std::string path = name.rfind("C:", 0) == 0 ? name : kDay + name;
      local.files[path] = bytes;
      local.dirs.insert(path.substr(0, path.rfind('\\')));
    }
    List();
    for (int row = 0; row < 3; ++row)
      Check(kDownLoadColumn, row, GridNames()[size_t(row)] == "05-12-07_0012.jpg");
    boxes.messages.clear();

    const DownloadRunResult r = RunOn(local);

    EXPECT_EQ(r.DownloadedCount, 1);
    EXPECT_EQ(PhoneCalls("File_Read"), c.read ? 1 : 0);
    const std::string stored = *c.storedAs ? c.storedAs : "05-12-07_0012.jpg";
    if (c.read) {
      EXPECT_EQ(local.files[kDay + stored], photo);
    }
    const std::vector<std::string> named =
        *c.storedAs
            ? std::vector<std::string>{std::string("Имена этих фотографий в архиве уже заняты, "
                                                   "фотографии сохранены под другими именами:\r") +
                                       "05-12-07_0012.jpg → " + c.storedAs}
            : std::vector<std::string>{};
    EXPECT_EQ(std::vector<std::string>(boxes.messages.begin() + 1, boxes.messages.end()), named);
  }
}

// The run looks at the archive as it is when it reaches a photo: under the root typed since the
// listing, and with what earlier rows of the same run put there.
TEST_P(Rerun, TheArchiveAsItIsWhenTheRunGetsThere) {
  FirstVisit();
  const std::string elsewhere = "D:\\Новый архив";
  root = elsewhere;
  RunOn(files);
  EXPECT_EQ(PhoneCalls("File_Read"), 3);
  EXPECT_EQ(files.files.count(elsewhere + "\\Phone1\\Декабрь 2007\\05 декабря\\05-12-07_0012.jpg"),
            1u);
}

// The same photo twice on the phone (its name in two letter cases): the first row's copy,
// written in this run, spares the second row its read.
TEST_P(Rerun, ACopyWrittenEarlierInTheRunCounts) {
  const std::string twin = "05-12-07_0012.JPG";
  phone.AddFile("/a/mobile/picture/" + twin, PhotoBytes("05-12-07_0012.jpg", 300));
  FakeFileSystem fresh;
  List();
  if (grid.RowCount() != 4)
    GTEST_SKIP() << "the phone's folder here keeps one of two names "
                    "that differ in letter case only (Wine)";
  phone.ClearLog();
  for (int row = 0; row < grid.RowCount(); ++row)
    Check(kDownLoadColumn, row, GridNames()[size_t(row)].rfind("05-12-07_0012", 0) == 0);
  const DownloadRunResult r = RunOn(fresh);
  EXPECT_EQ(r.DownloadedCount, 2);
  EXPECT_EQ(PhoneCalls("File_Read"), 1);
}

// The phone, with something to do before a photo is opened.
class PhoneWithHook : public PhoneApi {
 public:
  PhoneWithHook(PhoneApi& phone, std::function<void(const std::string&)> beforeOpen)
      : phone_(phone), beforeOpen_(std::move(beforeOpen)) {}
  int P2K_Init(P2KStatusCallback cb) override { return phone_.P2K_Init(cb); }
  int P2K_GetStatus() override { return phone_.P2K_GetStatus(); }
  int File_Count() override { return phone_.File_Count(); }
  int File_List(void* e, int n) override { return phone_.File_List(e, n); }
  int File_Create(const char* p, int m) override {
    beforeOpen_(p);
    return phone_.File_Create(p, m);
  }
  int File_Read(void* b, int n) override { return phone_.File_Read(b, n); }
  int File_Write(const void* b, int n) override { return phone_.File_Write(b, n); }
  int File_Close() override { return phone_.File_Close(); }
  int File_Delete(const char* p) override { return phone_.File_Delete(p); }

 private:
  PhoneApi& phone_;
  std::function<void(const std::string&)> beforeOpen_;
};

// The levels of a day folder's path are looked at for the first photo of the day in a run only;
// a day folder that goes during the run is made again for the next photo of the day.
TEST_P(Rerun, DayFolderPathWalkedOncePerRunAndMadeAgainIfItGoes) {
  List();
  auto levelsLookedAt = [&] {
    return int(std::count_if(files.log.begin(), files.log.end(), [](const std::string& line) {
      return line.rfind("exists ", 0) == 0 && line.back() == '\\';
    }));
  };
  RunOn(files);
  // C:\, the root, the profile, the month and the day: twice (two days), not three times.
  EXPECT_EQ(levelsLookedAt(), 10);

  // Again into another root, the first photo's day folder taken away before the second photo.
  root = "C:\\Другой";
  const std::string day = root + "\\Phone1\\Декабрь 2007\\05 декабря";
  PhoneWithHook phoneWithHook(phone.Api(), [&](const std::string& path) {
    if (path.find("_0013") == std::string::npos) return;
    files.dirs.erase(day);
    files.files.erase(day + "\\05-12-07_0012.jpg");
  });
  DownloadRunHost host = RunHostFor(files);
  DownloadRunHost withHook{grid,         phoneWithHook, files,         boxes,
                           FoundCount,   PhotoCount,    host.profile,  host.root,
                           host.setBusy, host.setPanel, host.progress, host.sources};
  files.log.clear();
  const DownloadRunResult r = RunDownload(withHook);
  EXPECT_EQ(r.DownloadedCount, 3);
  EXPECT_EQ(files.files.count(day + "\\05-12-07_0013.jpg"), 1u);
  EXPECT_EQ(levelsLookedAt(), 15);
}

ZV_IN_BOTH_RESULT_STYLES(Rerun);

}  // namespace
}  // namespace zv
