// The Win32 file layer with archive paths longer than the system's 260-character bound (a long
// archive root and a 200-character profile), under Wine: folders are created level by level as
// the archive does it, a photo is written through a temporary file renamed into place, read back
// through the system, and removed; short paths keep working as before.
#include <windows.h>
#undef CreateFile
#undef DeleteFile

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/errors.h"
#include "ui/text.h"
#include "ui/win32/win32_file_system.h"

namespace zv {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

std::string Narrow(const std::wstring& w) {
  return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

// A fresh folder under the system's temporary folder, removed (long names included) at the end.
class LongPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    base_ = std::wstring(temp) + L"zv_long_paths_" + std::to_wstring(::GetCurrentProcessId());
    Remove(L"\\\\?\\" + base_);
    ASSERT_TRUE(::CreateDirectoryW(base_.c_str(), nullptr));
  }
  void TearDown() override { Remove(L"\\\\?\\" + base_); }

  // Deletes a folder tree through the "\\?\" form (the test's own clean-up).
  static void Remove(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = ::FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = dir + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path);
        } else {
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(h, &found));
      ::FindClose(h);
    }
    ::RemoveDirectoryW(dir.c_str());
  }

  // A file's bytes read through the "\\?\" form of its full path, or "<missing>".
  static std::string ReadBack(const std::wstring& fullPath) {
    HANDLE h = ::CreateFileW((L"\\\\?\\" + fullPath).c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    ::ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
    ::CloseHandle(h);
    bytes.resize(got);
    return bytes;
  }

  std::wstring base_;
  Win32FileSystem files_;
};

// The archive's steps on one photo below root\profile\month\day, for roots and profiles that
// make the whole path longer and shorter than 260 characters.
TEST_F(LongPaths, ArchiveStepsWorkBeyondTheSystemBound) {
  const std::string profile200(200, 'p');
  // 120 Cyrillic characters: the most that Wine's host file system takes in one name (255 bytes
  // of UTF-8); Windows would take 255 characters.
  const std::string cyrillic120 = [] {
    std::string s;
    for (int i = 0; i < 60; ++i) s += "Жё";
    return s;
  }();
  const struct {
    const char* what;
    std::string rootTail;  // below the test's folder
    std::string profile;
    std::string separator;  // between root and profile
  } cases[] = {
      {"short path", "\\root", "Phone1", "\\"},
      {"200-character profile", "\\root", profile200, "\\"},
      {"120 Cyrillic characters", "\\root", cyrillic120, "\\"},
      {"long root and profile", "\\" + std::string(120, 'r'), profile200, "\\"},
      {"root ending in a backslash", "\\root\\", profile200, "\\"},
      {"forward slashes in the root", "/fwd/root", profile200, "\\"},
  };
  const std::string photo = "05-12-07_0012.jpg";
  const std::string bytes = "\xFF\xD8 photo bytes \xFF\xD9";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string root = Narrow(base_) + c.rootTail;
    const std::vector<std::string> levels = {root, c.profile, "Декабрь 2007", "05 декабря"};
    // Each level's prefix, ending in a backslash, as the folder creation tests and makes them.
    std::string folder;
    for (size_t i = 0; i < levels.size(); ++i) {
      folder += (i == 0 ? "" : c.separator) + levels[i];
      std::string prefix = folder + "\\";
      if (i == 0) {
        // The root's own levels.
        std::string level;
        for (char ch : prefix) {
          level += ch;
          if ((ch == '\\' || ch == '/') && level.size() > 3 && !files_.DirectoryExists(level))
            files_.CreateDir(level);
        }
      } else if (!files_.DirectoryExists(prefix)) {
        EXPECT_TRUE(files_.CreateDir(prefix)) << prefix.size() << " characters";
      }
      EXPECT_TRUE(files_.DirectoryExists(prefix)) << prefix.size() << " characters";
    }
    const std::string target = folder + "\\" + photo;
    const std::string partial = target + ".part";
    std::unique_ptr<OutputFile> out = files_.CreateFile(partial);
    out->Write(bytes.data(), bytes.size());
    out->Close();
    EXPECT_TRUE(files_.FileExists(partial));
    files_.RenameReplace(partial, target);
    EXPECT_FALSE(files_.FileExists(partial));
    EXPECT_TRUE(files_.FileExists(target)) << target.size() << " characters";
    EXPECT_FALSE(files_.DirectoryExists(target));

    // Where the system puts it: the normalised full path.
    std::wstring expected = base_ + L"\\" + Wide(c.rootTail.substr(1));
    for (wchar_t& ch : expected)
      if (ch == L'/') ch = L'\\';
    if (expected.back() != L'\\') expected += L'\\';
    expected += Wide(c.profile) + L"\\Декабрь 2007\\05 декабря\\" + Wide(photo);
    EXPECT_EQ(ReadBack(expected), bytes);

    // Overwritten as the archive overwrites, then removed.
    out = files_.CreateFile(target);
    out->Write("x", 1);
    out->Close();
    EXPECT_EQ(ReadBack(expected), "x");
    EXPECT_TRUE(files_.DeleteFile(target));
    EXPECT_FALSE(files_.FileExists(target));
    EXPECT_EQ(ReadBack(expected), "<missing>");
  }
}

// The form the system's calls get: short paths as they are, long ones absolute, normalised and
// prefixed.
TEST_F(LongPaths, LongPathsGoInTheExtendedForm) {
  const std::wstring tail(260, L'x');
  wchar_t cwd[MAX_PATH];
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, cwd), 0u);
  std::wstring here = cwd;
  if (here.back() != L'\\') here += L'\\';
  const struct {
    std::wstring path, expected;
  } cases[] = {
      {L"temp", L"temp"},
      {L"C:\\MobileFoto\\Phone1\\", L"C:\\MobileFoto\\Phone1\\"},
      {L"C:\\MobileFoto\\\\Phone1", L"C:\\MobileFoto\\\\Phone1"},  // short: untouched
      {std::wstring(247, L'a'), std::wstring(247, L'a')},
      {L"C:\\a\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {L"C:\\a\\" + tail + L"\\", L"\\\\?\\C:\\a\\" + tail + L"\\"},
      {L"C:\\a\\\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {L"C:/a/" + tail + L"/b", L"\\\\?\\C:\\a\\" + tail + L"\\b"},
      {L"C:\\a\\.\\b\\..\\" + tail, L"\\\\?\\C:\\a\\" + tail},
      {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
      {L"\\\\?\\C:\\a\\\\" + tail, L"\\\\?\\C:\\a\\\\" + tail},
      {L"dir\\" + tail, L"\\\\?\\" + here + L"dir\\" + tail},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Narrow(ExtendedLengthPath(c.path)), Narrow(c.expected)) << Narrow(c.path);
}

// A path the system cannot take at all still fails loudly, not silently: a folder name over the
// 255-character bound of one name.
TEST_F(LongPaths, NameOverTheNameBoundFailsWithAnError) {
  const std::string folder = Narrow(base_) + "\\" + std::string(300, 'n');
  EXPECT_FALSE(files_.CreateDir(folder));
  EXPECT_FALSE(files_.DirectoryExists(folder));
  EXPECT_THROW(files_.CreateFile(folder + "\\05-12-07_0012.jpg"), EInOutError);
}

}  // namespace
}  // namespace zv
