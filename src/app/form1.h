#pragma once
// TForm1, the main window: every control of the program, the state that crosses subsystems, and
// every handler. The handlers live in one file per subsystem (form1_*.cpp); the form itself only
// builds the controls (form1.cpp) and wires their events to the handlers. The form runs headless
// (native tests construct it with fakes or the simulated phone) and with the Win32 backend.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <string>

#include "archive/archive_check.h"
#include "catalogue/photo_sources.h"
#include "folderedit/directory_edit.h"
#include "gridview/grid.h"
#include "phone/phone_api.h"
#include "phone/phone_jobs.h"
#include "preview/preview_run.h"
#include "archive/run_progress.h"
#include "trayicon/tray_icon.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/lang/texts.h"
#include "ui/platform.h"
#include "ui/stdctrls.h"
#include "ui/timer.h"

namespace zv {

class FolderDialog;
class GridThumbnails;
class NotifyArea;
class SettingsStore;
class TForm3;
struct DirectoryFetch;

// The platform services the main window's handlers use. Nothing is owned; everything must
// outlive the form.
struct FormServices {
  PhoneApi& Phone;
  MessageBoxes& Boxes;
  FileSystem& Files;                // local files (the archive)
  SettingsStore& Settings;          // the settings file
  NotifyArea& Tray;                 // where TrayIcon1 shows its icon
  FolderDialog* Folders = nullptr;  // the folder box's browse dialog; none: the button only
  // Where the phone work runs: the program's phone thread. None: each job runs to its end at
  // once on the window thread (tests of the handlers' logic).
  PhoneJobs* Jobs = nullptr;
};

// The phone work the user started, which locks the controls that would start more or change its
// input. (The window's own work, start-up and the monitor's polls, locks nothing.)
enum class JobKind { kNone, kList, kRun, kPreview, kProfile };

// The widths at 100 % of the status bar's first three panels (connection, files found, photos)
// in a language; the last panel, the credit, takes the rest of the bar.
struct StatusPanelWidths {
  int connection, found, photos;
};
StatusPanelWidths StatusPanelWidthsFor(Language language);

class TForm1 : public TForm {
  // The jobs run at once when the services give no phone thread (first: Jobs may refer to it).
  std::unique_ptr<PhoneJobs> ownJobs_;

 public:
  // The count panels before the first listing (the texts themselves are in ui/lang).
  static constexpr char kNoCount[] = "---";
  static constexpr int kProfileMaxLength = 200;
  // A phone call that has not returned for this long, plus the time its bytes need at
  // kSlowestSpeed (a whole photo is one read): the status bar says the phone does not answer,
  // and closing the program no longer waits for it. The floor is a fraction of the slowest
  // link seen (28 KB/s), so that a healthy read of a large photo is never taken for a hang.
  static constexpr std::chrono::seconds kNotAnsweringAfter{30};
  static constexpr int kSlowestSpeed = 8 * 1024;  // bytes a second
  static std::chrono::milliseconds NotAnsweringAfter(int bytes);
  // A close asked for while work ends after its call in progress: after this long (the
  // archive on a drive that stopped answering), or at a second close, the program closes
  // without waiting. Nothing is lost: a photo leaves the phone only once its copy is flushed.
  static constexpr std::chrono::seconds kCloseWaitsAtMost{3};

  // Builds the window with all of its controls in their initial state (start-up step 2).
  // FormCreate is not run here: the program runs it next, tests when they need it.
  explicit TForm1(const FormServices& services);
  ~TForm1() override;

  // --- Services (not owned) ---
  PhoneApi& Phone;
  MessageBoxes& Boxes;
  FileSystem& Files;
  SettingsStore& Settings;
  PhoneJobs& Jobs;
  TForm3* Form3 = nullptr;      // the preview window, set once it is created
  int ScreenBitsPerPixel = 32;  // colour depth of the screen, tested once at start

  // --- Controls, in the order of the form ---
  TLabel Label1;
  TEdit Edit1;
  TBitBtn BitBtn3;
  TGridView GridView1;
  TBitBtn BitBtn2;
  TDirectoryEdit DirectoryEdit1;
  // The folder box's name for screen readers, which the system takes from the label just before
  // a box in the window order. It has no size: the window shows no label there.
  TLabel Label2;
  TBitBtn BitBtn1;
  TStatusBar StatusBar1;
  TTimer Timer1;
  std::unique_ptr<TTrayIcon> TrayIcon1;
  // "Эскизы": the thumbnails view on or off (form1_thumbnails.cpp).
  TCheckBox CheckBox1;

