#pragma once
// What the fuzz targets share: a reader of the fuzzer's bytes, a phone held in memory, a local
// file system held in memory that stops the run at once if any path leaves the archive root, and
// the headless main window built on them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "app/form3.h"
#include "app/settings/settings_store.h"
#include "phone/phone_api.h"
#include "phone/phone_entry.h"
#include "trayicon/fake_notify_area.h"
#include "ui/application.h"
#include "ui/errors.h"
#include "ui/platform.h"

namespace zv::fuzz {

// Stops the target with a message (control bytes written as \xNN): the fuzzer records the input
// as a crash.
[[noreturn]] inline void Fail(const std::string& what) {
  std::string shown;
  for (unsigned char c : what) {
    if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      shown += hex;
    } else {
      shown += char(c);
    }
  }
  std::fprintf(stderr, "invariant broken: %s\n", shown.c_str());
  std::abort();
}
#define ZV_FUZZ_CHECK(cond, what)                                    \
  do {                                                               \
    if (!(cond)) ::zv::fuzz::Fail(std::string(#cond ": ") + (what)); \
  } while (0)

// Takes the fuzzer's bytes front to back; past the end everything reads as zero.
class Input {
 public:
  Input(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(Byte()) << (8 * i);
    return v;
  }
  std::string Bytes(size_t n) {
    const size_t take = std::min(n, size_ - std::min(at_, size_));
    std::string s(reinterpret_cast<const char*>(data_ + std::min(at_, size_)), take);
    at_ += take;
    return s;
  }
  // A length-prefixed string of at most max bytes.
  std::string Text(size_t max) { return Bytes(std::min<size_t>(Byte(), max)); }
  std::string Rest() { return Bytes(size_ - std::min(at_, size_)); }
  bool Empty() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A phone's file system in memory, answering as the published library does (0 on success, -1 on
// failure), with faults chosen by the fuzzer. The directory is either the files themselves or
// raw records given by the target.
class MemoryPhone : public PhoneApi {
 public:
  std::map<std::string, std::string> files;  // Windows-1251 path -> bytes
  std::vector<PhoneFileEntry> rawDirectory;  // when useRaw: what File_List delivers
  bool useRaw = false;
  bool countGiven = false;  // File_Count answers reportedCount, else the number of records
  int reportedCount = 0;
  // Faults: the nth call of a kind (counted from 1) fails; 0 never.
  int failRead = 0, failCreate = 0, failDelete = 0, failClose = 0;
  int shortRead = -1;      // when >= 0: a read delivers at most this and answers the count
  int lastListCount = -1;  // the count of the last File_List
  int reads = 0, creates = 0, deletes = 0, closes = 0, lists = 0;
  std::vector<std::string> deleted;

  int P2K_Init(P2KStatusCallback) override { return 0; }
  int P2K_GetStatus() override { return 1; }
  int File_Count() override {
    if (countGiven) return reportedCount;
    return useRaw ? int(rawDirectory.size()) : int(files.size());
  }
  int File_List(void* buffer, int count) override {
    ++lists;
    lastListCount = count;
    ZV_FUZZ_CHECK(count <= 65536, "a directory buffer beyond the entry bound");
    auto* out = static_cast<PhoneFileEntry*>(buffer);
    int i = 0;
    if (useRaw) {
      for (; i < count && size_t(i) < rawDirectory.size(); ++i) out[i] = rawDirectory[size_t(i)];
    } else {
      for (auto it = files.begin(); it != files.end() && i < count; ++it, ++i)
        out[i] = PhoneFileEntry::Make(int32_t(it->second.size()), it->first);
    }
    return 0;
  }
  int File_Create(const char* path, int) override {
    ZV_FUZZ_CHECK(path != nullptr, "null path");
    ++creates;
    open_ = path;
    isOpen_ = failCreate != creates && files.count(open_) != 0;
    if (!isOpen_ && open_ == kProfileFile && failCreate != creates) {
      files[open_] = "";  // created for writing
      isOpen_ = true;
    }
    return isOpen_ ? 0 : -1;
  }
  int File_Read(void* buffer, int size) override {
    ++reads;
    ZV_FUZZ_CHECK(buffer != nullptr, "File_Read without a buffer");
    ZV_FUZZ_CHECK(size >= 0, "negative read size");
    if (!isOpen_ || failRead == reads) return -1;
    const std::string& f = files[open_];
    size_t n = std::min(size_t(size), f.size());
    if (shortRead >= 0 && n > size_t(shortRead)) n = size_t(shortRead);
    std::copy(f.begin(), f.begin() + long(n), static_cast<char*>(buffer));
    if (shortRead >= 0) return int(n);
    return n == size_t(size) ? 0 : -1;
  }
  int File_Write(const void* buffer, int size) override {
    ZV_FUZZ_CHECK(buffer != nullptr && size >= 0, "bad write");
    if (!isOpen_) return -1;
    files[open_].assign(static_cast<const char*>(buffer), size_t(size));
    return 0;
  }
  int File_Close() override {
    ++closes;
    isOpen_ = false;
    return failClose == closes ? -1 : 0;
  }
  int File_Delete(const char* path) override {
    ++deletes;
    ZV_FUZZ_CHECK(path != nullptr, "null path");
    if (failDelete == deletes || files.erase(path) == 0) return -1;
    deleted.push_back(path);
    return 0;
  }

 private:
  std::string open_;
  bool isOpen_ = false;
};

// Local files in memory under one root. Every path the program hands over must lie below the
// root (or be a prefix of it while the folders are made); anything else stops the run.
class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string root) : root_(std::move(root)) {}
  std::map<std::string, std::string> files;  // full path -> bytes
  std::map<std::string, bool> folders;       // full path with a trailing "\" -> exists
  int failWriteAfter = -1;                   // > 0: writes fail once that many bytes are in
  bool failFlush = false;                    // every flush to the disk fails
  std::set<std::string> unreadable;          // files that cannot be read back

  void CheckBelowRoot(const std::string& path, bool prefixAllowed) {
    const std::string below = root_ + "\\";
    if (path.compare(0, below.size(), below) == 0) {
      const std::string rest = path.substr(below.size());
      // No way out: no ".." level, no second root, no device or stream.
      size_t start = 0;
      while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        const std::string level = rest.substr(start, end - start);
        ZV_FUZZ_CHECK(level != ".." && level != ".", "a relative level in " + path);
        ZV_FUZZ_CHECK(level.find_first_of(":/*?\"<>|") == std::string::npos,
                      "a character Windows refuses in " + path);
        start = end + 1;
      }
      return;
    }
    ZV_FUZZ_CHECK(prefixAllowed && below.compare(0, path.size(), path) == 0,
                  "a path outside the archive root: " + path);
  }

  bool DirectoryExists(const std::string& path) override {
    CheckBelowRoot(path, true);
    if (below(path)) return folders.count(WithSlash(path)) != 0;
    return true;  // the root's own levels exist
  }
  bool FileExists(const std::string& path) override {
    CheckBelowRoot(path, false);
    return files.count(path) != 0;
  }
  bool CreateDir(const std::string& path) override {
    CheckBelowRoot(path, true);
    if (!below(path)) return false;
    const std::string folder = WithSlash(path);
    const std::string parent = Parent(folder);
    if (parent.size() > root_.size() + 1 && folders.count(parent) == 0) return false;
    if (files.count(folder.substr(0, folder.size() - 1))) return false;
    folders[folder] = true;
    return true;
  }
  class File : public OutputFile {
   public:
    File(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    void Write(const void* data, size_t size) override {
      std::string& f = fs_.files.at(path_);
      if (fs_.failWriteAfter > 0 && f.size() + size > size_t(fs_.failWriteAfter))
        throw EInOutError(InOutErrorText(112), 112);
      f.append(static_cast<const char*>(data), size);
    }
    void FlushToDisk() override {
      if (fs_.failFlush) throw EInOutError(InOutErrorText(1117), 1117);
    }
    bool RenameNoReplace(const std::string& target) override {
      fs_.CheckBelowRoot(target, false);
      if (fs_.files.count(target) || fs_.folders.count(WithSlash(target))) return false;
      fs_.RenameReplace(path_, target);
      path_ = target;
      return true;
    }
    void Close() override {}

   private:
    MemoryFileSystem& fs_;
    std::string path_;
  };
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override {
    CheckBelowRoot(path, false);
    if (folders.count(Parent(path)) == 0) throw EInOutError(InOutErrorText(3), 3);
    files[path].clear();
    return std::make_unique<File>(*this, path);
  }
  void RenameReplace(const std::string& source, const std::string& target) override {
    CheckBelowRoot(source, false);
    CheckBelowRoot(target, false);
    auto it = files.find(source);
    if (it == files.end()) throw EInOutError(InOutErrorText(2), 2);
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[target] = std::move(bytes);
  }
  bool DeleteFile(const std::string& path) override {
    CheckBelowRoot(path, false);
    return files.erase(path) != 0;
  }
  bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) override {
    CheckBelowRoot(path, false);
    data.clear();
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return false;
    data.assign(it->second.begin(), it->second.begin() + std::min(limit, it->second.size()));
    return true;
  }

  bool ListFiles(const std::string& folder, std::vector<FileEntry>& found) override {
    CheckBelowRoot(folder, true);
    found.clear();
    const std::string prefix = WithSlash(folder);
    if (!below(folder) || folders.count(prefix) == 0) return false;
    for (auto it = files.lower_bound(prefix);
         it != files.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
      if (it->first.find('\\', prefix.size()) == std::string::npos)
        found.push_back({it->first.substr(prefix.size()), it->second.size()});
    }
    return true;
  }

  const std::string& Root() const { return root_; }

 private:
  bool below(const std::string& path) const {
    return path.size() > root_.size() + 1 && path.compare(0, root_.size() + 1, root_ + "\\") == 0;
  }
  static std::string WithSlash(const std::string& p) {
    return !p.empty() && p.back() == '\\' ? p : p + "\\";
  }
  static std::string Parent(const std::string& p) {
    const size_t at = p.find_last_of('\\', p.size() >= 2 ? p.size() - 2 : 0);
    return at == std::string::npos ? "" : p.substr(0, at + 1);
  }
  std::string root_;
};

class MemorySettings : public SettingsStore {
 public:
  std::string ReadString(const std::string&, const std::string&, const std::string& def) override {
    return def;
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
  std::string FileName() const override { return "Zarvelinthoscope.ini"; }
};

class RecordingBoxes : public MessageBoxes {
 public:
  std::vector<std::string> messages, errors;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
};

// The headless main window over the memory phone and files, as the program builds it.
struct Form {
  explicit Form(const std::string& root) : files(root) {
    form1 = std::make_unique<TForm1>(FormServices{phone, boxes, files, settings, tray, nullptr});
    app.SetMainForm(*form1);
    form3 = std::make_unique<TForm3>();
    form1->Form3 = form3.get();
    form1->DirectoryEdit1.SetText(root);
  }
  ~Form() {
    form1.reset();
    form3.reset();
  }
  template <class F>
  bool Dispatch(F&& f) {
    return app.Dispatch(std::forward<F>(f));
  }

  MemoryPhone phone;
  RecordingBoxes boxes;
  MemoryFileSystem files;
  MemorySettings settings;
  FakeNotifyArea tray;
  TApplication app{boxes};
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm3> form3;
};

}  // namespace zv::fuzz
