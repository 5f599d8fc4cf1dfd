#pragma once
// Narrow interfaces through which the portable program reaches the platform: message boxes,
// the local file system and the settings file. The Win32 backend implements them with the
// system's W calls; tests use fakes or the portable implementations.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zv {

// Message boxes with one OK button and the application title as caption.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The program's plain message box.
  virtual void ShowMessage(const std::string& text) = 0;
  // The application's error box (error icon); the text is shown as given.
  virtual void ShowError(const std::string& text) = 0;
  // A question with Yes and No; true for Yes. Boxes that cannot ask (tests that never meet a
  // question) answer Yes.
  virtual bool AskYesNo(const std::string& text) {
    (void)text;
    return true;
  }
};

// A local file open for writing. Write and Close throw EInOutError with the runtime's text.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(const void* data, size_t size) = 0;
  // Asks the system to put what was written on the disk, and returns once it is there (not
  // merely in the system's cache).
  virtual void FlushToDisk() = 0;
  // Gives the open file the name `target` (in the same folder) unless something already has that
  // name: a file or a folder, and under Windows the same name in other letters. False, with
  // nothing changed, when the name is taken; throws EInOutError on any other failure. The file
  // stays open under its new name. It is renamed through its open handle where the system
  // offers that, so that the rename costs no second opening of the file by its name.
  virtual bool RenameNoReplace(const std::string& target) = 0;
  virtual void Close() = 0;
};

// One file of a folder, as FileSystem::ListFiles gives it.
struct FileEntry {
  std::string name;    // UTF-8, the name alone
  std::uint64_t size;  // bytes
};

// The local file system. Paths are UTF-8 with "\" separators as the user sees them; the Win32
// implementation hands them to the UTF-16 calls, the native one maps "\" to "/".
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when a folder (not a file) exists there.
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Creates one folder; false on failure.
  virtual bool CreateDir(const std::string& path) = 0;
  // Creates or truncates a file for writing; throws EInOutError on failure.
  virtual std::unique_ptr<OutputFile> CreateFile(const std::string& path) = 0;
  // Replaces target by source (both in the same folder); throws EInOutError on failure.
  virtual void RenameReplace(const std::string& source, const std::string& target) = 0;
  // Deletes a file; false when it could not be deleted.
  virtual bool DeleteFile(const std::string& path) = 0;

  // Reads at most `limit` bytes from the start of the file into data. False when the file
  // cannot be opened or read; the default reads nothing.
  virtual bool ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>& data) {
    (void)path, (void)limit, data.clear();
    return false;
  }
  // The files (not the folders) directly in a folder, in no particular order, with their sizes:
  // one look that answers for every name in it, where testing name after name would cost a call
  // each. False, with files empty, when the folder cannot be read (it does not exist, say); the
  // default can read none.
  virtual bool ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
    (void)folder, files.clear();
    return false;
  }
  // The names of the folders directly in a folder, in no particular order. False, with names
  // empty, when the folder cannot be read; the default can read none.
  virtual bool ListFolders(const std::string& folder, std::vector<std::string>& names) {
    (void)folder, names.clear();
    return false;
  }
};

}  // namespace zv
