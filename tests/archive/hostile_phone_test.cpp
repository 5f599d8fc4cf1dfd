// Directory entries a damaged phone may send to the download run: a size no photo has, an empty
// photo, names Windows would change. Each is handled without a huge buffer, without a null
// buffer for the library, and without losing a photo; the box after the summary says what was
// left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "archive/download_run.h"
#include "catalogue/listing.h"
#include "gridview/photo_columns.h"
#include "local_files.h"
#include "phone/phone_entry.h"
#include "phone/photo_bytes.h"
#include "run_fixture.h"

namespace zv {
namespace {

// A phone whose directory says what the test wants (sizes need not match the bytes). File_Read
// answers 0, as the published library does, and records the buffer it was given.
class ListedPhone : public PhoneApi {
 public:
  struct File {
    int32_t listedSize;
    std::string bytes;
  };
  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override { return static_cast<int>(files.size()); }
  int File_List(void* out, int n) override {
    int i = 0;
    for (const auto& [path, file] : files)
      if (i < n)
        static_cast<PhoneFileEntry*>(out)[i++] = PhoneFileEntry::Make(file.listedSize, path);
    return 0;
  }
  int File_Create(const char* path, int) override {
    calls.push_back(std::string("create ") + path);
    open_ = files.count(path) ? path : "";
    return open_.empty() ? -1 : 0;
  }
  int File_Read(void* buffer, int size) override {
    calls.push_back("read " + std::to_string(size));
    if (!buffer) nullBuffers++;
    const std::string& bytes = files[open_].bytes;
    std::copy_n(bytes.data(), std::min<size_t>(bytes.size(), size_t(size)),
                static_cast<char*>(buffer));
    return 0;
  }
  int File_Write(const void*, int) override { return -1; }
  int File_Close() override {
    calls.push_back("close");
    return 0;
  }
  int File_Delete(const char* path) override {
    calls.push_back(std::string("delete ") + path);
    return files.erase(path) ? 0 : -1;
  }

  std::map<std::string, File> files;  // phone path -> listed size and bytes
  std::vector<std::string> calls;
  int nullBuffers = 0;

 private:
  std::string open_;
};

class HostilePhone : public ::testing::Test {
 protected:
  HostilePhone() { SetupPhotoGrid(grid); }
  void ListAndTickDeletes() {
    ListingHost listing{grid, phone, found, photos, {}, {}, {}, {}, &sources};
    ListPhotos(listing);
    for (int r = 0; r < grid.RowCount(); ++r) grid.CellAt(kDeleteColumn, r).SetAsBoolean(true);
    phone.calls.clear();
  }
  DownloadRunResult Run() {
    DownloadRunHost host{grid,
                         phone,
                         *files,
                         boxes,
                         found,
                         photos,
                         [] { return "Phone1"; },
                         [this] { return archive.Utf8(); },
                         {},
                         {},
                         {},
                         &sources};
    return RunDownload(host);
  }
  std::vector<std::string> ArchivedFiles() {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(archive.Path()))
      if (e.is_regular_file()) out.push_back(testing::Utf8FromPath(e.path().filename()));
    return out;
  }

  ListedPhone phone;
  TGridView grid;
  PhotoSources sources;
  testing::TempDir archive;
  std::unique_ptr<FileSystem> files = testing::MakeLocalFileSystem();
  testing::RecordingBoxes boxes;
  int found = 0, photos = 0;
};

TEST_F(HostilePhone, SizeNoPhotoHasIsNeitherReadNorDeleted) {
  const std::string folder = kPhotoFolder;
  phone.files[folder + "05-12-07_0012.jpg"] = {0x7FFFFFFF, "tiny"};
  phone.files[folder + "06-12-07_0013.jpg"] = {kMaxPhotoSize + 1, "tiny"};
  phone.files[folder + "07-12-07_0014.jpg"] = {40, testing::RunFixture::PhotoBytes("ok", 40)};
  ListAndTickDeletes();
  const DownloadRunResult r = Run();
  // Only the ordinary photo reached the phone library.
  EXPECT_EQ(phone.calls,
            (std::vector<std::string>{"create /a/mobile/picture/07-12-07_0014.jpg", "read 40",
                                      "close", "delete /a/mobile/picture/07-12-07_0014.jpg"}));
  EXPECT_EQ(r.DownloadedCount, 1);
  EXPECT_EQ(r.DeletedCount, 1);
  EXPECT_EQ(phone.files.size(), 2u);
  EXPECT_EQ(ArchivedFiles(), (std::vector<std::string>{"07-12-07_0014.jpg"}));
  EXPECT_EQ(grid.RowCount(), 2);
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1],
            "Не скачаны и не удалены фотографии больше предела размера фотографии (64 МБ):\r"
            "05-12-07_0012.jpg\r06-12-07_0013.jpg");
}

TEST_F(HostilePhone, EmptyPhotoIsReadIntoARealBuffer) {
  phone.files[std::string(kPhotoFolder) + "05-12-07_0012.jpg"] = {0, ""};
  ListAndTickDeletes();
  const DownloadRunResult r = Run();
  EXPECT_EQ(phone.nullBuffers, 0);
  EXPECT_EQ(phone.calls[1], "read 0");
  EXPECT_EQ(r.DownloadedCount, 1);
  EXPECT_EQ(ArchivedFiles(), (std::vector<std::string>{"05-12-07_0012.jpg"}));
}

// A cut that ends the name in a full stop or space: Windows would store another name.
TEST_F(HostilePhone, NamesWindowsWouldChangeStayOnThePhone) {
  const std::string folder = kPhotoFolder;
  phone.files[folder + "05-12-07_0012345.jpg"] = {30, testing::RunFixture::PhotoBytes("a", 30)};
  phone.files[folder + "05-12-07_0012345 x.jpg"] = {30, testing::RunFixture::PhotoBytes("b", 30)};
  ListAndTickDeletes();
  ASSERT_EQ(grid.RowCount(), 2);
  const DownloadRunResult r = Run();
  EXPECT_TRUE(phone.calls.empty());
  EXPECT_EQ(r.DownloadedCount, 0);
  EXPECT_EQ(phone.files.size(), 2u);
  EXPECT_TRUE(ArchivedFiles().empty());
  ASSERT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(boxes.messages[1],
            "Не скачаны и не удалены фотографии, имя которых Windows изменила бы:\r"
            "05-12-07_0012345 \r05-12-07_0012345.");
}

}  // namespace
}  // namespace zv
