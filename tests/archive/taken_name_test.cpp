// A photo whose archive name is taken: the archive keeps every file it has, a photo leaves the
// phone only once its copy (or an identical file already there) is on the disk, and the user is
// told where a photo went when it could not take its own name. Also the order in which a copy
// reaches the disk before its photo is deleted, and folder names that Windows would change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "fake_file_system.h"
#include "run_fixture.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::ByStyle;
using testing::ReadAll;

constexpr const char* kPhoto = "05-12-07_0012.jpg";
constexpr const char* kDay = "Декабрь 2007/05 декабря/";
// Stands for a folder among the files of a day folder.
constexpr const char* kFolder = "<folder>";

class TakenName : public ByStyle {
 protected:
  // The photo on the phone with both boxes ticked.
  void ListThePhotoToMove(size_t size = 300) {
    AddPhoto(kPhoto, size);
    List();
    Check(kDeleteColumn, 0, true);
  }
  bool OnPhone() { return phone.FileBytes(std::string("/a/mobile/picture/") + kPhoto).has_value(); }
  // Files of the day folder, by name, with their bytes.
  std::map<std::string, std::string> DayFolder() {
    std::map<std::string, std::string> found;
    const auto folder = ArchiveFile(kDay);
    if (!std::filesystem::exists(folder)) return found;
    for (const auto& e : std::filesystem::directory_iterator(folder))
      found[testing::Utf8FromPath(e.path().filename())] =
          e.is_directory() ? kFolder : ReadAll(e.path());
    return found;
  }
  void Put(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(ArchiveFile(kDay));
    if (bytes == kFolder)
      std::filesystem::create_directory(ArchiveFile(kDay + name));
    else
      std::ofstream(ArchiveFile(kDay + name), std::ios::binary) << bytes;
  }
};