  // --- State shared by the handlers ---
  bool PhoneConnected = false;
  int FoundCount = 0;
  int PhotoCount = 0;
  // The directory entry behind each row of the last listing (the download run and the preview
  // reach a photo by it, not by the row's cut name).
  PhotoSources Sources;
  // The listing's directory buffer, kept for the next listing (form1_listing.cpp).
  std::shared_ptr<DirectoryFetch> ListingDirectory;
  bool AllDownloadChecked = true;
  bool AllDeleteChecked = false;
  // The rows whose photos are already in the archive under the current root and profile; their
  // name and size are drawn grey. Marked afresh after a listing, after a run, and when the root
  // or the profile changes (form1_archived.cpp).
  ArchivedPhotos Archived;

  // --- Handlers ---
  void FormCreate(TObject* Sender);    // form1.cpp
  void Timer1Timer(TObject* Sender);   // connection monitor
  void ReadProfileId();                // profile file
  void BitBtn3Click(TObject* Sender);  // CreateButton: write the profile file
  void BitBtn1Click(TObject* Sender);  // ListButton
  void ListPhotos();
  void BitBtn2Click(TObject* Sender);  // DownloadButton
  void GridView1HeaderClick(TObject* Sender, int ACol);
  void GridView1DblClick(TObject* Sender);  // preview
  void DirectoryEdit1AfterDialog(TObject* Sender, std::string& Name, bool& Action);
  void GridView1CellFormating(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                              TFontStyles& FontStyle, TCellState CellState);
  void Edit1Change(TObject* Sender);           // the profile: the archive marks follow it
  void DirectoryEdit1Change(TObject* Sender);  // the archive root: likewise

  void FormClose(TObject* Sender, TCloseAction& Action);  // closing during phone work
  void FormCancel(TObject* Sender);                        // Esc: stops the phone work
  void FormSessionEnd(TObject* Sender);                    // the session ends: stop, no question

  // --- Phone work off the window thread (form1_jobs.cpp) ---
  JobKind RunningJob() const { return job_; }
  bool UserJobRunning() const { return job_ != JobKind::kNone; }
  // Starts work the user asked for: the controls it locks are locked until it is done. A status
  // poll in progress is waited for by the job, not by the window. When the jobs layer refuses
  // it (the phone thread has ended), `done` gets that error at once.
  void StartJob(JobKind kind, PhoneJobs::Job job, PhoneJobs::Done done);
  // StartJob, then the busy indicator (SetBusy) once the job has been taken: showing the icon
  // waits on the notification area's owner, which the phone need not wait for. `done` hides it.
  void StartBusyJob(JobKind kind, PhoneJobs::Job job, PhoneJobs::Done done);
  // Starts work of the window's own (start-up, the monitor's polls): it locks nothing.
  void StartQuietJob(PhoneJobs::Job job, PhoneJobs::Done done);
  // Asks the user's work to stop after the phone call in progress.
  void StopJob();
  // The phone thread has had a call in progress for NotAnsweringAfter(its bytes).
  bool PhoneNotAnswering() const;
  // Where the platform waits for the phone thread as the session ends (bounded; may be empty).
  std::function<void()> WaitForPhoneWork;
  // The phone has gone (a status poll, or a run that found it gone): panels and buttons reset.
  void PhoneDisconnected();

  // --- The archive marks (form1_archived.cpp) ---
  void MarkArchivedRows();
  // Whether row `row`'s photo is marked as archived: one lookup, no file-system call, so that
  // painting and the screen reader's row names may ask for every row they show.
  bool RowArchived(int row);

  // --- The thumbnails view (form1_thumbnails.cpp) ---
  void CheckBox1Click(TObject* Sender);
  // Turns the view on or off as the box and the settings file say (Thumbnails=1|0).
  void SetThumbnailsOn(bool on);
  // Hands a task to the window thread from another thread (the decoding thread's results): the
  // platform's window queue. Unset (headless tests that do not set it), thumbnails are decoded
  // but never arrive.
  std::function<void(std::function<void()>)> PostToWindow;
  // The view's state, for tests (null until the view is first turned on).
  GridThumbnails* Thumbnails() { return thumbnails_.get(); }

