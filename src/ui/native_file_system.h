#pragma once
// FileSystem on POSIX, for the native build and its tests: "\" in a path becomes "/", and errno
// values become the Windows error codes whose texts InOutErrorText knows (a missing folder 3,
// a missing file 2, access denied 5, disk full 112, too many open files 4).
#include "ui/platform.h"

#if !defined(_WIN32)

namespace zv {

class NativeFileSystem : public FileSystem {
 public:
  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override;
  void RenameReplace(const std::string& source, const std::string& target) override;
  bool DeleteFile(const std::string& path) override;
  // renameat2 with RENAME_NOREPLACE. The folder is not synced after it: the file's bytes are on
  // the disk already (FlushToDisk), and the new name goes into the file system's journal as
  // the Windows program's write-through rename puts it into NTFS's. A sync of the folder per
  // photo would double the disk flushes of a download.
  bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) override;
  bool ListFiles(const std::string& folder, std::vector<FileEntry>& files) override;
  bool ListFolders(const std::string& folder, std::vector<std::string>& names) override;
};

// The POSIX path for a path with "\" separators.
std::string NativePath(const std::string& path);

// The Windows error code for an errno value; missingFolder tells ENOENT on a path whose folder
// is missing (3) from ENOENT on a missing file (2).
int WindowsErrorFromErrno(int error, bool missingFolder);

}  // namespace zv

#endif
