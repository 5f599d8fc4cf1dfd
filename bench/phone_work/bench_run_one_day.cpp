// Budget of a run over a day of many photos:
//   run_one_day_2000_vs_200  the run's own cost per photo (plan, phone and archive work, finish)
//                            over 2,000 photos taken on one day against 200 photos of one day;
//                            at most 1.2 x.
// The phone and the file system are kept in memory, so what is timed is the program's work. Every
// photo's download box is ticked and its delete box clear, and every other photo is in the
// archive already: the run decides for each photo whether the archive holds it, which is where a
// run that looked into the day folder once per photo, rather than once per run, would spend time
// growing with the folder. Each figure is the processor time of the run (not the time that passed:
// see CpuSeconds), the best of several rounds, each from the same start (the archive as it was
// before the run, no data of the run in the processor's caches); the times per photo and the
// folder listings the run asked for are printed beside the budget.
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/download_run.h"
#include "bench_support.h"
#include "archive/folder_scheme.h"
#include "catalogue/listing.h"
#include "gridview/photo_columns.h"
#include "memory_archive.h"

namespace zv {
namespace {

// The processor time this thread has had: a run of 2,000 photos lasts longer than the slice the
// system gives a process on a busy machine, and the time others had meanwhile is no cost of it.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

constexpr int kSmall = 200, kLarge = 2000;
constexpr int kRounds = 25;
// Small photos: the bytes a run moves cost the same per photo whatever the day holds, and would
// only hide the run's own work.
constexpr size_t kPhotoSize = 256;
const char* const kRoot = "M:\\Archive";

std::string PhotoName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "12-05-08_%04d.jpg", i);
  return name;
}

// Writes over more memory than the processor's caches hold, so that each run starts with none
// of its data in them, as a run the user starts some time after the listing does; else the
// 200 photos' data, set up a moment before, would still be there and the 2,000's not.
void ForgetCaches() {
  static std::vector<char> other(64 << 20);
  for (size_t i = 0; i < other.size(); i += 64) ++other[i];
}

struct Round {
  double seconds = 0;
  int downloaded = 0, written = 0, listings = 0;
};

// One run over `photos` photos of one day, the even ones archived before it.
Round RunOnce(int photos) {
  MemoryPhone phone;
  MemoryFiles files;
  for (int i = 0; i < photos; ++i) {
    const std::string name = PhotoName(i);
    std::string bytes = Photo(kPhotoSize, i);
    if (i % 2 == 0) {
      CreateFolderPath(files, ArchiveFolder(kRoot, "Phone1", name));
      files.folders[ArchiveFolder(kRoot, "Phone1", name)][name] = bytes;
    }
    phone.AddFile(kPhotoFolder + name, std::move(bytes));
  }
  const size_t archivedBefore = files.folders[ArchiveFolder(kRoot, "Phone1", PhotoName(0))].size();

  TGridView grid;
  SetupPhotoGrid(grid);
  int found = 0, listed = 0;
  PhotoSources sources;
  ListingHost listing{grid, phone, found, listed, {}, {}, {}, {}, &sources};
  ListPhotos(listing);
  for (int row = 0; row < grid.RowCount(); ++row) {
    grid.CellAt(kDownLoadColumn, row).SetAsBoolean(true);
    grid.CellAt(kDeleteColumn, row).SetAsBoolean(false);
  }

  SilentBoxes boxes;
  DownloadRunHost host{grid,
                       phone,
                       files,
                       boxes,
                       found,
                       listed,
                       [] { return std::string("Phone1"); },
                       [] { return std::string(kRoot); },
                       {},
                       {},
                       {},
                       &sources};
  ForgetCaches();
  const double t0 = CpuSeconds();
  const DownloadRunResult result = RunDownload(host);
  Round round;
  round.seconds = CpuSeconds() - t0;
  round.downloaded = result.DownloadedCount;
  round.written = static_cast<int>(
      files.folders[ArchiveFolder(kRoot, "Phone1", PhotoName(0))].size() - archivedBefore);
  round.listings = files.listings;
  if (listed != photos) round.downloaded = -1;
  return round;
}

// The time per photo of a run over `photos` photos; false when the run did not do what it should.
bool PerPhoto(int photos, double& perPhoto, int& listings) {
  const Round round = RunOnce(photos);
  // Every photo counted as downloaded, the odd half written, the even half found archived.
  if (round.downloaded != photos || round.written != photos / 2) {
    std::fprintf(stderr, "%d photos: %d downloaded, %d written\n", photos, round.downloaded,
                 round.written);
    return false;
  }
  perPhoto = round.seconds / photos;
  listings = round.listings;
  return true;
}

int Main() {
  // Memory given back by one run stays with the process for the next: else the larger run would
  // take it from the system again, page by page, and the smaller would not.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  // The two sizes take turns, so that whatever else the machine does slows both alike; the best
  // round of each counts.
  double small = 1e9, large = 1e9;
  int smallListings = 0, largeListings = 0;
  for (int round = 0; round < kRounds; ++round) {
    double perPhoto = 0;
    if (!PerPhoto(kSmall, perPhoto, smallListings)) return 1;
    small = std::min(small, perPhoto);
    if (!PerPhoto(kLarge, perPhoto, largeListings)) return 1;
    large = std::min(large, perPhoto);
  }
  const double ratio = large / small;
  std::printf(
      "one day of photos of %zu bytes, half of them archived already: %d photos %.2f us a photo "
      "(%d folder listings), %d photos %.2f us a photo (%d folder listings)\n",
      kPhotoSize, kSmall, small * 1e6, smallListings, kLarge, large * 1e6, largeListings);
  std::printf("budget run_one_day_2000_vs_200: %.2f x (limit 1.2 x) %s\n", ratio,
              ratio <= 1.2 ? "ok" : "OVER");
  return 0;
}

}  // namespace
}  // namespace zv

int main() { return zv::Main(); }
