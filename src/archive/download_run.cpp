// The download-and-delete run (see download_run.h).
#include "archive/download_run.h"

#include <utility>
#include <vector>

#include "archive/archive_check.h"
#include "archive/archive_names.h"
#include "archive/folder_scheme.h"
#include "archive/photo_copy.h"
#include "archive/row_removal.h"
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

DownloadRunResult RunDownload(DownloadRunHost& host) {
  DownloadRunResult result;
  const std::string profile = host.profile();
  if (profile.empty()) {
    host.boxes.ShowMessage(UiText(TextId::ProfileMissing));
    return result;
  }
  // The profile names a folder of the archive (see IsUsableProfileName).
  if (!IsUsableProfileName(profile)) {
    host.boxes.ShowMessage(UiText(TextId::BadProfile));
    return result;
  }
  result.started = true;

  // UTF-8 photo names for the boxes after the summary.
  std::vector<std::string> notCopied, notDeleted, sameName, badName, tooLarge, unreadable;
  std::vector<std::string> storedAs;  // "photo → name it got"
  RunArchiveFiles runFiles;
  std::vector<bool> removeRow;
  auto finish = [&] {
    result.DeletedCount = RemoveMarkedRows(host.grid, removeRow);
    if (host.setPanel) {
      host.setPanel(
          1, UiText(TextId::FoundPrefix) + std::to_string(host.FoundCount - result.DeletedCount));
      host.setPanel(
          2, UiText(TextId::PhotosPrefix) + std::to_string(host.PhotoCount - result.DeletedCount));
    }
    if (host.rowsSettled) host.rowsSettled();
  };

  {
    BusyScope busy(host.setBusy);
    std::vector<uint8_t> buffer;
    const int rows = host.grid.RowCount();
    removeRow.assign(static_cast<size_t>(rows), false);
    try {
      for (int row = 0; row < rows; ++row) {
        if (host.progress) host.progress(row + 1, rows);
        const bool wantCopy = host.grid.CellAt(kDownLoadColumn, row).AsBoolean();
        const bool wantDelete = host.grid.CellAt(kDeleteColumn, row).AsBoolean();
        if (!wantCopy && !wantDelete) continue;
        const std::u16string name = host.grid.CellAt(kFileColumn, row).AsString();
        const AnsiString name8 = Utf16ToCp1251(name);
        const int32_t size = host.grid.CellAt(kSizeColumn, row).AsInteger();
        const PhotoSources::Source source =
            host.sources ? host.sources->Find(name8, size)
                         : PhotoSources::Source{PhotoSources::Match::kRebuilt,
                                                std::string(kPhotoFolder) + name8};
        // Photos the run cannot handle without risk of losing one stay where they are.
        if (!WindowsKeepsName(name8) || !WindowsKeepsFolders(name8)) {
          badName.push_back(Utf16ToUtf8(name));
          continue;
        }
        if (source.match == PhotoSources::Match::kAmbiguous) {
          sameName.push_back(Utf16ToUtf8(name));
          continue;
        }
        if (size > kMaxPhotoSize) {
          tooLarge.push_back(Utf16ToUtf8(name));
          continue;
        }
        bool copied = true;
        if (wantCopy && !wantDelete) {
          // A photo that stays on the phone and that the archive holds already (by name and
          // size, as the archive is now) is not read again over the phone's slow link.
          const std::string rootNow = host.root();
          ArchiveLook look(host.files, rootNow, profile);
          const ArchiveLook::Found held = look.Find(name8, size);
          if (held.number > 0) {
            ++result.DownloadedCount;
            // Named as a copy found by comparing would be: by the name the run gives it.
            const std::string storedName =
                Cp1251ToUtf8(held.number == 1 ? name8 : NumberedName(name8, held.number));
            if (storedName != Utf16ToUtf8(name))
              storedAs.push_back(Utf16ToUtf8(name) + " → " + storedName);
            // Later rows that land on this file meet it as they would a file this run wrote.
            runFiles.files[WindowsNameKey(held.below + held.file)] =
                held.folder + "\\" + Cp1251ToUtf8(held.file);
            continue;
          }
        }
        if (wantCopy) {
          PhotoCopyRequest request{source.phonePath, name8, size, host.root(), profile};
          const CopyResult copy = CopyPhoto(host.phone, host.files, request, buffer, runFiles);
          switch (copy.outcome) {
            case CopyOutcome::kWritten:
            case CopyOutcome::kAlreadyThere:
              ++result.DownloadedCount;
              if (copy.storedName != Utf16ToUtf8(name))
                storedAs.push_back(Utf16ToUtf8(name) + " → " + copy.storedName);
              break;
            case CopyOutcome::kUnreadable:
              copied = false;
              unreadable.push_back(Utf16ToUtf8(name));
              break;
            case CopyOutcome::kPhoneFailed:
              copied = false;
              notCopied.push_back(Utf16ToUtf8(name));
              break;
          }
        }
        // A photo is deleted on the phone only once its copy, if one was asked for, is safe.
        if (copied && wantDelete) {
          if (host.phone.File_Delete(source.phonePath.c_str()) >= 0) {
            removeRow[static_cast<size_t>(row)] = true;
          } else {
            notDeleted.push_back(Utf16ToUtf8(name));
          }
        }
      }
    } catch (...) {
      // Rows of photos already gone from the phone must go, or a second run would read them.
      finish();
      throw;
    }
    finish();
  }

  host.boxes.ShowMessage(
      DownloadSummaryText(host.root(), result.DownloadedCount, result.DeletedCount));
  const std::pair<std::string, const std::vector<std::string>*> afterwards[] = {
      {UiText(TextId::StoredAs), &storedAs},      {UiText(TextId::CopyFailed), &notCopied},
      {UiText(TextId::SameName), &sameName},      {UiText(TextId::Unreadable), &unreadable},
      {UiText(TextId::BadName), &badName},        {TooLargeText(), &tooLarge},
      {UiText(TextId::DeleteFailed), &notDeleted}};
  for (const auto& [heading, names] : afterwards) {
    if (!names->empty()) host.boxes.ShowMessage(NameList(heading, *names));
  }
  return result;
}

}  // namespace zv
