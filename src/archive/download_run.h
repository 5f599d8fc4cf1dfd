#pragma once
// The download-and-delete run of the download button: every checked photo is copied from the
// phone into the archive, every photo marked for deletion whose copy (if one was asked for) is
// complete is deleted on the phone and its row removed, the two count panels are lowered and a
// summary is shown.
//
// A photo whose delete box is clear and that the archive already holds (ArchiveLook: its name
// or a numbered name of it, with its size, in its day folder as the archive is when the run
// reaches the photo) is not read from the phone: it counts as downloaded, as an identical copy
// does, and nothing is written. A photo whose delete box is ticked is always read and compared
// byte for byte before its phone copy goes.
//
// What may go wrong, and what the user then sees:
//   - the phone fails to deliver a photo (open, read, close, or fewer bytes than its size): the
//     photo is neither written nor deleted, its row stays, the run goes on, and after the summary
//     a second box names those photos;
//   - the phone refuses a delete: the photo is not counted as deleted, its row stays, and a box
//     after the summary names it;
//   - a photo whose archive file exists already: the same bytes there count as its copy (nothing
//     is written); other bytes stay, and the photo is stored beside them under the next free
//     name as Explorer numbers them, "05-12-07_0012 (2).jpg", then "(3)", ...; a box after the
//     summary names those photos and their names. Two rows of one run that land on one archive
//     file (names equal but for letter case, or two phone names cut to one) meet the same rule.
//     An archive file that cannot be read to compare keeps the photo on the phone, uncopied,
//     and a box names it;
//   - every file written is on the disk (flushed before it is closed, renamed through to the
//     disk) before the photo is deleted on the phone; a failed flush is a local file error;
//   - a row that no directory entry can be told from another's (same cut name, same size), a
//     photo whose name or month folder Windows would change (a trailing full stop or space) and
//     one larger than kMaxPhotoSize are neither copied nor deleted, and a box names them;
//   - a local file error or a photo name whose month is no month ends the run: the partial file
//     is removed, the busy indicator hidden, the rows of photos already deleted on the phone
//     removed and the panels lowered by them; the error goes on to the application's error box,
//     and no summary is shown.
//   - a phone call fails and a status call then finds the phone gone (the cable pulled): the
//     run ends at once, and the summary's first line says so; the photos left stay on the phone
//     with their rows, and no box names them one by one;
//   - the user stops the run: it ends as the phone call in progress returns, with no further
//     call; the photo being read is neither written nor deleted, and the summary's first line
//     says that the run was stopped. What was done stays done, as at the end of every run.
#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/run_progress.h"
#include "catalogue/photo_sources.h"
#include "gridview/grid.h"
#include "phone/phone_api.h"
#include "ui/lang/texts.h"
#include "ui/platform.h"

namespace zv {

// What the run needs of the main window. The callbacks may be empty except profile and root.
struct DownloadRunHost {
  TGridView& grid;
  PhoneApi& phone;
  FileSystem& files;
  MessageBoxes& boxes;
  int FoundCount;  // as the last listing stored them; the run never changes them
  int PhotoCount;
  std::function<std::string()> profile;  // Edit1's text (UTF-8)
  std::function<std::string()> root;     // DirectoryEdit1's text (UTF-8)
  std::function<void(bool)> setBusy;     // TrayIcon1.Active
  std::function<void(int panel, const std::string& text)> setPanel;  // StatusBar1 (UTF-8)
  // Before each photo: its place among the rows (1-based) and the number of rows, so that the
  // window can show how far the run has got.
  std::function<void(int photo, int photos)> progress = {};
  // The directory entries behind the rows, as the last listing recorded them; when null, the
  // phone path of a row is rebuilt from its name.
  const PhotoSources* sources = nullptr;
  // Once the rows are final (the deleted ones removed), before the summary, and on the way out
  // of a run that an error ended: the window marks the rows whose photos are archived now.
  std::function<void()> rowsSettled = {};
  // Whether row's photo is marked as already archived (only for the time-left estimate).
  std::function<bool(int row)> archived = {};
};

// What a run did.
struct DownloadRunResult {
  bool started = false;     // false when the profile name was refused
  int DownloadedCount = 0;  // photos written to the archive
  int DeletedCount = 0;     // photos deleted on the phone (rows removed)
  bool stopped = false;     // the user stopped it
  bool phoneGone = false;   // the phone went in mid-run
};

// The run in three steps, so that its phone work can go on the phone thread while the window
// lives: PlanDownload (window thread) takes what the rows say, ExecuteDownload (phone thread)
// touches only the phone and the archive, FinishDownload (window thread) removes the rows, sets
// the panels and shows the summary. RunDownload does all three in turn.
// One row as the run found it when it started: the boxes cannot change while it runs.
struct PlannedPhoto {
  int row;
  std::u16string name;
  AnsiString name8;
  int32_t size;
  bool wantCopy, wantDelete;
  PhotoSources::Source source;
  std::int64_t toRead;  // bytes the phone will likely have to deliver for it
};

struct DownloadPlan {
  std::string profile, root;  // as they were when the run started (their boxes are locked)
  int rows = 0;
  std::vector<PlannedPhoto> photos;
  // What the run did.
  DownloadRunResult result;
  std::vector<bool> removeRow;
  std::exception_ptr error;
  // UTF-8 photo names for the boxes after the summary.
  std::vector<std::string> notCopied, notDeleted, sameName, badName, tooLarge, unreadable;
  std::vector<std::string> storedAs;  // "photo → name it got"
};

struct DownloadControl {
  const std::atomic<bool>* stop = nullptr;  // set: no further phone call, the run ends
  // How far the run has got: at the first and last row and at most every progressInterval.
  std::function<void(const RunProgress&)> progress = {};
  std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
  std::chrono::milliseconds progressInterval{100};
};
// Null when the run does not start (the box saying why was shown). Busy is not shown here.
std::unique_ptr<DownloadPlan> PlanDownload(DownloadRunHost& host);
// Never throws: an error that ends the run is kept for FinishDownload.
void ExecuteDownload(DownloadPlan& plan, PhoneApi& phone, FileSystem& files,
                     const DownloadControl& control);
// Hides the busy indicator once the rows are settled. Throws the error that ended the run, after the clean-up.
// showSummary false: the boxes are not shown (the program is closing).
DownloadRunResult FinishDownload(DownloadRunHost& host, DownloadPlan& plan,
                                 bool showSummary = true);

// The texts of the run's own boxes are in ui/lang (ProfileMissing, BadProfile, CopyFailed, ...).
// The heading of the box that names photos over kMaxPhotoSize.
std::string TooLargeText();

// The summary box's text (single carriage returns; the "c" of "уcпешно" is Latin).
std::string DownloadSummaryText(const std::string& root, int downloaded, int deleted);
// The summary with another first line: RunStopped for a run the user stopped, RunPhoneGone for
// one that the phone's going ended, NotAllDownloaded for one that left checked photos on the
// phone; Summary gives the summary as it is. A root ending in a backslash gets no second one.
std::string DownloadSummaryText(TextId firstLine, const std::string& root, int downloaded,
                                int deleted);

// The run. Errors that end it propagate after the clean-up described above.
DownloadRunResult RunDownload(DownloadRunHost& host);

}  // namespace zv
