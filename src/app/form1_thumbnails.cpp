// The main window's thumbnails view: the "Эскизы" box, its setting, and the points where the
// window's work meets the view (a listing, a preview's read, the end of the user's phone work).
// The view itself is GridThumbnails.
#include <memory>

#include "app/form1.h"
#include "app/grid_thumbnails.h"
#include "app/settings/settings_store.h"
#include "archive/archive_check.h"
#include "archive/folder_scheme.h"
#include "gridview/photo_columns.h"
#include "phone/photo_bytes.h"

namespace zv {

void TForm1::CheckBox1Click(TObject*) {
  SetThumbnailsOn(CheckBox1.Checked());
  WriteThumbnailsSetting(Settings, CheckBox1.Checked());
}

void TForm1::SetThumbnailsOn(bool on) {
  CheckBox1.SetChecked(on);
  if (!on && !thumbnails_) return;  // never on: the grid stays exactly as it was made
  if (!thumbnails_) {
    GridThumbnails::Host host{GridView1, {}, {}, {}, {}, {}, {}};
    host.archiveCopy = [this](int row) -> std::string {
      if (!RowArchived(row)) return {};
      const AnsiString name = Utf16ToCp1251(GridView1.CellAt(kFileColumn, row).AsString());
      const std::int64_t size = GridView1.CellAt(kSizeColumn, row).AsInteger();
      const std::string root = DirectoryEdit1.Text(), profile = Edit1.Text();
      ArchiveLook look(Files, root, profile);
      const ArchiveLook::Found held = look.Find(name, size);
      return held.number > 0 ? held.folder + "\\" + Cp1251ToUtf8(held.file) : std::string();
    };
    host.archived = [this](const std::u16string& name, std::int64_t size) {
      return Archived.Holds(name, size);
    };
    host.phonePath = [this](const std::u16string& name, std::int64_t size) {
      return Sources.Find(Utf16ToCp1251(name), static_cast<std::int32_t>(size)).phonePath;
    };
    host.post = [this](std::function<void()> task) {
      if (PostToWindow) PostToWindow(std::move(task));
    };
    host.startBackground = [this](PhoneJobs::Job job, PhoneJobs::Done done) {
      return StartBackgroundJob(std::move(job), std::move(done));
    };
    // The archive is read through the program's file system, from the decoding thread (the
    // file system keeps no state between calls).
    host.readFile = [this](const std::string& path, std::vector<std::uint8_t>& data) {
      return Files.ReadFile(path, static_cast<size_t>(kMaxPhotoSize), data);
    };
    thumbnails_ = std::make_unique<GridThumbnails>(std::move(host));
    GridView1.OnCustomDrawCell = [this](TObject*, int ACol, int ARow, const TRect& rect,
                                        TCellState) {
      Canvas* canvas = GridView1.CustomDrawCanvas();
      if (thumbnails_ && ACol == thumbnails_->Column() && canvas)
        thumbnails_->DrawCell(*canvas, ARow, rect);
    };
    GridView1.OnPostDraw = [this](TObject*) {
      if (thumbnails_) thumbnails_->PaintEnded();
    };
    GridView1.AccessibleCellName = [this](int ACol, int ARow) {
      return thumbnails_ && ACol == thumbnails_->Column() ? thumbnails_->CellName(ARow)
                                                          : std::u16string();
    };
  }
  thumbnails_->SetOn(on);
}

bool TForm1::StartBackgroundJob(PhoneJobs::Job job, PhoneJobs::Done done) {
  // The lowest priority: the user's work goes first and stops a head read after its call in
  // progress; the window's poll waits for the head read to end, then goes first.
  return Jobs.StartBackground(std::move(job), std::move(done));
}

void TForm1::ThumbnailsListed() {
  if (thumbnails_) thumbnails_->Listed();
}

void TForm1::ThumbnailsPhotoRead(const std::u16string& name, std::int64_t size,
                                 const std::vector<std::uint8_t>& bytes) {
  if (thumbnails_ && thumbnails_->On())
    thumbnails_->PhotoRead(name, size, std::make_shared<const std::vector<std::uint8_t>>(bytes));
}

}  // namespace zv
