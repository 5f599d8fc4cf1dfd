#pragma once
// The few host services the simulated phone library needs: its environment setting, its own
// folder, and files opened by host path (UTF-16 file calls on Windows, so Cyrillic names work).
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

// A whole small file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadSmallFile(const fs::path& path);

// Replaces a file's content; false on failure.
bool WriteWholeFile(const fs::path& path, const std::string& bytes);

}  // namespace zv::sim
