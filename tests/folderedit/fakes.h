#pragma once
// Fakes of the folder box's platform services: a folder dialog that answers as scripted and
// records how it was asked, and a file system that knows a fixed set of folders.
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "folderedit/folder_dialog.h"
#include "ui/platform.h"

namespace zv::testing_support {

class FakeFolderDialog : public FolderDialog {
 public:
  // The answer: confirmed with `Chosen` (as the shell gives it), or cancelled.
  bool Confirm = true;
  std::string Chosen;
  // Runs while the dialog is "open", before it answers (may throw, as a failed path does).
  std::function<void()> WhileOpen;

  std::vector<BrowseFolderRequest> Requests;
  bool ErrorsSuppressed = false;
  bool ErrorsSuppressedWhileOpen = false;
  int Restores = 0;

  bool Browse(const BrowseFolderRequest& request, std::string& path) override {
    Requests.push_back(request);
    ErrorsSuppressedWhileOpen = ErrorsSuppressed;
    if (WhileOpen) WhileOpen();
    if (!Confirm) return false;
    path = Chosen;
    return true;
  }
  unsigned SuppressCriticalErrors() override {
    ErrorsSuppressed = true;
    return 7;
  }
  void RestoreCriticalErrors(unsigned previous) override {
    if (previous != 7) throw std::logic_error("restored a setting that was never saved");
    ErrorsSuppressed = false;
    ++Restores;
  }
};

class FakeFolders : public FileSystem {
 public:
  std::set<std::string> Folders;
  bool DirectoryExists(const std::string& path) override { return Folders.count(path) > 0; }
  bool FileExists(const std::string&) override { return false; }
  bool CreateDir(const std::string&) override { return false; }
  std::unique_ptr<OutputFile> CreateFile(const std::string&) override {
    throw std::logic_error("not used by the folder box");
  }
  void RenameReplace(const std::string&, const std::string&) override {
    throw std::logic_error("not used by the folder box");
  }
  bool DeleteFile(const std::string&) override { return false; }
};

}  // namespace zv::testing_support
