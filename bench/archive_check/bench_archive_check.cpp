// Budget of the archive marks on a large listing:
//   listing_archive_check_vs_none  a listing of 65,536 photos from an in-memory phone into the
//                                  grid followed by the archive marks of the rows its first
//                                  screen shows, against a temporary archive holding 10,000 of
//                                  them in 300 day folders, over the same listing and marks
//                                  with no archive there; at most 1.5 x.
// The marks are looked up as rows are shown, so the bare listing, and the cost of marking every
// row at once (what a scroll through all of them adds up to), are printed beside it for the
// record. Each figure is the best of several repetitions.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "archive/archive_check.h"
#include "archive/folder_scheme.h"
#include "catalogue/listing.h"
#include "directory_phone.h"
#include "gridview/photo_columns.h"
#include "phone/phone_entry.h"
#include "ui/native_file_system.h"

namespace zv {
namespace {

constexpr int kPhotos = 65536;
constexpr int kDays = 672;  // two years of 12 months of 28 days
constexpr int kArchivedDays = 300;
constexpr int kArchived = 10000;

std::string PhotoName(int i) {
  const int d = i % kDays;
  char name[32];
  // Seventeen characters, the longest name a row keeps.
  std::snprintf(name, sizeof name, "%02d-%02d-%02d_%04x.jpg", d % 28 + 1, d / 28 % 12 + 1,
                8 + d / 336, i);
  return name;
}
int PhotoSize(int i) { return 50000 + i % 1000; }

// Every photo of the listing, in order.
void FillDirectory(DirectoryPhone& phone) {
  for (int i = 0; i < kPhotos; ++i)
    phone.entries.push_back(
        PhoneFileEntry::Make(PhotoSize(i), ("/a/mobile/picture/" + PhotoName(i)).c_str()));
}

// The native file system with every folder's listing kept after its first look: what is left
// is the program's own cost, as on Windows, where the sizes come with the names (a POSIX
// listing needs a stat call for each file's size).
class RememberedListings : public NativeFileSystem {
 public:
  bool ListFiles(const std::string& folder, std::vector<FileEntry>& files) override {
    auto [at, added] = listings_.try_emplace(folder);
    if (added) at->second.first = NativeFileSystem::ListFiles(folder, at->second.second);
    files = at->second.second;
    return at->second.first;
  }

 private:
  std::map<std::string, std::pair<bool, std::vector<FileEntry>>> listings_;
};

using Clock = std::chrono::steady_clock;

// The rows a paint of the photo grid shows in the main window, with some to spare.
constexpr int kScreenRows = 30;

// Best time of a listing into the grid followed, when mark is set, by the marks under root of
// the first `asked` rows; `marked` counts the marked rows among all of them, after the timing.
double BestListing(DirectoryPhone& phone, TGridView& grid, bool mark, const std::string& root,
                   size_t& marked, int asked = kScreenRows,
                   FileSystem&& files = NativeFileSystem()) {
  ArchivedPhotos archived;
  double best = 1e9;
  for (int round = 0; round < 15; ++round) {
    grid.ClearRows();
    int found = 0, photos = 0;
    ListingHost host{grid, phone, found, photos, {}, {}, {}};
    const auto t0 = Clock::now();
    ListPhotos(host);
    if (mark) {
      archived.Mark(files, root, "Phone1");
      for (int row = 0; row < asked; ++row) archived.RowHolds(grid, row);
    }
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    if (photos != kPhotos) std::exit(1);
  }
  marked = 0;
  for (int row = 0; row < grid.RowCount(); ++row) marked += archived.RowHolds(grid, row);
  return best;
}

int Main() {
  DirectoryPhone phone;
  FillDirectory(phone);
  TGridView grid;
  SetupPhotoGrid(grid);

  // The archive: 10,000 photos of the first 300 days, as files of their sizes (sparse: only the
  // sizes are looked at).
  const std::filesystem::path top = std::filesystem::temp_directory_path() /
                                    ("zv_bench_archive_check_" + std::to_string(::getpid()));
  std::filesystem::remove_all(top);
  int archived = 0;
  for (int i = 0; i < kPhotos && archived < kArchived; ++i) {
    if (i % kDays >= kArchivedDays) continue;
    const std::string name = PhotoName(i);
    const std::string folder = ArchiveFolder(top.string(), "Phone1", name);
    std::string native = folder;
    std::replace(native.begin(), native.end(), '\\', '/');
    const std::filesystem::path dir(std::u8string(native.begin(), native.end()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name).close();
    std::filesystem::resize_file(dir / name, static_cast<uintmax_t>(PhotoSize(i)));
    ++archived;
  }

  size_t markedBare = 0, markedNone = 0, markedArchive = 0, markedEvery = 0;
  const double bare = BestListing(phone, grid, false, "", markedBare);
  const double none = BestListing(phone, grid, true, (top / "none").string(), markedNone);
  const double withArchive = BestListing(phone, grid, true, top.string(), markedArchive);
  const double every = BestListing(phone, grid, true, top.string(), markedEvery, kPhotos);
  size_t markedRemembered = 0;
  const double remembered = BestListing(phone, grid, true, top.string(), markedRemembered,
                                        kPhotos, RememberedListings());
  std::filesystem::remove_all(top);
  if (markedNone != 0 || markedArchive != static_cast<size_t>(kArchived) ||
      markedEvery != markedArchive || markedRemembered != markedArchive) {
    std::fprintf(stderr, "marked %zu with no archive, %zu of %d archived\n", markedNone,
                 markedArchive, kArchived);
    return 1;
  }
  const double ratio = withArchive / none;
  std::printf(
      "listing of %d photos: %.1f ms bare, %.1f ms with marks and no archive, "
      "%.1f ms with marks and %d archived in %d day folders (%.2f x the bare listing)\n",
      kPhotos, bare * 1000, none * 1000, withArchive * 1000, kArchived, kArchivedDays,
      withArchive / bare);
  std::printf(
      "every row marked at once: %.1f ms; the same with each folder's listing kept from the "
      "first round (no stat calls): %.1f ms, %.2f x the listing with no archive\n",
      every * 1000, remembered * 1000, remembered / none);
  std::printf("budget listing_archive_check_vs_none: %.2f x (limit 1.5 x) %s\n", ratio,
              ratio <= 1.5 ? "ok" : "OVER");
  return 0;
}

}  // namespace
}  // namespace zv

int main() { return zv::Main(); }
