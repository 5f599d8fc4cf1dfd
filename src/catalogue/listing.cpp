// Listing the phone's photos into the grid (see listing.h).
#include "catalogue/listing.h"

#include <vector>

#include "catalogue/photo_names.h"
#include "phone/phone_entry.h"
#include "ui/busy_scope.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

// Closes a grid batch even when a cell write fails.
class UpdateScope {
 public:
  explicit UpdateScope(TGridView& grid) : grid_(grid) { grid_.BeginUpdate(); }
  ~UpdateScope() { grid_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TGridView& grid_;
};

}  // namespace

std::string TooManyEntriesText(int count) {
  return FormatText(TextId::TooManyEntries,
                    {std::to_string(count), std::to_string(kMaxDirectoryEntries)});
}

bool AcceptPhotoEntry(std::string_view path, int32_t size, std::string_view& photoName) {
  if (path.find('/') == std::string_view::npos) return false;
  if (ExtractPhoneDir(path) != kPhotoFolder) return false;
  photoName = ExtractPhotoName(path);
  // A name that could leave the archive folder, or a size that cannot be read, gets no row.
  return IsPhotoName(photoName) && IsSafeFileName(photoName) && size >= 0;
}

DirectoryFetch FetchDirectory(PhoneApi& phone, const std::atomic<bool>* stop,
                              const std::function<void(int entries)>& progress) {
  DirectoryFetch fetch;
  const auto stopped = [&] { return fetch.stopped = stop && stop->load(); };
  if (stopped()) return fetch;  // stopped before it began: no phone call
  fetch.reported = phone.File_Count();
  const int count = fetch.reported > 0 ? fetch.reported : 0;  // a failed count lists nothing
  if (count > kMaxDirectoryEntries) return fetch;
  if (stopped()) return fetch;
  if (progress) progress(count);
  fetch.entries.resize(static_cast<size_t>(count));  // zero-filled
  phone.File_List(fetch.entries.data(), count);
  stopped();
  return fetch;
}

void FillPhotoRows(ListingHost& host, const DirectoryFetch& fetch) {
  if (host.sources) host.sources->Clear();
  const int count = fetch.reported > 0 ? fetch.reported : 0;
  host.FoundCount = count;
  if (host.setPanel) host.setPanel(1, UiText(TextId::FoundPrefix) + std::to_string(count));
  if (count > kMaxDirectoryEntries) {
    host.PhotoCount = host.grid.RowCount();
    if (host.setPanel)
      host.setPanel(2, UiText(TextId::PhotosPrefix) + std::to_string(host.PhotoCount));
    throw Exception(TooManyEntriesText(count));
  }

  {
    UpdateScope batch(host.grid);
    static const std::u16string kDownLoad = u"DownLoad", kDelete = u"Delete", kFile = u"File",
                                kSize = u"Size", kLast = u"Last";
    for (const PhoneFileEntry& entry : fetch.entries) {
      const std::string path = entry.Path();
      std::string_view name;
      if (!AcceptPhotoEntry(path, entry.Size(), name)) continue;
      host.grid.AddRows(1);
      host.grid.Cell(kDownLoad, kLast).SetAsBoolean(true);
      host.grid.Cell(kDelete, kLast).SetAsBoolean(false);
      host.grid.Cell(kFile, kLast).SetAsString(Cp1251ToUtf16(name));
      host.grid.Cell(kSize, kLast).SetAsInteger(entry.Size());
      if (host.sources) host.sources->Add(AnsiString(name), entry.Size(), path);
    }
  }

  host.PhotoCount = host.grid.RowCount();
  if (host.setPanel)
    host.setPanel(2, UiText(TextId::PhotosPrefix) + std::to_string(host.PhotoCount));
  if (host.enableDownload) host.enableDownload();
}

void ListPhotos(ListingHost& host) {
  BusyScope busy(host.setBusy);
  FillPhotoRows(host, FetchDirectory(host.phone, nullptr, host.progress));
}

}  // namespace zv
