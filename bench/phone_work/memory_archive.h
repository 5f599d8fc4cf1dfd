#pragma once
// A phone and a local file system kept in memory, for timing the run's own work: no phone link,
// no disk. Both answer in time that grows only with what a call touches (one photo, one folder),
// so a run that asked for more than it needs, such as a folder's listing for every photo, shows
// in the figures.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "directory_phone.h"
#include "ui/errors.h"
#include "ui/platform.h"

namespace zv {

// The directory of DirectoryPhone, and the photos' bytes behind it for File_Create, File_Read,
// File_Close and File_Delete.
class MemoryPhone : public DirectoryPhone {
 public:
  // Adds a file at its phone path (Windows-1251, "/" separated), to the directory and the store.
  void AddFile(const std::string& path, std::string bytes) {
    entries.push_back(PhoneFileEntry::Make(static_cast<int32_t>(bytes.size()), path));
    files_[path] = std::move(bytes);
  }

  int File_Create(const char* path, int) override {
    const auto found = files_.find(path);
    open_ = found == files_.end() ? nullptr : &found->second;
    return open_ ? 0 : -1;
  }
  int File_Read(void* buffer, int size) override {
    if (!open_ || size < 0) return -1;
    std::memcpy(buffer, open_->data(), std::min(open_->size(), static_cast<size_t>(size)));
    return 0;
  }
  int File_Close() override {
    const bool was = open_ != nullptr;
    open_ = nullptr;
    return was ? 0 : -1;
  }
  int File_Delete(const char* path) override {
    if (!files_.erase(path)) return -1;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const PhoneFileEntry& e) { return e.Path() == path; }),
                  entries.end());
    return 0;
  }

 private:
  std::unordered_map<std::string, std::string> files_;
  const std::string* open_ = nullptr;
};

// Folders of files by path ("\" separated, as the program gives them). A file is found in time
// that does not grow with its folder, so that what grows is the program's; a folder's listing
// costs what the folder holds, as a real one does.
class MemoryFiles : public FileSystem {
 public:
  using Folder = std::unordered_map<std::string, std::string>;  // name -> bytes

  bool DirectoryExists(const std::string& path) override { return folders.count(Key(path)) > 0; }
  bool FileExists(const std::string& path) override {
    const auto [folder, name] = Split(path);
    const auto at = folders.find(folder);
    return at != folders.end() && at->second.count(name) > 0;
  }
  bool CreateDir(const std::string& path) override {
    const std::string key = Key(path);
    if (FileExists(key) || folders.count(key)) return false;
    folders[key];
    return true;
  }
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override {
    const auto [folder, name] = Split(path);
    const auto at = folders.find(folder);
    if (at == folders.end()) throw EInOutError("Invalid filename", 3);
    std::string& bytes = at->second[name];
    bytes.clear();
    return std::make_unique<File>(*this, path, bytes);
  }
  void RenameReplace(const std::string& source, const std::string& target) override {
    std::string bytes = std::move(Find(source));
    Erase(source);
    const auto [folder, name] = Split(target);
    folders[folder][name] = std::move(bytes);
  }
  bool DeleteFile(const std::string& path) override { return Erase(path); }
  bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) override {
    data.clear();
    if (!FileExists(path)) return false;
    const std::string& bytes = Find(path);
    data.assign(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(std::min(limit, bytes.size())));
    return true;
  }
  bool ListFiles(const std::string& folder, std::vector<FileEntry>& files) override {
    ++listings;
    files.clear();
    const auto at = folders.find(Key(folder));
    if (at == folders.end()) return false;
    files.reserve(at->second.size());
    for (const auto& [name, bytes] : at->second) files.push_back({name, bytes.size()});
    return true;
  }

  // Every folder, by path without a trailing "\".
  std::map<std::string, Folder> folders;
  // Folder listings asked for, for the record.
  int listings = 0;

 private:
  class File : public OutputFile {
   public:
    File(MemoryFiles& files, std::string path, std::string& bytes)
        : files_(files), path_(std::move(path)), bytes_(&bytes) {}
    void Write(const void* data, size_t size) override {
      bytes_->append(static_cast<const char*>(data), size);
    }
    void FlushToDisk() override {}
    bool RenameNoReplace(const std::string& target) override {
      if (files_.FileExists(target) || files_.DirectoryExists(target)) return false;
      files_.RenameReplace(path_, target);
      path_ = target;
      bytes_ = &files_.Find(target);
      return true;
    }
    void Close() override {}

   private:
    MemoryFiles& files_;
    std::string path_;
    std::string* bytes_;
  };

  static std::string Key(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
  }
  static std::pair<std::string, std::string> Split(const std::string& path) {
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
  }
  std::string& Find(const std::string& path) {
    const auto [folder, name] = Split(path);
    return folders.at(folder).at(name);
  }
  bool Erase(const std::string& path) {
    const auto [folder, name] = Split(path);
    const auto at = folders.find(folder);
    return at != folders.end() && at->second.erase(name) > 0;
  }
};

}  // namespace zv
