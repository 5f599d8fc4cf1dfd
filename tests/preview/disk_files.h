#pragma once
// A FileSystem for tests: files on the local disk through the C++ library, so that the same
// test runs natively and under Wine; a write can be made to fail.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ui/errors.h"
#include "ui/platform.h"

namespace zv::testing {

namespace fs = std::filesystem;

class DiskFiles : public FileSystem {
 public:
  bool failWrites = false;
  class File : public OutputFile {
   public:
    File(const std::string& path, bool fail) : out_(path, std::ios::binary), fail_(fail) {}
    void Write(const void* data, size_t size) override {
      if (fail_) throw EInOutError(InOutErrorText(112), 112);
      out_.write(static_cast<const char*>(data), std::streamsize(size));
    }
    void FlushToDisk() override { out_.flush(); }
    void Close() override { out_.close(); }

   private:
    std::ofstream out_;
    bool fail_;
  };
  bool DirectoryExists(const std::string& p) override { return fs::is_directory(p); }
  bool FileExists(const std::string& p) override { return fs::is_regular_file(p); }
  bool CreateDir(const std::string& p) override { return fs::create_directory(p); }
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override {
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder)) throw EInOutError(InOutErrorText(3), 3);
    return std::make_unique<File>(path, failWrites);
  }
  void RenameReplace(const std::string& s, const std::string& t) override { fs::rename(s, t); }
  bool DeleteFile(const std::string& p) override {
    std::error_code ec;
    return fs::remove(p, ec);
  }
};

}  // namespace zv::testing
