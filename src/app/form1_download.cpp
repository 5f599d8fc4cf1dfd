// "Скачать фотографии": the main window's download-and-delete handler. The run itself is the
// archive's; errors that end it go on to the application's error handler.
#include "app/form1.h"
#include "archive/download_run.h"

namespace zv {

void TForm1::BitBtn2Click(TObject*) {
  DownloadRunHost host{GridView1,
                       Phone,
                       Files,
                       Boxes,
                       FoundCount,
                       PhotoCount,
                       [this] { return Edit1.Text(); },
                       [this] { return DirectoryEdit1.Text(); },
                       [this](bool on) { SetBusy(on); },
                       [this](int panel, const std::string& text) { SetPanelText(panel, text); },
                       [this](int photo, int photos) { ShowRunProgress(photo, photos); },
                       &Sources,
                       [this] { MarkArchivedRows(); }};
  RunDownload(host);
}

}  // namespace zv
