// Phone work off the window thread: the main window hands every phone call to the phone thread
// (Jobs) and takes the results back as they come, so that it moves, repaints, scrolls and
// answers a screen reader however long the phone takes. While work the user started runs, what
// would start more phone work or change the work's input is locked: "Список", "Создать", the
// profile box, the folder box, the grid's boxes and its header clicks (the column toggles, and
// the sort too: the run goes by the rows' places). "Скачать фотографии" reads "Остановить" during
// a run and stops it; so does Esc.
#include "app/form1.h"
#include "gridview/photo_columns.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"

namespace zv {

void TForm1::StartJob(JobKind kind, PhoneJobs::Job job, PhoneJobs::Done done) {
  LockForJob(kind);
  job_ = kind;
  PhoneJobs::Done finish = [this, done = std::move(done)](std::exception_ptr error) {
    job_ = JobKind::kNone;
    // Whatever the result shows (boxes included), the window is whole again first.
    UnlockAfterJob();
    std::exception_ptr failure;
    try {
      done(error);
    } catch (...) {
      failure = std::current_exception();
    }
    AfterJob(failure);
  };
  // A status poll in progress hands the phone over when it is done (the jobs layer decides).
  // Refused (the phone thread has been ended): the window is whole again and says why.
  if (!Jobs.Start(std::move(job), finish))
    finish(std::make_exception_ptr(Exception(UiText(TextId::PhoneWorkEnded))));
}

void TForm1::StartBusyJob(JobKind kind, PhoneJobs::Job job, PhoneJobs::Done done) {
  StartJob(kind, std::move(job), std::move(done));
  // Not when the job was refused: its end has been handled already, the indicator hidden.
  if (job_ == kind) SetBusy(true);
}

void TForm1::AfterJob(std::exception_ptr failure) {
  if (closeAfterJob_) {
    // The program closes now; an error the work ended with (the disk filled up) is shown
    // first, while the window is still there: once it has closed, the box would go at once.
    if (failure) {
      try {
        std::rethrow_exception(failure);
      } catch (const std::exception& e) {
        Boxes.ShowError(ErrorBoxText(e.what()));
      } catch (...) {
      }
    }
    Close();
    return;
  }
  // A preview asked for while the phone was busy has it now.
  try {
    if (previewAfterJob_) BeginWaitingPreview();
  } catch (...) {
    if (!failure) throw;
  }
  if (failure) std::rethrow_exception(failure);
}

void TForm1::StartQuietJob(PhoneJobs::Job job, PhoneJobs::Done done) {
  // Refused while other work is open: the next tick polls again.
  Jobs.StartPoll(std::move(job), std::move(done));
}

void TForm1::StopJob() {
  if (job_ != JobKind::kNone) Jobs.Stop();
}

std::chrono::milliseconds TForm1::NotAnsweringAfter(int bytes) {
  return kNotAnsweringAfter +
         std::chrono::milliseconds(static_cast<std::int64_t>(bytes) * 1000 / kSlowestSpeed);
}

bool TForm1::PhoneNotAnswering() const {
  return Jobs.Busy() && Jobs.CallInProgressFor() >= NotAnsweringAfter(Jobs.CallInProgressBytes());
}

void TForm1::LockForJob(JobKind kind) {
  // Keys and a screen reader follow the focus: it does not stay on a control that goes dead, but
  // moves to the grid, which stays live (the download button stays live for a run: it stops it).
  const bool focusLocked = BitBtn1.Focused() || BitBtn3.Focused() || Edit1.Focused() ||
                           DirectoryEdit1.Focused() || (kind != JobKind::kRun && BitBtn2.Focused());
  if (focusLocked) GridView1.SetFocus();
  listEnabledBefore_ = BitBtn1.Enabled();
  downloadEnabledBefore_ = BitBtn2.Enabled();
  downloadCaptionBefore_ = BitBtn2.Caption();
  BitBtn1.SetEnabled(false);
  BitBtn3.SetEnabled(false);
  Edit1.SetEnabled(false);
  DirectoryEdit1.SetEnabled(false);
  if (kind == JobKind::kRun) {
    BitBtn2.SetCaption(UiText(TextId::StopButton));
    BitBtn2.SetEnabled(true);
  } else {
    BitBtn2.SetEnabled(false);
  }
  TCustomColumn& file = GridView1.Columns()[kFileColumn];
  TCustomColumn& size = GridView1.Columns()[kSizeColumn];
  fileColumnOptions_ = file.Options();
  sizeColumnOptions_ = size.Options();
  file.SetOptions(fileColumnOptions_ - TColumnOptions{coCanSort});
  size.SetOptions(sizeColumnOptions_ - TColumnOptions{coCanSort});
}

void TForm1::UnlockAfterJob() {
  GridView1.Columns()[kFileColumn].SetOptions(fileColumnOptions_);
  GridView1.Columns()[kSizeColumn].SetOptions(sizeColumnOptions_);
  BitBtn2.SetCaption(downloadCaptionBefore_);
  BitBtn2.SetEnabled(downloadEnabledBefore_);
  BitBtn1.SetEnabled(listEnabledBefore_);
  BitBtn3.SetEnabled(true);
  Edit1.SetEnabled(true);
  DirectoryEdit1.SetEnabled(true);
}

void TForm1::ShowNotAnswering() {
  const bool silent = PhoneNotAnswering();
  if (silent == notAnsweringShown_) return;
  notAnsweringShown_ = silent;
  if (silent) {
    panelBeforeNotAnswering_ = StatusBar1.Panels[0].Text();
    SetPanelText(0, UiText(TextId::NotAnswering));
  } else if (StatusBar1.Panels[0].Text() == UiText(TextId::NotAnswering)) {
    SetPanelText(0, panelBeforeNotAnswering_);
  }
}

void TForm1::FormClose(TObject*, TCloseAction& action) {
  if (job_ == JobKind::kNone && !Jobs.Busy()) return;
  // A phone that does not answer holds nothing the program could still save: the program ends
  // without waiting for it (the archive has no partial photo under a photo's name).
  if (PhoneNotAnswering()) return;
  // Asked again, or the work has not ended within kCloseWaitsAtMost of the first close (file
  // work on an archive that stopped answering is no phone call): the program ends now.
  if (closeAfterJob_) return;
  if (job_ == JobKind::kRun) {
    if (!Boxes.AskYesNo(UiText(TextId::CloseDuringRun))) {
      action = TCloseAction::caNone;
      return;
    }
  }
  if (job_ == JobKind::kNone) return;  // a status poll is not waited for
  // The window closes once the call in progress has returned and the work has ended.
  closeAfterJob_ = true;
  closeAskedAt_ = Now();
  StopJob();
  action = TCloseAction::caNone;
}

void TForm1::CloseIfWaitedTooLong() {
  if (closeAfterJob_ && job_ != JobKind::kNone && Visible() &&
      Now() - closeAskedAt_ >= kCloseWaitsAtMost)
    Close();
}

void TForm1::FormCancel(TObject*) { StopJob(); }

void TForm1::FormSessionEnd(TObject*) {
  closeAfterJob_ = true;
  closeAskedAt_ = Now();
  StopJob();
  if (WaitForPhoneWork) WaitForPhoneWork();
}

}  // namespace zv
