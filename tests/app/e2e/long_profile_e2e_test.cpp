// A 200-character profile end to end under Wine: the phone's profile file holds a name of 200
// characters, the archive root is long too, so every archive path is well over the system's
// 260-character bound. "Список" and "Скачать фотографии" then work as with a short profile: the
// photos land in the archive byte for byte, the photo marked for deletion goes from the phone
// after its copy, the summary box says so; and a profile that Windows takes for a device is
// refused with the phone and the archive left as they were.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

// The grid's fixed geometry (indicator 12 wide, header 18 high, rows 16 high plus the grid line,
// the first three columns 25 wide each).
constexpr int kIndicator = 12, kHeader = 18, kRowPitch = 17, kNarrowColumn = 25;

std::string JpegBytes(int w, int h) {
  const auto jpeg = testing::MakeJpeg(testing::Quarters(w, h));
  return std::string(jpeg.begin(), jpeg.end());
}

// A file's bytes through the "\\?\" form of its full path (so that the check itself never meets
// the 260-character bound), or "<missing>".
std::string ReadLong(const std::wstring& fullPath) {
  HANDLE h = ::CreateFileW((L"\\\\?\\" + fullPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 20, '\0');
  DWORD got = 0;
  ::ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  ::CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

// Every file below a folder: path relative to it -> bytes, through the "\\?\" form.
void FilesBelow(const std::wstring& dir, const std::wstring& relative,
                std::map<std::wstring, std::string>& out) {
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW((L"\\\\?\\" + dir + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      FilesBelow(dir + L"\\" + name, relative + name + L"\\", out);
    } else {
      out[relative + name] = ReadLong(dir + L"\\" + name);
    }
  } while (::FindNextFileW(h, &found));
  ::FindClose(h);
}

void RemoveLong(const std::wstring& dir) {
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW((L"\\\\?\\" + dir + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveLong(dir + L"\\" + name);
      } else {
        ::DeleteFileW((L"\\\\?\\" + dir + L"\\" + name).c_str());
      }
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
  }
  ::RemoveDirectoryW((L"\\\\?\\" + dir).c_str());
}

class LongProfileEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    // 200 characters: "Маша " and 195 Latin letters. (Wine keeps a name in one host file name
    // of at most 255 bytes of UTF-8, so the name is mostly Latin.)
    profile_ = "Маша " + std::string(195, 'q');
    ASSERT_EQ(Utf8ToUtf16(profile_).size(), 200u);
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes(Utf8ToCp1251(profile_)));
    int side = 16;
    for (const auto& name : names_) {
      photos_[name] = JpegBytes(side * 4, side * 3);
      p_.Phone().AddFile("a/mobile/picture/" + name, photos_[name]);
      side += 8;
    }
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    ASSERT_EQ(p_.Form1().Edit1.Text(), profile_);

    root_ = p_.Folder().wstring() + L"\\Архив фото " + std::wstring(60, L'r');
    rootText_ = Narrow(root_);
    p_.Type(p_.Form1().DirectoryEdit1, rootText_);
    ASSERT_EQ(p_.Form1().DirectoryEdit1.Text(), rootText_);
    p_.Click(p_.Form1().BitBtn1);  // "Список"
    ASSERT_EQ(p_.Panel(2), "Фотографий: 3");
  }
  void TearDown() override { RemoveLong(root_); }

  std::vector<std::string> GridNames() { return p_.GridNames(); }
  void TickDelete(int row) {
    const int x = kIndicator + kNarrowColumn * kDeleteColumn + kNarrowColumn / 2;
    const int y = kHeader + kRowPitch * row + 8;
    p_.GridClick(x, y);
    ASSERT_TRUE(p_.Form1().GridView1.CellAt(kDeleteColumn, row).AsBoolean()) << row;
  }
  std::vector<BoxSeen> Download() {
    BoxCloser closer;
    p_.Click(p_.Form1().BitBtn2);
    return closer.Stop();
  }
  std::map<std::wstring, std::string> Archive() {
    std::map<std::wstring, std::string> files;
    FilesBelow(root_, L"", files);
    return files;
  }

  const std::vector<std::string> names_{"01-05-08_0100.jpg", "05-12-07_0012.jpg",
                                        "31-01-08_0013.jpg"};
  std::map<std::string, std::string> photos_;
  std::string profile_;
  std::wstring root_;
  std::string rootText_;
  ProgramHarness p_;
};

TEST_F(LongProfileEndToEnd, DownloadsBeyondTheSystemBound) {
  ASSERT_EQ(GridNames(), names_);
  TickDelete(1);

  const std::vector<BoxSeen> boxes = Download();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Фотографии уcпешно скачаны!\r\rПуть сохранения: " + rootText_ +
                               "\\\rСкачано фотографий: 3\rУдалено фотографий: 1");

  const std::wstring profile = Widen(profile_);
  const std::map<std::wstring, std::string> expected{
      {profile + L"\\Май 2008\\01 мая\\01-05-08_0100.jpg", photos_["01-05-08_0100.jpg"]},
      {profile + L"\\Декабрь 2007\\05 декабря\\05-12-07_0012.jpg", photos_["05-12-07_0012.jpg"]},
      {profile + L"\\Январь 2008\\31 января\\31-01-08_0013.jpg", photos_["31-01-08_0013.jpg"]},
  };
  const auto archived = Archive();
  EXPECT_EQ(archived, expected);
  for (const auto& [relative, bytes] : expected) {
    const size_t length = root_.size() + 1 + relative.size();
    EXPECT_GT(length, 300u) << "the archive path is over the bound";
  }

  EXPECT_FALSE(p_.Phone().FileBytes("a/mobile/picture/05-12-07_0012.jpg").has_value());
  EXPECT_EQ(p_.Phone().FileBytes("a/mobile/picture/01-05-08_0100.jpg"),
            photos_["01-05-08_0100.jpg"]);
  EXPECT_EQ(GridNames(), (std::vector<std::string>{"01-05-08_0100.jpg", "31-01-08_0013.jpg"}));
  EXPECT_EQ(p_.Panel(2), "Фотографий: 2");
  EXPECT_FALSE(p_.Form1().TrayIcon1->Active());
}

TEST_F(LongProfileEndToEnd, DeviceNameAsProfileIsRefused) {
  TickDelete(0);
  for (const char* device : {"CON", "nul.txt", "Com1"}) {
    SCOPED_TRACE(device);
    p_.Type(p_.Form1().Edit1, device);
    const std::vector<BoxSeen> boxes = Download();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Недопустимое имя профиля!");
    EXPECT_FALSE(boxes[0].Icon);
  }
  EXPECT_TRUE(Archive().empty());
  EXPECT_EQ(::GetFileAttributesW((L"\\\\?\\" + root_).c_str()), INVALID_FILE_ATTRIBUTES)
      << "not even the archive root was made";
  for (const auto& name : names_)
    EXPECT_EQ(p_.Phone().FileBytes("a/mobile/picture/" + name), photos_[name]) << name;
  EXPECT_EQ(GridNames(), names_);
  EXPECT_TRUE(p_.Form1().GridView1.CellAt(kDeleteColumn, 0).AsBoolean());
}

}  // namespace
}  // namespace zv::e2e
