// "Список": the main window's listing handlers. The listing itself is the catalogue's.
#include "app/form1.h"
#include "catalogue/listing.h"

namespace zv {

void TForm1::BitBtn1Click(TObject*) {
  GridView1.ClearRows();
  ListPhotos();
}

void TForm1::ListPhotos() {
  Archived.Clear();
  ListingHost host{GridView1,
                   Phone,
                   FoundCount,
                   PhotoCount,
                   [this](bool on) { SetBusy(on); },
                   [this](int panel, const std::string& text) { SetPanelText(panel, text); },
                   [this] { BitBtn2.SetEnabled(true); },
                   [this](int entries) { ShowWorkProgress(ListingProgressText(entries)); },
                   &Sources};
  zv::ListPhotos(host);
  MarkArchivedRows();
}

}  // namespace zv
