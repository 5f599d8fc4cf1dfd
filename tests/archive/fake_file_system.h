#pragma once
// An in-memory FileSystem for the archive tests: folders and files by path, every call logged,
// and failures on demand (a folder that cannot be created, a disk that fills up).
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/errors.h"
#include "ui/platform.h"

namespace zv::testing {

class FakeFileSystem : public FileSystem {
 public:
  // Paths are normalised by dropping one trailing "\".
  static std::string Key(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
  }

  bool DirectoryExists(const std::string& path) override {
    log.push_back("exists " + path);
    return dirs.count(Key(path)) > 0;
  }
  bool FileExists(const std::string& path) override { return files.count(Key(path)) > 0; }
  bool CreateDir(const std::string& path) override {
    log.push_back("mkdir " + path);
    const std::string k = Key(path);
    if (files.count(k) || dirs.count(k) || refuseDirs.count(k)) return false;
    dirs.insert(k);
    return true;
  }
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override;
  void RenameReplace(const std::string& source, const std::string& target) override {
    log.push_back("rename " + source + " -> " + target);
    files[Key(target)] = files.at(Key(source));
    files.erase(Key(source));
  }
  bool DeleteFile(const std::string& path) override {
    log.push_back("delete " + path);
    return files.erase(Key(path)) > 0;
  }
  bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) override {
    log.push_back("read " + path);
    data.clear();
    const auto it = files.find(Key(path));
    if (it == files.end() || unreadable.count(Key(path))) return false;
    data.assign(it->second.begin(), it->second.begin() + std::min(limit, it->second.size()));
    return true;
  }

  bool ListFiles(const std::string& folder, std::vector<FileEntry>& found) override {
    log.push_back("list " + folder);
    found.clear();
    const std::string k = Key(folder);
    if (!dirs.count(k)) return false;
    for (const auto& [path, bytes] : files) {
      if (path.size() > k.size() + 1 && path.compare(0, k.size() + 1, k + "\\") == 0 &&
          path.find('\\', k.size() + 1) == std::string::npos)
        found.push_back({path.substr(k.size() + 1), bytes.size()});
    }
    return true;
  }

  bool ListFolders(const std::string& folder, std::vector<std::string>& found) override {
    log.push_back("folders " + folder);
    found.clear();
    const std::string k = Key(folder);
    if (!dirs.count(k)) return false;
    for (const auto& dir : dirs) {
      if (dir.size() > k.size() + 1 && dir.compare(0, k.size() + 1, k + "\\") == 0 &&
          dir.find('\\', k.size() + 1) == std::string::npos)
        found.push_back(dir.substr(k.size() + 1));
    }
    return true;
  }

  std::set<std::string> dirs;
  std::map<std::string, std::string> files;
  std::set<std::string> refuseDirs;
  std::set<std::string> unreadable;  // files that ReadFile cannot read
  std::vector<std::string> log;
  bool denyCreate = false;   // every CreateFile fails with access denied
  bool failFlush = false;    // every FlushToDisk fails with an I/O error
  int writeCalls = 0;        // Write calls on every file
  long long spaceLeft = -1;  // bytes that may still be written; -1 for no limit
};

class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(FakeFileSystem& fs, std::string key) : fs_(fs), key_(std::move(key)) {}
  // A file that an error left open is closed here, as the real ones are.
  ~FakeOutputFile() override {
    if (!closed_) fs_.log.push_back("close " + key_);
  }
  void Write(const void* data, size_t size) override {
    ++fs_.writeCalls;
    if (fs_.spaceLeft >= 0) {
      if (static_cast<long long>(size) > fs_.spaceLeft) throw EInOutError("Disk full", 112);
      fs_.spaceLeft -= static_cast<long long>(size);
    }
    fs_.files[key_].append(static_cast<const char*>(data), size);
  }
  void FlushToDisk() override {
    fs_.log.push_back("flush " + key_);
    if (fs_.failFlush) throw EInOutError(InOutErrorText(1117), 1117);
  }
  bool RenameNoReplace(const std::string& target) override {
    fs_.log.push_back("rename " + key_ + " -> " + target);
    const std::string k = FakeFileSystem::Key(target);
    if (fs_.files.count(k) || fs_.dirs.count(k)) return false;
    fs_.files[k] = std::move(fs_.files.at(key_));
    fs_.files.erase(key_);
    key_ = k;
    return true;
  }
  void Close() override {
    closed_ = true;
    fs_.log.push_back("close " + key_);
  }

 private:
  FakeFileSystem& fs_;
  std::string key_;
  bool closed_ = false;
};

inline std::unique_ptr<OutputFile> FakeFileSystem::CreateFile(const std::string& path) {
  log.push_back("create " + path);
  if (denyCreate) throw EInOutError("File access denied", 5);
  const std::string k = Key(path);
  const size_t slash = k.rfind('\\');
  if (slash == std::string::npos || !dirs.count(k.substr(0, slash))) {
    throw EInOutError("Invalid filename", 3);
  }
  files[k].clear();
  return std::make_unique<FakeOutputFile>(*this, k);
}

}  // namespace zv::testing
