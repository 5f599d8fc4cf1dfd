#pragma once
// FileSystem through the system's UTF-16 calls, so that Cyrillic folder and file names come out
// right on a Windows of any language. Errors carry GetLastError's code and InOutErrorText's text.
#include "ui/platform.h"

namespace zv {

class Win32FileSystem : public FileSystem {
 public:
  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override;
  void RenameReplace(const std::string& source, const std::string& target) override;
  bool DeleteFile(const std::string& path) override;
};

}  // namespace zv