  // Convenience for the handlers: panel i of StatusBar1.
  void SetPanelText(int panel, const std::string& text) { StatusBar1.Panels[panel].SetText(text); }

  // --- Long phone work (form1_progress.cpp) ---
  // While the phone thread lists or runs, the caption and the busy indicator's tip say how far
  // the work has got ("Zarvelinthoscope — 12 из 200 · 28 КБ/с · осталось 31 мин"), and
  // RepaintPending is asked each time they change: the platform lets the paint messages that
  // wait for the program's windows through at once, so that the new caption shows without
  // waiting for the message loop's turn; headless it is empty (tests watch it).
  std::function<void()> RepaintPending;
  // The taskbar button's progress during the run: done of total, and (0, 0) to clear it. Set by
  // the platform where the system offers it; headless it is empty.
  std::function<void(int done, int total)> TaskbarProgress;
  // The clock that paces the run's progress display and times its reads (tests give their own).
  std::function<std::chrono::steady_clock::time_point()> Now = std::chrono::steady_clock::now;
  // The run's progress as the phone thread reports it: caption, tip, taskbar and repaint. The
  // reports come at most ten times a second (kProgressInterval), since the eye needs no more,
  // and always for the first and the last photo.
  void ShowRunProgress(const RunProgress& progress);
  static constexpr std::chrono::milliseconds kProgressInterval{100};
  static std::string ListingProgressText(int entries);  // "reading the file list: 30"
  void ShowWorkProgress(const std::string& text);
  // Back to the caption and tip from before the work (nothing when no progress was shown).
  void EndWorkProgress();
  // TrayIcon1.Active for the listing and the run; hiding it ends the progress display too, so
  // that the summary box, or the error box of a run that failed, finds the caption restored.
  void SetBusy(bool on);

 private:
  JobKind job_ = JobKind::kNone;
  bool closeAfterJob_ = false;
  std::chrono::steady_clock::time_point closeAskedAt_{};
  bool notAnsweringShown_ = false;
  std::string panelBeforeNotAnswering_;
  // What the lock changed, to give back after the job.
  bool listEnabledBefore_ = false, downloadEnabledBefore_ = false;
  std::string downloadCaptionBefore_;
  TColumnOptions fileColumnOptions_{}, sizeColumnOptions_{};
  void LockForJob(JobKind kind);
  void UnlockAfterJob();
  void PollPhone();  // the monitor's tick as a job
  // The buttons' states as the phone and the listing set them; while work the user started
  // runs they are kept for the end of the lock.
  void SetListEnabled(bool on);
  void SetDownloadEnabled(bool on);
  void ShowProfileFile(const char* bytes);  // the profile file's 200 bytes into Edit1
  void ShowNotAnswering();
  void CloseIfWaitedTooLong();  // each tick of Timer1
  // After the Done of the user's work: the error it ended with, a close that waited for it, the
  // preview that waited for the phone.
  void AfterJob(std::exception_ptr failure);
  void BeginRun();
  void BeginPreview();
  // The preview (form1_preview.cpp). The latest request wins: a read in progress for an older
  // one is stopped and its photo thrown away (previewGeneration_ tells them apart). A photo
  // asked for while other phone work runs waits for its end (the preview window says so).
  bool ShowPreviewFromArchive(const PreviewSources& s, const PreviewRequest& request);
  void StartPreviewRead(const PreviewSources& s, const PreviewRequest& request);
  void BeginWaitingPreview();
  PreviewSources PreviewServices();
  int previewGeneration_ = 0;
  std::optional<PreviewRequest> previewAfterJob_;

  bool progressShown_ = false;
  bool taskbarShown_ = false;
  std::string captionBeforeWork_;
  std::string hintBeforeWork_;

  void CreateControls();
  void WireEvents();

  // The thumbnails view, made when first turned on; and its head reads' way to the phone.
  std::unique_ptr<GridThumbnails> thumbnails_;
  bool StartBackgroundJob(PhoneJobs::Job job, PhoneJobs::Done done);
  void ThumbnailsListed();
  void ThumbnailsPhotoRead(const std::u16string& name, std::int64_t size,
                           const std::vector<std::uint8_t>& bytes);
};

}  // namespace zv
