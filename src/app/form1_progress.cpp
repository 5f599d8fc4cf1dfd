// How far long phone work has got: the caption and the busy indicator's tip during the listing
// and the download run, and the repaint between their parts (see form1.h).
#include "app/form1.h"
#include "ui/lang/texts.h"

namespace zv {

std::string TForm1::ListingProgressText(int entries) {
  return FormatText(TextId::ListingProgress, {std::to_string(entries)});
}

void TForm1::ShowWorkProgress(const std::string& text) {
  if (!progressShown_) {
    captionBeforeWork_ = Caption();
    hintBeforeWork_ = TrayIcon1->Hint();
    progressShown_ = true;
  }
  const std::string line = captionBeforeWork_ + " — " + text;
  SetCaption(line);
  TrayIcon1->SetHint(line);
  if (RepaintPending) RepaintPending();
}

void TForm1::ShowRunProgress(const RunProgress& progress) {
  // The phone thread paces its reports (kProgressInterval): each one shows.
  if (TaskbarProgress) {
    TaskbarProgress(progress.photo, progress.photos);
    taskbarShown_ = true;
  }
  ShowWorkProgress(RunProgressText(progress));
}

void TForm1::EndWorkProgress() {
  if (taskbarShown_) {
    taskbarShown_ = false;
    TaskbarProgress(0, 0);
  }
  if (!progressShown_) return;
  progressShown_ = false;
  SetCaption(captionBeforeWork_);
  TrayIcon1->SetHint(hintBeforeWork_);
}

void TForm1::SetBusy(bool on) {
  // The tip goes back while the icon is still there, so the area gets the restored record too.
  if (!on) EndWorkProgress();
  TrayIcon1->SetActive(on);
}

}  // namespace zv