// The archive holds exactly the photo's bytes (a second run over rows that were only copied,
// or a photo archived before): nothing is written, the photo counts as downloaded and is
// deleted as asked.
TEST_P(TakenName, SameBytesWriteNothingAndTheDeleteGoesAhead) {
  ListThePhotoToMove();
  const std::string photo = PhotoBytes(kPhoto, 300);
  Put(kPhoto, photo);
  // An old time on the file shows whether anything wrote it again.
  const auto file = ArchiveFile(std::string(kDay) + kPhoto);
  std::filesystem::last_write_time(
      file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
  const auto old = std::filesystem::last_write_time(file);  // as the file system keeps it

  const DownloadRunResult r = Run();

  EXPECT_EQ(r.DownloadedCount, 1);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_FALSE(OnPhone());
  EXPECT_EQ(DayFolder(), (std::map<std::string, std::string>{{kPhoto, photo}}));
  EXPECT_EQ(std::filesystem::last_write_time(file), old);
  EXPECT_EQ(boxes.messages, (std::vector<std::string>{DownloadSummaryText(root, 1, 1)}));
}

// Other bytes under the photo's name (and under its numbered names): every file there stays
// as it was, the photo takes the first free name or finds itself under a numbered one, leaves
// the phone, and the box after the summary says where it went.
TEST_P(TakenName, OtherBytesStayAndThePhotoTakesTheNextFreeName) {
  const std::string photo = PhotoBytes(kPhoto, 300);
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;  // day folder before the run
    const char* storedAs;
  };
  const Case cases[] = {
      {"name taken", {{kPhoto, "an older photo"}}, "05-12-07_0012 (2).jpg"},
      {"name and (2) taken",
       {{kPhoto, "an older photo"}, {"05-12-07_0012 (2).jpg", "another"}},
       "05-12-07_0012 (3).jpg"},
      {"a longer file of the photo's first bytes",
       {{kPhoto, photo + "x"}},
       "05-12-07_0012 (2).jpg"},
      {"(2) already holds the photo",
       {{kPhoto, "an older photo"}, {"05-12-07_0012 (2).jpg", photo}},
       "05-12-07_0012 (2).jpg"},
      {"a folder has a numbered name",
       {{kPhoto, "an older photo"}, {"05-12-07_0012 (2).jpg", kFolder}},
       "05-12-07_0012 (3).jpg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListThePhotoToMove();
    boxes.messages.clear();
    std::map<std::string, std::string> expected = c.before;
    for (const auto& [name, bytes] : c.before) Put(name, bytes);
    expected[c.storedAs] = photo;

    const DownloadRunResult r = Run();

    EXPECT_EQ(r.DownloadedCount, 1);
    EXPECT_EQ(r.DeletedCount, 1);
    EXPECT_FALSE(OnPhone());
    EXPECT_EQ(DayFolder(), expected);
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(boxes.messages[0], DownloadSummaryText(root, 1, 1));
    EXPECT_EQ(boxes.messages[1], std::string("Имена этих фотографий в архиве уже заняты, "
                                             "фотографии сохранены под другими именами:\r") +
                                     kPhoto + " → " + c.storedAs);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
}

// The archive file under the photo's name cannot be read, so nobody can say whether it is the
// photo: the photo is neither copied nor deleted, and is named.
TEST_P(TakenName, UnreadableArchiveFileKeepsThePhotoOnThePhone) {
  ListThePhotoToMove();
  testing::FakeFileSystem files;
  files.dirs.insert(root);
  const std::string folder = root + "\\Phone1\\Декабрь 2007\\05 декабря";
  const std::string taken = folder + "\\" + kPhoto;
  files.files[taken] = "locked";
  files.unreadable.insert(taken);
  DownloadRunHost host = RunHostFor(files);

  const DownloadRunResult r = RunDownload(host);

  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(r.DeletedCount, 0);
  EXPECT_TRUE(OnPhone());
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(files.files, (std::map<std::string, std::string>{{taken, "locked"}}));
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(
      boxes.messages[1],
      std::string(
          "Не скачаны и не удалены фотографии, файл которых в архиве не удалось прочитать:\r") +
          kPhoto);
}

// A PhoneApi that writes File_Delete into the file system's log, so that one log shows the
// local calls and the delete in the order they happened.
class DeleteIntoLog : public PhoneApi {
 public:
  DeleteIntoLog(PhoneApi& phone, std::vector<std::string>& log) : phone_(phone), log_(log) {}
  int P2K_Init(P2KStatusCallback cb) override { return phone_.P2K_Init(cb); }
  int P2K_GetStatus() override { return phone_.P2K_GetStatus(); }
  int File_Count() override { return phone_.File_Count(); }
  int File_List(void* e, int n) override { return phone_.File_List(e, n); }
  int File_Create(const char* p, int m) override { return phone_.File_Create(p, m); }
  int File_Read(void* b, int n) override { return phone_.File_Read(b, n); }
  int File_Write(const void* b, int n) override { return phone_.File_Write(b, n); }
  int File_Close() override { return phone_.File_Close(); }
  int File_Delete(const char* p) override {
    log_.push_back(std::string("File_Delete ") + p);
    return phone_.File_Delete(p);
  }

 private:
  PhoneApi& phone_;
  std::vector<std::string>& log_;
};

// The copy is flushed to the disk while open, then closed, then takes its name through to the
// disk, and only then is the photo deleted on the phone. A flush that fails is a failed copy:
// the run ends with the error, the photo stays on the phone and no partial file remains.
TEST_P(TakenName, CopyIsOnTheDiskBeforeThePhotoIsDeleted) {
  for (const bool failFlush : {false, true}) {
    SCOPED_TRACE(failFlush ? "flush fails" : "flush succeeds");
    ListThePhotoToMove();
    testing::FakeFileSystem files;
    files.dirs.insert(root);
    files.failFlush = failFlush;
    DeleteIntoLog logged(phone.Api(), files.log);
    DownloadRunHost host = RunHostFor(files);
    DownloadRunHost run{host.grid,       logged,          files,        host.boxes,
                        host.FoundCount, host.PhotoCount, host.profile, host.root,
                        host.setBusy,    host.setPanel,   {},           host.sources};
    const std::string folder = root + "\\Phone1\\Декабрь 2007\\05 декабря\\";
    const std::string partial = folder + "~" + kPhoto + ".part";

    bool ended = false;
    try {
      RunDownload(run);
    } catch (const EInOutError&) {
      ended = true;
    }

    std::vector<std::string> tail;  // the log from the partial file's creation on
    const auto created = std::find(files.log.begin(), files.log.end(), "create " + partial);
    ASSERT_NE(created, files.log.end());
    tail.assign(created, files.log.end());
    if (!failFlush) {
      EXPECT_FALSE(ended);
      EXPECT_EQ(tail, (std::vector<std::string>{
                          "create " + partial, "flush " + partial,
                          "rename " + partial + " -> " + folder + kPhoto,
                          "close " + folder + kPhoto,
                          "File_Delete /a/mobile/picture/" + std::string(kPhoto)}));
      EXPECT_FALSE(OnPhone());
    } else {
      EXPECT_TRUE(ended);
      EXPECT_EQ(tail, (std::vector<std::string>{"create " + partial, "flush " + partial,
                                                "close " + partial, "delete " + partial}));
      EXPECT_TRUE(OnPhone());
      EXPECT_EQ(grid.RowCount(), 1);
      EXPECT_TRUE(files.files.empty());
      phone.RemoveFile(std::string("/a/mobile/picture/") + kPhoto);
    }
  }
}

// The month folder takes the name's two year characters as they stand; a full stop or space
// as the second makes a folder name that Windows shortens ("Декабрь 20.." would be stored as
// "Декабрь 20"). Such a photo is neither copied nor deleted, and is named with the names
// Windows would change; a camera name beside it moves as ever.
TEST_P(TakenName, MonthFolderThatWindowsWouldRenameKeepsThePhoto) {
  for (const char* odd : {"05-12-.._0012.jpg", "05-12-0 _0012.jpg", "05-12- ._0012.jpg"}) {
    SCOPED_TRACE(odd);
    AddPhoto(odd, 100);
    AddPhoto("06-12-07_0013.jpg", 100);
    List();
    for (int row = 0; row < grid.RowCount(); ++row) Check(kDeleteColumn, row, true);
    boxes.messages.clear();

    const DownloadRunResult r = Run();

    EXPECT_EQ(r.DownloadedCount, 1);
    EXPECT_EQ(r.DeletedCount, 1);
    EXPECT_TRUE(phone.FileBytes(std::string("/a/mobile/picture/") + odd).has_value());
    EXPECT_EQ(GridNames(), (std::vector<std::string>{odd}));
    EXPECT_FALSE(std::filesystem::exists(archive.Below("Phone1/Декабрь 20")));
    ASSERT_EQ(boxes.messages.size(), 2u);
    EXPECT_EQ(
        boxes.messages[1],
        std::string("Не скачаны и не удалены фотографии, имя которых Windows изменила бы:\r") +
            odd);
    phone.RemoveFile(std::string("/a/mobile/picture/") + odd);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
}

// The run tries a photo's own name at once where its look found the name free, with no check of
// its own before the rename; the rename never replaces, so a file or a folder that took the name
// after the look (another program, between the look and the rename) stays as it was and the
// photo takes the next free name.
TEST_P(TakenName, NameTakenAfterTheLookStaysAndThePhotoTakesTheNextOne) {
  // The local file system, counting the checks of the photo's own name and, when asked, putting
  // something there just as the run writes its scratch file (after the look).
  struct Racing : FileSystem {
    FileSystem& inner;
    std::function<void()> onCreate;
    int ownNameChecks = 0;
    explicit Racing(FileSystem& f) : inner(f) {}
    void Count(const std::string& path) {
      if (path.ends_with(std::string("\\") + kPhoto) || path.ends_with(std::string("/") + kPhoto))
        ++ownNameChecks;
    }
    bool DirectoryExists(const std::string& p) override {
      return Count(p), inner.DirectoryExists(p);
    }
    bool FileExists(const std::string& p) override { return Count(p), inner.FileExists(p); }
    bool CreateDir(const std::string& p) override { return inner.CreateDir(p); }
    std::unique_ptr<OutputFile> CreateFile(const std::string& p) override {
      if (onCreate) std::exchange(onCreate, nullptr)();
      return inner.CreateFile(p);
    }
    void RenameReplace(const std::string& a, const std::string& b) override {
      inner.RenameReplace(a, b);
    }
    bool DeleteFile(const std::string& p) override { return inner.DeleteFile(p); }
    bool ReadFile(const std::string& p, size_t limit, std::vector<uint8_t>& d) override {
      return inner.ReadFile(p, limit, d);
    }
    bool ListFiles(const std::string& f, std::vector<FileEntry>& out) override {
      return inner.ListFiles(f, out);
    }
    bool ListFolders(const std::string& f, std::vector<std::string>& out) override {
      return inner.ListFolders(f, out);
    }
  };
  const std::string photo = PhotoBytes(kPhoto, 300);
  struct Case {
    const char* what;
    const char* takenBy;  // put at the photo's name after the look; none: the name stays free
    int ownNameChecks;    // checks of the photo's own name before its rename
  };
  const Case cases[] = {
      {"the name stays free", nullptr, 0},
      {"a file takes the name", "another program's file", 2},
      {"a folder takes the name", kFolder, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListThePhotoToMove();
    boxes.messages.clear();
    Racing files(*localFiles);
    std::map<std::string, std::string> expected{{kPhoto, photo}};
    if (c.takenBy) {
      files.onCreate = [&] { Put(kPhoto, c.takenBy); };
      expected = {{kPhoto, c.takenBy}, {"05-12-07_0012 (2).jpg", photo}};
    }
    DownloadRunHost host = RunHostFor(files);
    const DownloadRunResult r = RunDownload(host);

    EXPECT_EQ(r.DownloadedCount, 1);
    EXPECT_EQ(r.DeletedCount, 1);
    EXPECT_FALSE(OnPhone());
    EXPECT_EQ(DayFolder(), expected);
    EXPECT_LE(files.ownNameChecks, c.ownNameChecks);
    std::filesystem::remove_all(archive.Below("Phone1"));
  }
}

ZV_IN_BOTH_RESULT_STYLES(TakenName);

}  // namespace
}  // namespace zv
