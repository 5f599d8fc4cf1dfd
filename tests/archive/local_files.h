#pragma once
// The real local file system for tests (NativeFileSystem natively, Win32FileSystem under Wine)
// and a temporary folder that removes itself. Paths are UTF-8 text.
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "ui/platform.h"
#if defined(_WIN32)
#include "ui/win32/win32_file_system.h"
#else
#include "ui/native_file_system.h"
#endif

namespace zv::testing {

inline std::unique_ptr<FileSystem> MakeLocalFileSystem() {
#if defined(_WIN32)
  return std::make_unique<Win32FileSystem>();
#else
  return std::make_unique<NativeFileSystem>();
#endif
}

// A whole file's bytes ("" when it cannot be read).
inline std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("zv_test_" + std::to_string(rd()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder as UTF-8 text, as the program would take it from its folder box.
  std::string Utf8() const { return Utf8FromPath(path_); }
  // A path below the folder, given as UTF-8 with "/" separators.
  std::filesystem::path Below(const std::string& relative) const {
    return path_ / PathFromUtf8(relative);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zv::testing
