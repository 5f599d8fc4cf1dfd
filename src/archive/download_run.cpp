// The download-and-delete run (see download_run.h).
#include "archive/download_run.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "archive/archive_check.h"
#include "archive/archive_names.h"
#include "archive/folder_scheme.h"
#include "archive/photo_copy.h"
#include "archive/row_removal.h"
#include "archive/run_progress.h"
#include "catalogue/photo_names.h"
#include "gridview/photo_columns.h"
#include "ui/busy_scope.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

std::string NameList(const std::string& heading, const std::vector<std::string>& names) {
  std::string text = heading;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += '\r';
    text += names[i];
  }
  return text;
}

}  // namespace

std::string TooLargeText() { return FormatText(TextId::TooLarge, {UiText(TextId::MaxPhotoSize)}); }

std::string DownloadSummaryText(const std::string& root, int downloaded, int deleted) {
  return FormatText(TextId::Summary, {root, std::to_string(downloaded), std::to_string(deleted)});
}

std::string DownloadSummaryText(TextId firstLine, const std::string& root, int downloaded,
                                int deleted) {
  // The summary as ever from its first line break on: where the photos went, and the counts.
  const std::string summary = DownloadSummaryText(root, downloaded, deleted);
  return UiText(firstLine) + summary.substr(std::min(summary.find('\r'), summary.size()));
}

std::unique_ptr<DownloadPlan> PlanDownload(DownloadRunHost& host) {
  const std::string profile = host.profile();
  if (profile.empty()) {
    host.boxes.ShowMessage(UiText(TextId::ProfileMissing));
    return nullptr;
  }
  // The profile names a folder of the archive (see IsUsableProfileName).
  if (!IsUsableProfileName(profile)) {
    host.boxes.ShowMessage(UiText(TextId::BadProfile));
    return nullptr;
  }
  auto plan = std::make_unique<DownloadPlan>();
  plan->profile = profile;
  plan->root = host.root();
  plan->result.started = true;
  plan->rows = host.grid.RowCount();
  plan->removeRow.assign(static_cast<size_t>(plan->rows), false);
  for (int row = 0; row < plan->rows; ++row) {
    const bool wantCopy = host.grid.CellAt(kDownLoadColumn, row).AsBoolean();
    const bool wantDelete = host.grid.CellAt(kDeleteColumn, row).AsBoolean();
    if (!wantCopy && !wantDelete) continue;
    const std::u16string name = host.grid.CellAt(kFileColumn, row).AsString();
    const AnsiString name8 = Utf16ToCp1251(name);
    const int32_t size = host.grid.CellAt(kSizeColumn, row).AsInteger();
    PhotoSources::Source source =
        host.sources ? host.sources->Find(name8, size)
                     : PhotoSources::Source{PhotoSources::Match::kRebuilt,
                                            std::string(kPhotoFolder) + name8};
    const bool skipped = !wantDelete && host.archived && host.archived(row);
    const std::int64_t toRead = wantCopy && !skipped && size > 0 ? size : 0;
    plan->photos.push_back(
        {row, name, name8, size, wantCopy, wantDelete, std::move(source), toRead});
  }
  return plan;
}

