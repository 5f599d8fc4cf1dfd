#pragma once
// A headless main window for the listing and the download run: the photo grid, the simulated
// phone, a temporary archive folder, message boxes and panels that remember what they showed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/download_run.h"
#include "catalogue/listing.h"
#include "gridview/photo_columns.h"
#include "local_files.h"
#include "testing/sim_phone.h"
#include "ui/text.h"

namespace zv::testing {

class RecordingBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> messages;
  std::vector<std::string> errors;
};

class RunFixture : public ::testing::Test {
 protected:
  RunFixture() { SetupPhotoGrid(grid); }

  // A photo in the phone's picture folder; its bytes are derived from its name and size.
  static std::string PhotoBytes(const std::string& name, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(name[i % name.size()] + i);
    return bytes;
  }
  void AddPhoto(const std::string& name, size_t size = 1000) {
    phone.AddFile("/a/mobile/picture/" + name, PhotoBytes(name, size));
  }

  ListingHost ListingHostFor() {
    return ListingHost{grid,
                       phone.Api(),
                       FoundCount,
                       PhotoCount,
                       [this](bool on) { busyLog.push_back(on); },
                       [this](int p, const std::string& t) { panels[p] = t; },
                       [this] { downloadEnabled = true; }};
  }
  void List() {
    grid.ClearRows();
    ListingHost host = ListingHostFor();
    ListPhotos(host);
    phone.ClearLog();
    busyLog.clear();
  }

  DownloadRunHost RunHostFor(FileSystem& files) {
    return DownloadRunHost{grid,
                           phone.Api(),
                           files,
                           boxes,
                           FoundCount,
                           PhotoCount,
                           [this] { return profile; },
                           [this] { return root; },
                           [this](bool on) { busyLog.push_back(on); },
                           [this](int p, const std::string& t) { panels[p] = t; }};
  }
  DownloadRunResult Run() {
    DownloadRunHost host = RunHostFor(*localFiles);
    return RunDownload(host);
  }

  // The grid's File column from the top.
  std::vector<std::string> GridNames() {
    std::vector<std::string> names;
    for (int r = 0; r < grid.RowCount(); ++r) {
      names.push_back(Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()));
    }
    return names;
  }
  // The row that shows a photo name (the simulator lists its folder in its own order).
  int RowOf(const std::string& name) {
    const std::vector<std::string> names = GridNames();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) throw std::runtime_error("no row " + name);
    return static_cast<int>(it - names.begin());
  }
  void Check(int column, int row, bool value) { grid.CellAt(column, row).SetAsBoolean(value); }

  // The archive file of a photo of profile "Phone1" below the temporary root.
  std::filesystem::path ArchiveFile(const std::string& relative) const {
    return archive.Below("Phone1/" + relative);
  }

  SimPhone phone;
  TGridView grid;
  TempDir archive;
  std::unique_ptr<FileSystem> localFiles = MakeLocalFileSystem();
  RecordingBoxes boxes;
  std::string profile = "Phone1";
  std::string root = archive.Utf8();
  int FoundCount = 0;
  int PhotoCount = 0;
  std::map<int, std::string> panels;
  std::vector<bool> busyLog;
  bool downloadEnabled = false;
};

}  // namespace zv::testing
