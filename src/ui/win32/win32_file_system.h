#pragma once
// FileSystem through the system's UTF-16 calls, so that Cyrillic folder and file names come out
// right on a Windows of any language. Errors carry GetLastError's code and InOutErrorText's text.
//
// Archive paths can be longer than the system's 260-character bound (a long archive root and a
// profile of up to 200 characters, then the month, day and photo names). Such a path goes to the
// system in its "\\?\" form (see ExtendedLengthPath), which Windows takes up to 32767 characters
// whatever the system's long-path setting; shorter paths go as they are.
#include <string>

#include "ui/platform.h"

namespace zv {

// The path as the W calls get it: a path shorter than 248 characters (CreateDirectoryW's bound:
// 260 less room for an 8.3 name) unchanged; a longer one made absolute and normalised by
// GetFullPathNameW ("/" to "\", "." and ".." resolved, doubled separators joined, which the
// "\\?\" form would otherwise take literally) and given the prefix "\\?\", or "\\?\UNC\"
// for a network path. A path that already has a "\\?\" or "\\.\" prefix is left alone.
std::wstring ExtendedLengthPath(const std::wstring& path);

class Win32FileSystem : public FileSystem {
 public:
  Win32FileSystem() = default;
  // With renameByName, files are renamed by their names as on a system whose ntdll offers no
  // rename of an open file (for the tests of that way).
  explicit Win32FileSystem(bool renameByName) : renameByName_(renameByName) {}

  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override;
  void RenameReplace(const std::string& source, const std::string& target) override;
  bool DeleteFile(const std::string& path) override;
  bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) override;
  // FindFirstFileW / FindNextFileW: the sizes come with the names, one call per batch of them.
  bool ListFiles(const std::string& folder, std::vector<FileEntry>& files) override;
  bool ListFolders(const std::string& folder, std::vector<std::string>& names) override;

 private:
  bool renameByName_ = false;
};

}  // namespace zv
