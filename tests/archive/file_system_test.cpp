// The local file system the archive writes through: Cyrillic names, replace-by-rename, and the
// error codes and texts of the usual failures. Runs natively and under Wine alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "archive/buffered_output.h"
#include "fake_file_system.h"
#include "local_files.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::ReadAll;

TEST(LocalFileSystem, FoldersFilesAndRenameWithCyrillicNames) {
  testing::TempDir top;
  auto files = testing::MakeLocalFileSystem();
  const std::string dir = top.Utf8() + "\\Декабрь 2007";
  EXPECT_FALSE(files->DirectoryExists(dir));
  ASSERT_TRUE(files->CreateDir(dir));
  EXPECT_FALSE(files->CreateDir(dir));  // exists already
  EXPECT_TRUE(files->DirectoryExists(dir));
  EXPECT_TRUE(files->DirectoryExists(dir + "\\"));
  EXPECT_FALSE(files->FileExists(dir));

  const std::string target = dir + "\\05-12-07_фото.jpg";
  {
    auto out = files->CreateFile(target);
    out->Write("old contents", 12);
    out->Close();
  }
  const std::string temp = dir + "\\~05-12-07_фото.jpg.part";
  {
    auto out = files->CreateFile(temp);
    out->Write("new", 3);
    out->Close();
  }
  files->RenameReplace(temp, target);
  EXPECT_FALSE(files->FileExists(temp));
  EXPECT_TRUE(files->FileExists(target));
  EXPECT_FALSE(files->DirectoryExists(target));
  EXPECT_EQ(ReadAll(top.Below("Декабрь 2007/05-12-07_фото.jpg")), "new");
  EXPECT_TRUE(files->DeleteFile(target));
  EXPECT_FALSE(files->DeleteFile(target));
}

// The local file systems of this platform: under Windows the open file renamed through ntdll,
// and by its name as where ntdll offers no such rename.
std::vector<std::pair<const char*, std::unique_ptr<FileSystem>>> LocalFileSystems() {
  std::vector<std::pair<const char*, std::unique_ptr<FileSystem>>> all;
  all.emplace_back("renamed as the program does", testing::MakeLocalFileSystem());
#if defined(_WIN32)
  all.emplace_back("renamed by name", std::make_unique<Win32FileSystem>(true));
#endif
  return all;
}

// The archive's way of taking a name: the open scratch file renamed, never replacing whatever
// has the name (a file, a folder, or under Windows the same name in other letters), in a folder
// of a short path and of one longer than Windows' 260 characters; then a read of what a taken
// name holds, cut at a limit.
TEST(LocalFileSystem, RenameNeverReplacesAndReadsAreCutAtTheLimit) {
  for (const auto& [way, owned] : LocalFileSystems()) {
    FileSystem* files = owned.get();  // a plain name, which the lambdas below can take
    for (const size_t depth : {size_t{0}, size_t{3}}) {
      SCOPED_TRACE(std::string(way) + (depth ? ", long path" : ", short path"));
      testing::TempDir top;
      std::string dir = top.Utf8();
      for (size_t i = 0; i < depth; ++i) {
        dir += "\\" + std::string(90, char('a' + i));
        ASSERT_TRUE(files->CreateDir(dir));
      }
      dir += "\\Май 2008";
      ASSERT_TRUE(files->CreateDir(dir));
      const auto write = [&](const std::string& path, const std::string& bytes) {
        auto out = files->CreateFile(path);
        out->Write(bytes.data(), bytes.size());
        out->FlushToDisk();
        return out;
      };
      write(dir + "\\фото.jpg", "archived")->Close();
      ASSERT_TRUE(files->CreateDir(dir + "\\folder.jpg"));
      const std::string part = dir + "\\~фото.jpg.part";
      const std::unique_ptr<OutputFile> out = write(part, "new photo");

      std::vector<std::string> taken = {"фото.jpg", "folder.jpg"};
#if defined(_WIN32)
      taken.push_back("ФОТО.JPG");
#endif
      for (const std::string& name : taken) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(out->RenameNoReplace(dir + "\\" + name));
        EXPECT_TRUE(files->FileExists(part));
      }
      EXPECT_TRUE(files->DirectoryExists(dir + "\\folder.jpg"));
      // Any other failure is an error with the system's code: here a folder that is not there.
      try {
        out->RenameNoReplace(dir + "\\missing\\фото.jpg");
        ADD_FAILURE() << "renamed into a folder that is not there";
      } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 3);
      }
      ASSERT_TRUE(out->RenameNoReplace(dir + "\\фото (2).jpg"));
      EXPECT_FALSE(files->FileExists(part));
      // Still open under its new name: what follows goes into the renamed file.
      out->Write("!", 1);
      out->Close();
      std::vector<uint8_t> data;
      ASSERT_TRUE(files->ReadFile(dir + "\\фото.jpg", 100, data));
      EXPECT_EQ(std::string(data.begin(), data.end()), "archived");
      ASSERT_TRUE(files->ReadFile(dir + "\\фото (2).jpg", 100, data));
      EXPECT_EQ(std::string(data.begin(), data.end()), "new photo!");
    }
  }

  testing::TempDir top;
  auto files = testing::MakeLocalFileSystem();
  const std::string dir = top.Utf8() + "\\Май 2008";
  ASSERT_TRUE(files->CreateDir(dir));
  ASSERT_TRUE(files->CreateDir(dir + "\\folder.jpg"));
  {
    auto out = files->CreateFile(dir + "\\фото (2).jpg");
    out->Write("new photo", 9);
    out->Close();
  }
  struct Read {
    std::string path;
    size_t limit;
    bool ok;
    std::string bytes;
  };
  const Read reads[] = {
      {dir + "\\фото (2).jpg", 100, true, "new photo"},
      {dir + "\\фото (2).jpg", 4, true, "new "},
      {dir + "\\фото (2).jpg", 0, true, ""},
      {dir + "\\missing.jpg", 100, false, ""},
      {dir + "\\folder.jpg", 100, false, ""},
  };
  for (const Read& r : reads) {
    SCOPED_TRACE(r.path + " up to " + std::to_string(r.limit));
    std::vector<uint8_t> data{1, 2, 3};
    EXPECT_EQ(files->ReadFile(r.path, r.limit, data), r.ok);
    EXPECT_EQ(std::string(data.begin(), data.end()), r.bytes);
  }
}

