#pragma once
// Narrow interfaces through which the portable program reaches the platform: message boxes,
// the local file system and the settings file. The Win32 backend implements them with the
// system's W calls; tests use fakes or the portable implementations.
#include <cstdint>
#include <memory>
#include <string>

namespace zv {

// Message boxes with one OK button and the application title as caption.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The program's plain message box.
  virtual void ShowMessage(const std::string& text) = 0;
  // The application's error box (error icon); the text is shown as given.
  virtual void ShowError(const std::string& text) = 0;
};

// A local file open for writing. Write and Close throw EInOutError with the runtime's text.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(const void* data, size_t size) = 0;
  virtual void Close() = 0;
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
};

}  // namespace zv
