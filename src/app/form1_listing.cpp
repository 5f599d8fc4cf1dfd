// "Список": the main window's listing handlers. The listing itself is the catalogue's; the
// phone's directory is fetched on the phone thread, and the grid keeps its rows until it has
// arrived (a stopped listing leaves the grid as it was).
#include <memory>

#include "app/form1.h"
#include "catalogue/listing.h"
#include "ui/busy_scope.h"

namespace zv {

void TForm1::BitBtn1Click(TObject*) {
  if (UserJobRunning()) return;  // locked: a click that reached it anyway does nothing
  ListPhotos();
}

void TForm1::ListPhotos() {
  // The directory buffer of the last listing serves this one (it is 32 MiB at most, and fresh
  // memory costs page faults), unless a listing not yet finished still holds it.
  if (!ListingDirectory || ListingDirectory.use_count() > 1)
    ListingDirectory = std::make_shared<DirectoryFetch>();
  auto fetch = ListingDirectory;
  StartBusyJob(
      JobKind::kList,
      [this, fetch](JobContext& job) {
        FetchDirectory(
            job.phone, &job.stop,
            [this, &job](int entries) {
              job.toWindow([this, entries] { ShowWorkProgress(ListingProgressText(entries)); });
            },
            *fetch);
      },
      [this, fetch](std::exception_ptr error) {
        {
          // Hidden on every way out, the error's included, before its box shows.
          const std::function<void(bool)> setBusy = [this](bool on) { SetBusy(on); };
          BusyScope busy(setBusy);
          if (error) std::rethrow_exception(error);
          if (fetch->stopped) return;
          GridView1.ClearRows();
          Archived.Clear();
          ListingHost host{GridView1,
                           Phone,
                           FoundCount,
                           PhotoCount,
                           {},
                           [this](int panel, const std::string& text) { SetPanelText(panel, text); },
                           [this] { SetDownloadEnabled(true); },
                           {},
                           &Sources};
          FillPhotoRows(host, *fetch);
        }
        MarkArchivedRows();
        ThumbnailsListed();
      });
}

}  // namespace zv
