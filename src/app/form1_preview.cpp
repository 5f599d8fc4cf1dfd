// The main window's double click on the grid: preview the selected row's photo in Form3. The
// run itself is the preview's (preview/preview_run.h); this wires it to the window's controls.
// A photo the archive holds already (a grey row) is shown from the archive at once; another is
// read on the phone thread, and the window shows it when it has arrived. The photo asked for
// last is the one shown: a newer request stops the read in progress after its call and throws
// its photo away. While other phone work runs (a listing, the run), the preview window says
// that the photo will be shown when the phone is free, and shows it then. Closing the preview
// window stops the read and forgets the photo that waited.
#include <memory>
#include <vector>

#include "app/form1.h"
#include "app/form3.h"
#include "archive/archive_check.h"
#include "archive/folder_scheme.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"

namespace zv {

void TForm1::GridView1DblClick(TObject*) { BeginPreview(); }

PreviewSources TForm1::PreviewServices() {
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
  return s;
}

void TForm1::BeginPreview() {
  const PreviewSources s = PreviewServices();
  s.ShowWindow();
  Form3->OnClose = [this](TObject*, TCloseAction&) {
    ++previewGeneration_;
    previewAfterJob_.reset();
    Form3->SetCaption(UiText(TextId::PreviewCaption));
    if (job_ == JobKind::kPreview) StopJob();
  };
  const PreviewRequest request = PlanPreview(s);
  // Whatever was asked for before is not wanted any more.
  ++previewGeneration_;
  previewAfterJob_.reset();
  Form3->SetCaption(UiText(TextId::PreviewCaption));
  if (job_ == JobKind::kPreview) StopJob();

  // The archive's copy needs no phone and no wait.
  if (RowArchived(GridView1.SelectedRow()) && ShowPreviewFromArchive(s, request)) return;
  if (job_ != JobKind::kNone) {
    // The phone is busy: a read being stopped, or the user's other work. The photo waits.
    previewAfterJob_ = request;
    if (job_ != JobKind::kPreview)
      Form3->SetCaption(FormatText(TextId::PreviewWaits, {Utf16ToUtf8(request.name)}));
    return;
  }
  StartPreviewRead(s, request);
}

bool TForm1::ShowPreviewFromArchive(const PreviewSources& s, const PreviewRequest& request) {
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
    return true;
  }
  return false;
}

void TForm1::BeginWaitingPreview() {
  const PreviewRequest request = std::move(*previewAfterJob_);
  previewAfterJob_.reset();
  Form3->SetCaption(UiText(TextId::PreviewCaption));
  if (!Form3->Visible()) return;
  const PreviewSources s = PreviewServices();
  // The run may have archived the photo meanwhile, or deleted it on the phone.
  if (ShowPreviewFromArchive(s, request)) return;
  const AnsiString name8 = Utf16ToCp1251(request.name);
  if (!Sources.Find(name8, request.size).phonePath.empty()) StartPreviewRead(s, request);
}

void TForm1::StartPreviewRead(const PreviewSources& s, const PreviewRequest& request) {
  struct Read {
    std::vector<std::uint8_t> bytes;
    bool whole = false, stopped = false;
  };
  auto read = std::make_shared<Read>();
  const int generation = previewGeneration_;
  s.SetBusy(true);
  StartJob(
      JobKind::kPreview,
      [request, read](JobContext& job) {
        read->whole = ReadPreviewPhoto(job.phone, request, read->bytes, &job.stop);
        read->stopped = job.Stopped();
      },
      [this, s, request, read, generation](std::exception_ptr error) {
        s.SetBusy(false);
        // Asked for before another photo, or closed meanwhile: not wanted any more.
        if (generation != previewGeneration_ || read->stopped || !Form3->Visible()) return;
        if (error) std::rethrow_exception(error);
        if (!read->whole) throw Exception(PhotoReadErrorText(request.name));
        ThumbnailsPhotoRead(request.name, request.size, read->bytes);
        ShowPreviewPhoto(s, request.name, std::move(read->bytes));
      });
}

}  // namespace zv