// One look gives every file of a folder with its size, Cyrillic names as they are, and neither
// the folders in it nor the files below them; a folder that is not there gives false.
TEST(LocalFileSystem, ListFilesGivesTheFilesOfOneFolderWithTheirSizes) {
  testing::TempDir top;
  auto files = testing::MakeLocalFileSystem();
  const std::string dir = top.Utf8() + "\\05 декабря";
  ASSERT_TRUE(files->CreateDir(dir));
  ASSERT_TRUE(files->CreateDir(dir + "\\05-12-07_0012 (2).jpg"));  // a folder of a photo's name
  const std::vector<std::pair<std::string, size_t>> written = {
      {"05-12-07_0012.jpg", 0}, {"05-12-07_фото.jpg", 5}, {"big.bin", 70000}};
  for (const auto& [name, size] : written) {
    auto out = files->CreateFile(dir + "\\" + name);
    out->Write(std::string(size, 'x').data(), size);
    out->Close();
  }
  files->CreateFile(dir + "\\05-12-07_0012 (2).jpg\\below.jpg")->Close();

  std::vector<FileEntry> found{{"left over", 1}};
  ASSERT_TRUE(files->ListFiles(dir, found));
  std::vector<std::pair<std::string, size_t>> listed;
  for (const FileEntry& f : found) listed.emplace_back(f.name, size_t(f.size));
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, written);

  EXPECT_FALSE(files->ListFiles(dir + "\\none", found));
  EXPECT_TRUE(found.empty());

  // The folders alone, likewise: what decides the language of an archive's month folders.
  ASSERT_TRUE(files->CreateDir(dir + "\\Декабрь 2007"));
  std::vector<std::string> folders{"left over"};
  ASSERT_TRUE(files->ListFolders(dir, folders));
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (std::vector<std::string>{"05-12-07_0012 (2).jpg", "Декабрь 2007"}));
  EXPECT_FALSE(files->ListFolders(dir + "\\none", folders));
  EXPECT_TRUE(folders.empty());
}

TEST(LocalFileSystem, CreateErrorsCarryTheRuntimeTexts) {
  testing::TempDir top;
  auto files = testing::MakeLocalFileSystem();
  std::ofstream(top.Below("plain")) << "x";
  ASSERT_TRUE(files->CreateDir(top.Utf8() + "\\folder"));
  struct Case {
    std::string path;
    int code;
    std::string text;
  };
  const Case cases[] = {
      {top.Utf8() + "\\missing\\a.jpg", 3, "Invalid filename"},  // folder missing
      {top.Utf8() + "\\plain\\a.jpg", 3, "Invalid filename"},    // a file in place of the folder
      {top.Utf8() + "\\folder", 5, "File access denied"},        // a folder in place of the file
  };
  for (const auto& c : cases) {
    try {
      files->CreateFile(c.path);
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode, c.code) << c.path;
      EXPECT_EQ(std::string(e.what()), c.text) << c.path;
    }
  }
}

