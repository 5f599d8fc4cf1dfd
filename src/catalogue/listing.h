#pragma once
// The listing: the phone's directory, filtered to the camera photos in "/a/mobile/picture/",
// becomes the rows of the photo grid (download box checked, delete box clear, name, size).
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/photo_sources.h"
#include "gridview/grid.h"
#include "phone/phone_api.h"
#include "phone/phone_entry.h"

namespace zv {

// What the listing needs of the main window. The callbacks may be empty.
struct ListingHost {
  TGridView& grid;
  PhoneApi& phone;
  int& FoundCount;                    // entries File_Count reported
  int& PhotoCount;                    // rows at the end of the listing
  std::function<void(bool)> setBusy;  // TrayIcon1.Active
  std::function<void(int panel, const std::string& text)> setPanel;  // StatusBar1 (UTF-8)
  std::function<void()> enableDownload;                              // BitBtn2.Enabled := true
  // Between counting and fetching the directory (the long part): the number of entries.
  std::function<void(int entries)> progress = {};
  // Where the entry behind each row is recorded (cleared first); none when null.
  PhotoSources* sources = nullptr;
};

// The most directory entries a listing takes. A phone of this kind keeps a few thousand files
// (its own system files, ring tones, a memory card of photos of 50 to 500 KB each); 65536 is
// many times more than any of them holds, and its directory buffer (65536 records of 512 bytes,
// 32 MiB) stays well inside the program's memory. A count above it is no real directory: it is
// refused before any buffer is made for it.
inline constexpr int kMaxDirectoryEntries = 65536;

// The text of the error for a count above kMaxDirectoryEntries.
std::string TooManyEntriesText(int count);

// True when a directory entry becomes a grid row: it lies directly in "/a/mobile/picture/"
// (byte for byte), its name has the photo shape, its name is safe as a local file name, and its
// size is not negative. photoName receives the (cut) name.
bool AcceptPhotoEntry(std::string_view path, int32_t size, std::string_view& photoName);

// Appends the photo rows of the phone's directory to the grid in one batch and writes the two
// counts, the two panels and the download button. The grid is not cleared here (BitBtn1Click
// clears it first). The busy indicator is shown meanwhile and hidden afterwards, even on error.
// A count above kMaxDirectoryEntries lists nothing: the directory is not fetched, FoundCount and
// panel 1 show the count the phone reported, PhotoCount and panel 2 the rows the grid holds, and
// Exception(TooManyEntriesText) goes to the application's error box.
void ListPhotos(ListingHost& host);

// The listing in two steps, so that the phone's part can go on the phone thread.
struct DirectoryFetch {
  int reported = 0;                    // what File_Count answered
  std::vector<PhoneFileEntry> entries;  // none when the count was refused
  bool stopped = false;                 // the user stopped it: the grid stays as it was
};
// File_Count, then (unless the count is refused or *stop is set) progress and File_List; no
// call at all when *stop is set from the start.
DirectoryFetch FetchDirectory(PhoneApi& phone, const std::atomic<bool>* stop,
                              const std::function<void(int entries)>& progress);
// Everything of ListPhotos but the phone calls and the busy indicator, on the window thread.
void FillPhotoRows(ListingHost& host, const DirectoryFetch& fetch);

}  // namespace zv
