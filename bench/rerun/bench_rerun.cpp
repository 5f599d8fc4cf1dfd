// Budget of a second visit:
//   rerun_phone_reads  photos read from the (simulated) phone by a second run over 200 photos of
//                      100 KB that a first run archived and left on the phone; at most 0.
// The times of both runs are printed beside it, for the record.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/download_run.h"
#include "bench_support.h"
#include "catalogue/listing.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"
#include "ui/native_file_system.h"

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;

int Main() {
  constexpr int kPhotos = 200;
  constexpr size_t kSize = 100 * 1024;
  SimPhone phone;
  for (int i = 0; i < kPhotos; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/a/mobile/picture/%02d-%02d-08_%04d.jpg", i / 20 + 1,
                  i < 100 ? 5 : 6, i);
    phone.AddFile(name, Photo(kSize, i));
  }
  TGridView grid;
  SetupPhotoGrid(grid);
  int found = 0, photos = 0;
  PhotoSources sources;
  ListingHost listing{grid, phone.Api(), found, photos, {}, {}, {}, {}, &sources};
  ListPhotos(listing);

  const std::filesystem::path top =
      std::filesystem::temp_directory_path() / ("zv_bench_rerun_" + std::to_string(::getpid()));
  std::filesystem::remove_all(top);
  std::filesystem::create_directories(top);
  NativeFileSystem files;
  SilentBoxes boxes;
  DownloadRunHost host{grid,
                       phone.Api(),
                       files,
                       boxes,
                       found,
                       photos,
                       [] { return std::string("Phone1"); },
                       [&] { return top.string(); },
                       {},
                       {},
                       {},
                       &sources};
  auto reads = [&] {
    const std::vector<std::string> calls = phone.Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), "File_Read"));
  };

  phone.ClearLog();
  auto t0 = Clock::now();
  const DownloadRunResult first = RunDownload(host);
  const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  const int firstReads = reads();
  phone.ClearLog();
  t0 = Clock::now();
  const DownloadRunResult second = RunDownload(host);
  const double secondMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  const int secondReads = reads();
  std::filesystem::remove_all(top);
  if (first.DownloadedCount != kPhotos || second.DownloadedCount != kPhotos ||
      firstReads != kPhotos || grid.RowCount() != kPhotos) {
    std::fprintf(stderr, "first run %d photos (%d reads), second run %d photos\n",
                 first.DownloadedCount, firstReads, second.DownloadedCount);
    return 1;
  }
  std::printf("first run %.0f ms (%d reads), second run %.1f ms (%d reads)\n", firstMs, firstReads,
              secondMs, secondReads);
  std::printf("budget rerun_phone_reads: %d reads (limit 0 reads) %s\n", secondReads,
              secondReads <= 0 ? "ok" : "OVER");
  return 0;
}

}  // namespace
}  // namespace zv

int main() { return zv::Main(); }