#if !defined(_WIN32)
// A full disk: /dev/full answers every write with ENOSPC.
TEST(LocalFileSystem, FullDiskIsDiskFull) {
  auto files = testing::MakeLocalFileSystem();
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  auto out = files->CreateFile("\\dev\\full");
  try {
    out->Write("x", 1);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 112);
    EXPECT_EQ(std::string(e.what()), "Disk full");
  }
}
#endif

TEST(BufferedOutputFile, WritesEveryByteInOrderWithFewCalls) {
  testing::FakeFileSystem fs;
  fs.dirs.insert("D");
  BufferedOutputFile out(fs.CreateFile("D\\f"));
  const size_t n = 3 * BufferedOutputFile::kBufferSize + 17;
  for (size_t i = 0; i < n; ++i) out.Write(static_cast<uint8_t>(i * 7));
  out.Close();
  EXPECT_EQ(fs.writeCalls, 4);
  const std::string& data = fs.files.at("D\\f");
  ASSERT_EQ(data.size(), n);
  for (size_t i = 0; i < n; i += 4099) EXPECT_EQ(static_cast<uint8_t>(data[i]), uint8_t(i * 7));
  EXPECT_EQ(fs.log.back(), "close D\\f");
}

TEST(BufferedOutputFile, WriteEachAcrossBufferBoundaries) {
  testing::FakeFileSystem fs;
  fs.dirs.insert("D");
  std::string expected;
  {
    BufferedOutputFile out(fs.CreateFile("D\\f"));
    std::vector<uint8_t> block(BufferedOutputFile::kBufferSize + 3);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i % 251);
    const size_t pieces[] = {5, BufferedOutputFile::kBufferSize - 6, 1, 0, block.size(), 2};
    for (size_t n : pieces) {
      out.WriteEach(block.data(), n);
      expected.append(reinterpret_cast<const char*>(block.data()), n);
      out.Write(0xAB);
      expected.push_back(static_cast<char>(0xAB));
    }
    out.Close();
  }
  EXPECT_EQ(fs.files.at("D\\f"), expected);
  EXPECT_EQ(fs.writeCalls,
            static_cast<int>((expected.size() + BufferedOutputFile::kBufferSize - 1) /
                             BufferedOutputFile::kBufferSize));
}

// A photo handed over whole, after some single bytes or none: the bytes come out in order, and a
// buffer-full or more with nothing waiting goes to the file in one call without the buffer.
TEST(BufferedOutputFile, LargeBlockGoesStraightThrough) {
  std::vector<uint8_t> block(2 * BufferedOutputFile::kBufferSize + 5);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i % 253);
  struct Case {
    size_t before;
    int calls;
  };
  // before: single bytes written first; calls: write calls to the file in all.
  const Case cases[] = {{0, 1}, {3, 2}};
  for (const Case& c : cases) {
    testing::FakeFileSystem fs;
    fs.dirs.insert("D");
    std::string expected;
    BufferedOutputFile out(fs.CreateFile("D\\f"));
    for (size_t i = 0; i < c.before; ++i) {
      out.Write(0x5A);
      expected.push_back(0x5A);
    }
    out.WriteEach(block.data(), block.size());
    expected.append(reinterpret_cast<const char*>(block.data()), block.size());
    out.Close();
    EXPECT_EQ(fs.files.at("D\\f"), expected) << c.before;
    EXPECT_EQ(fs.writeCalls, c.calls) << c.before;
  }
}

TEST(BufferedOutputFile, ErrorsSurfaceOnFlushAndClose) {
  for (const size_t room : {size_t{0}, size_t{100}, BufferedOutputFile::kBufferSize + 5}) {
    testing::FakeFileSystem fs;
    fs.dirs.insert("D");
    fs.spaceLeft = static_cast<long long>(room);
    BufferedOutputFile out(fs.CreateFile("D\\f"));
    auto writeAll = [&] {
      for (size_t i = 0; i < 2 * BufferedOutputFile::kBufferSize; ++i) out.Write(1);
      out.Close();
    };
    EXPECT_THROW(writeAll(), EInOutError) << room;
    const std::vector<uint8_t> block(3 * BufferedOutputFile::kBufferSize, 7);
    BufferedOutputFile again(fs.CreateFile("D\\g"));
    EXPECT_THROW(again.WriteEach(block.data(), block.size()), EInOutError) << room;
  }
}

}  // namespace
}  // namespace zv
