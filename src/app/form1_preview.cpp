// The main window's double click on the grid: preview the selected row's photo in Form3. The
// run itself is the preview's (preview/preview_run.h); this wires it to the window's controls.
// A photo the archive holds already (a grey row) is shown from the archive at once; another is
// read on the phone thread, and the window shows it when it has arrived. Closing the preview
// window meanwhile stops the read and throws it away.
#include <memory>
#include <vector>

#include "app/form1.h"
#include "app/form3.h"
#include "archive/archive_check.h"
#include "archive/folder_scheme.h"
#include "preview/preview_run.h"
#include "ui/errors.h"

namespace zv {

void TForm1::GridView1DblClick(TObject*) { BeginPreview(); }

void TForm1::BeginPreview() {
  PreviewSources s;
  s.ShowWindow = [this] { Form3->Show(); };
  s.SetBusy = [this](bool on) { TrayIcon1->SetActive(on); };
  s.PhotoName = [this] { return GridView1.CellAt(3, GridView1.SelectedRow()).AsString(); };
  s.PhotoSize = [this] { return GridView1.CellAt(4, GridView1.SelectedRow()).AsInteger(); };
  s.PhonePath = [this](const AnsiString& name, int size) {
    return Sources.Find(name, size).phonePath;  // empty when two entries fit the row
  };
  s.Phone = &Phone;
  s.Image = &Form3->Image1;
  s.ScreenBitsPerPixel = ScreenBitsPerPixel;

  s.ShowWindow();
  const PreviewRequest request = PlanPreview(s);
  // The archive's copy needs no phone and no wait.
  if (RowArchived(GridView1.SelectedRow())) {
    const AnsiString name8 = Utf16ToCp1251(request.name);
    const std::string root = DirectoryEdit1.Text(), profile = Edit1.Text();
    ArchiveLook look(Files, root, profile);
    const ArchiveLook::Found held = look.Find(name8, request.size);
    std::vector<std::uint8_t> bytes;
    if (held.number > 0 &&
        Files.ReadFile(ArchiveFolder(root, profile, name8) + "\\" + Cp1251ToUtf8(held.file),
                       static_cast<size_t>(request.size) + 1, bytes) &&
        bytes.size() == static_cast<size_t>(request.size)) {
      ShowPreviewPhoto(s, request.name, std::move(bytes));
      return;
    }
  }
  if (job_ != JobKind::kNone) return;  // the phone is busy with the user's other work

  Form3->OnClose = [this](TObject*, TCloseAction&) {
    if (job_ == JobKind::kPreview) StopJob();
  };
  struct Read {
    std::vector<std::uint8_t> bytes;
    bool whole = false, stopped = false;
  };
  auto read = std::make_shared<Read>();
  s.SetBusy(true);
  StartJob(
      JobKind::kPreview,
      [request, read](JobContext& job) {
        read->whole = ReadPreviewPhoto(job.phone, request, read->bytes, &job.stop);
        read->stopped = job.Stopped();
      },
      [this, s, request, read](std::exception_ptr error) {
        s.SetBusy(false);
        if (error) std::rethrow_exception(error);
        // Closed meanwhile: the photo is not wanted any more.
        if (read->stopped || !Form3->Visible()) return;
        if (!read->whole) throw Exception(PhotoReadErrorText(request.name));
        ThumbnailsPhotoRead(request.name, request.size, read->bytes);
        ShowPreviewPhoto(s, request.name, std::move(read->bytes));
      });
}

}  // namespace zv