void ExecuteDownload(DownloadPlan& plan, PhoneApi& phone, FileSystem& files,
                     const DownloadControl& control) {
  DownloadRunResult& result = plan.result;
  const auto stopped = [&] { return control.stop && control.stop->load(); };
  // After a phone call failed: one status call tells a photo the phone could not give from a
  // phone that is gone, which ends the run with one message rather than one per photo left.
  const auto phoneGone = [&] {
    if (stopped() || phone.P2K_GetStatus() == 1) return false;
    result.phoneGone = true;
    return true;
  };
  RunArchiveFiles runFiles;
  // One look into each day folder for the whole run; what the run writes it notes there, and a
  // file that appears meanwhile is met by the archive's own refusal to replace a file.
  ArchiveLook look(files, plan.root, plan.profile);
  std::vector<uint8_t> buffer;
  RunProgress progress;
  progress.photos = plan.rows;
  for (const PlannedPhoto& p : plan.photos) progress.bytesToRead += p.toRead;
  // One look at the clock a photo: it paces the display, and the time from a photo that was
  // read to the next is the time that photo took (the phone's read and the archive's write).
  std::chrono::steady_clock::time_point lastShown{}, photoStart{};
  std::int64_t readBytes = 0;  // of the photo before, if it was read
  bool anyShown = false;
  const auto startPhoto = [&](int row, bool always) {
    const auto now = control.now();
    if (readBytes > 0) {
      progress.bytesRead += readBytes;
      progress.readTime +=
          std::chrono::duration_cast<std::chrono::milliseconds>(now - photoStart);
    }
    readBytes = 0;
    photoStart = now;
    if (!control.progress) return;
    if (anyShown && !always && now - lastShown < control.progressInterval) return;
    anyShown = true;
    lastShown = now;
    progress.photo = row + 1;
    control.progress(progress);
  };

  try {
    for (size_t i = 0; i < plan.photos.size(); ++i) {
      const PlannedPhoto& p = plan.photos[i];
      if (stopped()) {
        result.stopped = true;
        break;
      }
      startPhoto(p.row, i == 0 || i + 1 == plan.photos.size());
      progress.bytesToRead -= p.toRead;
      const std::string nameUtf8 = Utf16ToUtf8(p.name);
      // Photos the run cannot handle without risk of losing one stay where they are.
      if (!WindowsKeepsName(p.name8) || !WindowsKeepsFolders(p.name8)) {
        plan.badName.push_back(nameUtf8);
        continue;
      }
      if (p.source.match == PhotoSources::Match::kAmbiguous) {
        plan.sameName.push_back(nameUtf8);
        continue;
      }
      if (p.size > kMaxPhotoSize) {
        plan.tooLarge.push_back(nameUtf8);
        continue;
      }
      bool copied = true;
      if (p.wantCopy && !p.wantDelete) {
        // A photo that stays on the phone and that the archive holds already (by name and
        // size) is not read again over the phone's slow link.
        const ArchiveLook::Found held = look.Find(p.name8, p.size);
        if (held.number > 0) {
          ++result.DownloadedCount;
          // Named as a copy found by comparing would be: by the name the run gives it.
          const std::string storedName =
              Cp1251ToUtf8(held.number == 1 ? p.name8 : NumberedName(p.name8, held.number));
          if (storedName != nameUtf8) plan.storedAs.push_back(nameUtf8 + " → " + storedName);
          // Later rows that land on this file meet it as they would a file this run wrote.
          runFiles.files[WindowsNameKey(held.below + held.file)] =
              held.folder + "\\" + Cp1251ToUtf8(held.file);
          continue;
        }
      }
      if (p.wantCopy) {
        PhotoCopyRequest request{p.source.phonePath, p.name8, p.size, plan.root, plan.profile};
        const PhoneRead read =
            ReadWholePhoto(phone, request.phonePath.c_str(), p.size, buffer, control.stop);
        // Stopped as the close returned: the photo is not filed either.
        if (read == PhoneRead::kStopped || (read == PhoneRead::kWhole && stopped())) {
          result.stopped = true;
          break;
        }
        if (read == PhoneRead::kWhole) readBytes = std::max<std::int64_t>(p.size, 1);
        if (read == PhoneRead::kFailed && phoneGone()) break;
        const CopyResult copy = read == PhoneRead::kWhole
                                    ? FilePhoto(files, request, buffer, runFiles, &look)
                                    : CopyResult{};
        switch (copy.outcome) {
          case CopyOutcome::kWritten:
            look.Note(p.name8, Utf8ToCp1251(copy.storedName), p.size,
                      runFiles.LanguageOf(files, request));
            [[fallthrough]];
          case CopyOutcome::kAlreadyThere:
            ++result.DownloadedCount;
            if (copy.storedName != nameUtf8)
              plan.storedAs.push_back(nameUtf8 + " → " + copy.storedName);
            break;
          case CopyOutcome::kUnreadable:
            copied = false;
            plan.unreadable.push_back(nameUtf8);
            break;
          case CopyOutcome::kPhoneFailed:
            copied = false;
            plan.notCopied.push_back(nameUtf8);
            break;
        }
      }
      // A photo is deleted on the phone only once its copy, if one was asked for, is safe.
      if (copied && p.wantDelete) {
        if (stopped()) {
          result.stopped = true;
          break;
        }
        if (phone.File_Delete(p.source.phonePath.c_str()) >= 0) {
          plan.removeRow[static_cast<size_t>(p.row)] = true;
        } else {
          if (phoneGone()) break;
          plan.notDeleted.push_back(nameUtf8);
        }
      }
    }
    // A stop that came after the last photo was done stopped nothing.
  } catch (...) {
    plan.error = std::current_exception();
  }
}

DownloadRunResult FinishDownload(DownloadRunHost& host, DownloadPlan& plan, bool showSummary) {
  DownloadRunResult& result = plan.result;
  // Rows of photos already gone from the phone go, whatever ended the run, or a second run
  // would read them.
  result.DeletedCount = RemoveMarkedRows(host.grid, plan.removeRow);
  if (host.setPanel) {
    host.setPanel(
        1, UiText(TextId::FoundPrefix) + std::to_string(host.FoundCount - result.DeletedCount));
    host.setPanel(
        2, UiText(TextId::PhotosPrefix) + std::to_string(host.PhotoCount - result.DeletedCount));
  }
  if (host.rowsSettled) host.rowsSettled();
  if (host.setBusy) host.setBusy(false);
  if (plan.error) std::rethrow_exception(plan.error);
  if (!showSummary) return result;

  host.boxes.ShowMessage(
      result.phoneGone
          ? DownloadSummaryText(TextId::RunPhoneGone, plan.root, result.DownloadedCount,
                                result.DeletedCount)
      : result.stopped
          ? DownloadSummaryText(TextId::RunStopped, plan.root, result.DownloadedCount,
                                result.DeletedCount)
          : DownloadSummaryText(plan.root, result.DownloadedCount, result.DeletedCount));
  const std::pair<std::string, const std::vector<std::string>*> afterwards[] = {
      {UiText(TextId::StoredAs), &plan.storedAs},   {UiText(TextId::CopyFailed), &plan.notCopied},
      {UiText(TextId::SameName), &plan.sameName},   {UiText(TextId::Unreadable), &plan.unreadable},
      {UiText(TextId::BadName), &plan.badName},     {TooLargeText(), &plan.tooLarge},
      {UiText(TextId::DeleteFailed), &plan.notDeleted}};
  for (const auto& [heading, names] : afterwards) {
    if (!names->empty()) host.boxes.ShowMessage(NameList(heading, *names));
  }
  return result;
}

DownloadRunResult RunDownload(DownloadRunHost& host) {
  std::unique_ptr<DownloadPlan> plan = PlanDownload(host);
  if (!plan) return {};
  if (host.setBusy) host.setBusy(true);
  DownloadControl control;
  control.progressInterval = std::chrono::milliseconds(0);  // the window paces its display
  if (host.progress)
    control.progress = [&host](const RunProgress& p) { host.progress(p.photo, p.photos); };
  ExecuteDownload(*plan, host.phone, host.files, control);
  return FinishDownload(host, *plan);
}

}  // namespace zv
