// "Скачать фотографии": the main window's download-and-delete handler. The run itself is the
// archive's: its rows are taken here, its phone and archive work goes on the phone thread, and
// its rows, panels and summary are settled here when it is done. During the run the button
// reads "Остановить" and stops it after the phone call in progress.
#include <memory>

#include "app/form1.h"
#include "archive/download_run.h"

namespace zv {

void TForm1::BitBtn2Click(TObject*) {
  if (job_ == JobKind::kRun) {
    StopJob();
    return;
  }
  if (UserJobRunning()) return;  // locked: a click that reached it anyway does nothing
  BeginRun();
}

void TForm1::BeginRun() {
  auto host = std::make_shared<DownloadRunHost>(DownloadRunHost{
      GridView1, Phone, Files, Boxes, FoundCount, PhotoCount, [this] { return Edit1.Text(); },
      [this] { return DirectoryEdit1.Text(); }, [this](bool on) { SetBusy(on); },
      [this](int panel, const std::string& text) { SetPanelText(panel, text); }, {}, &Sources,
      [this] { MarkArchivedRows(); }, [this](int row) { return RowArchived(row); }});
  std::shared_ptr<DownloadPlan> plan = PlanDownload(*host);
  if (!plan) return;
  StartBusyJob(
      JobKind::kRun,
      // What the phone thread needs of the window is copied here, on the window thread.
      [this, plan, now = Now, files = &Files](JobContext& job) {
        DownloadControl control;
        control.stop = &job.stop;
        control.now = now;
        control.progressInterval = kProgressInterval;
        control.progress = [this, &job](const RunProgress& progress) {
          job.toWindow([this, progress] { ShowRunProgress(progress); });
        };
        ExecuteDownload(*plan, job.phone, *files, control);
      },
      [this, host, plan](std::exception_ptr error) {
        if (error) {
          SetBusy(false);
          std::rethrow_exception(error);
        }
        // The status bar says the phone has gone before the summary says the run ended.
        if (plan->result.phoneGone)
          host->rowsSettled = [this] {
            MarkArchivedRows();
            PhoneDisconnected();
          };
        FinishDownload(*host, *plan, !closeAfterJob_);
      });
}

}  // namespace zv
