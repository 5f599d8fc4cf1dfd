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

// The phone answers File_Read in the published style (0 on success) unless a test switches
// it with phone.SetResults or runs over both styles (ByStyle below).
class RunFixture : public ::testing::Test {
 public:

  // A photo in the phone's picture folder; its bytes are derived from its name and size. From
  // 8 bytes on they are shaped as a JPEG (start marker, one comment segment, end marker), so that
  // a read cut short shows as a JPEG without its end, as with a real photo.
  static std::string PhotoBytes(const std::string& name, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(name[i % name.size()] + i);
    if (size >= 8) {
      const size_t segment = size - 6;  // the comment's length field counts itself
      bytes[0] = '\xFF', bytes[1] = '\xD8', bytes[2] = '\xFF', bytes[3] = '\xFE';
      bytes[4] = static_cast<char>(segment >> 8), bytes[5] = static_cast<char>(segment & 0xFF);
      bytes[size - 2] = '\xFF', bytes[size - 1] = '\xD9';
    }
    return bytes;
  }

 protected:
  RunFixture() { SetupPhotoGrid(grid); }
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
                       [this] { downloadEnabled = true; },
                       {},
                       &sources};
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
                           [this](int p, const std::string& t) { panels[p] = t; },
                           {},
                           &sources};
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
  PhotoSources sources;
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

// A run fixture whose tests run once in each result style of the phone library.
class ByStyle : public RunFixture, public ::testing::WithParamInterface<SimResults> {
 protected:
  ByStyle() { phone.SetResults(GetParam()); }
};

inline std::string StyleName(const ::testing::TestParamInfo<SimResults>& info) {
  return info.param == SimResults::kPublished ? "Published" : "ByteCounts";
}

}  // namespace zv::testing

// Runs the TEST_Ps of a ByStyle fixture in both result styles.
#define ZV_IN_BOTH_RESULT_STYLES(fixture)                                                      \
  INSTANTIATE_TEST_SUITE_P(Styles, fixture,                                                    \
                           ::testing::Values(SimResults::kPublished, SimResults::kByteCounts), \
                           ::zv::testing::StyleName)
