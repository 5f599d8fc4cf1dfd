#pragma once
// The few host services the simulated phone library needs: its environment setting, its own
// folder, and files opened by host path (UTF-16 file calls on Windows, so Cyrillic names work).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace zv::sim {

namespace fs = std::filesystem;

// The value of an environment variable of the process as a path; nullopt when unset or empty.
// Defined per platform (posix/, win32/).
std::optional<fs::path> EnvironmentPath(const char* name);

// The folder that holds the loaded simulator library. Defined per platform.
fs::path LibraryFolder();

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// fopen by host path; mode as for fopen ("rb", "w+b", "ab").
inline UniqueFile OpenHostFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return UniqueFile(_wfopen(path.c_str(), wide_mode.c_str()));
#else
  return UniqueFile(std::fopen(path.c_str(), mode));
#endif
}

// What tells a file's versions apart: its modification time in the host's finest unit, and its
// size. A rewrite within the file system's timestamp granularity with the same size keeps the
// stamp; WatchedFile (sim_control.h) allows for that.
struct FileStamp {
  int64_t modified = 0;  // kStampTicksPerSecond ticks since the host's epoch
  uint64_t size = 0;
  bool operator==(const FileStamp&) const = default;
};
#ifdef _WIN32
inline constexpr int64_t kStampTicksPerSecond = 10'000'000;  // FILETIME's 100 ns
#else
inline constexpr int64_t kStampTicksPerSecond = 1'000'000'000;  // nanoseconds
#endif

// The file's stamp; nullopt when there is no such file. Defined per platform.
std::optional<FileStamp> StampOf(const fs::path& path);
// The time now on the clock that stamps files, in the same ticks. Defined per platform.
int64_t StampNow();

// A whole small file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadSmallFile(const fs::path& path);

// Replaces a file's content; false on failure.
bool WriteWholeFile(const fs::path& path, const std::string& bytes);

}  // namespace zv::sim
