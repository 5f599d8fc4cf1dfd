// The program's start-up on Win32.
#include "app/win32/program.h"

#include "folderedit/win32/combo_edit_peer.h"
#include "gridview/win32/grid_accessibility.h"
#include "gridview/win32/system_look.h"
#include "phone/win32/phone_library_win32.h"
#include "phone/win32/phone_thread_idle.h"
#include "trayicon/main_tray_icon.h"
#include "trayicon/win32/win32_notify_area.h"
#include "ui/win32/dpi.h"

namespace zv {

namespace {

int ScreenBitsPerPixel() {
  HDC dc = GetDC(nullptr);
  const int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
  return bits;
}

}  // namespace

void FollowWindowDpi(TForm& form) {
  form.ScaleForPPI(DpiForWindow(static_cast<HWND>(form.Peer()->NativeHandle())));
}

void RegisterProgramPeers(Win32Backend& backend) { RegisterFolderEditPeers(backend); }

void ConnectPlatform(TForm1& form) {
  UseSystemLook(form.GridView1);
  UseGridAccessibility(form.GridView1);
  form.ScreenBitsPerPixel = ScreenBitsPerPixel();
  form.RepaintPending = DispatchPendingPaints;
}

Language ChooseStartLanguage(const std::string& settingsFile) {
  Win32IniStore settings(settingsFile);
  const Language language =
      ChooseUiLanguage(GetUserDefaultUILanguage(), ReadLanguageSetting(settings));
  SetUiLanguage(language);
  return language;
}

Win32Program::Win32Program(HINSTANCE instance, const ProgramPlaces& places)
    : language_(ChooseStartLanguage(places.SettingsFile.empty() ? ExecutableSettingsFile()
                                                                : places.SettingsFile)),
      boxes_(kApplicationTitle),
      app_(boxes_),
      backend_(app_, instance),
      phone_(LoadPhoneLibrary(places.PhoneLibrary.empty() ? PhoneLibraryPathBesideExe()
                                                          : places.PhoneLibrary)),
      settings_(places.SettingsFile.empty() ? ExecutableSettingsFile() : places.SettingsFile),
      tray_(CreateWin32NotifyArea([this](const std::exception& e) { app_.HandleException(e); })),
      folders_([this]() -> void* { return form1_ ? form1_->Peer()->NativeHandle() : nullptr; }) {
  RegisterProgramPeers(backend_);
  boxes_.SetMainWindow(
      [this]() -> void* { return form1_ && form1_->Peer() ? form1_->Peer()->NativeHandle() : nullptr; });
}

namespace {

constexpr UINT kQueueMessage = WM_APP + 1;
// How long the end of the program waits for the phone call in progress.
constexpr std::chrono::seconds kPhoneThreadEndWait{3};

}  // namespace

LRESULT CALLBACK Win32Program::QueueWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kQueueMessage) {
    auto* program = reinterpret_cast<Win32Program*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Each task runs as an event does: an error it ends with goes to the error box.
    while (program) {
      std::optional<WindowQueue::Task> task = program->windowQueue_.Take();
      if (!task) break;
      program->backend_.Dispatch(*task);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

Win32Program::~Win32Program() {
  // The phone thread's jobs refer to the main window: it ends first, and what it handed over
  // goes unrun.
  EndPhoneThread(kPhoneThreadEndWait);
  windowQueue_.SetWake({});
  windowQueue_.Discard();
  form1_.reset();  // it refers to the preview window
  form3_.reset();
  if (queueWindow_) DestroyWindow(queueWindow_);
  // A thread left to a call that never returned: the library stays loaded under it.
  if (!PhoneThreadEnded()) static_cast<void>(phone_.api.release());
}

void Win32Program::EndPhoneThread(std::chrono::milliseconds wait) {
  // Asked every time: Shutdown tells whether the thread has ended by now.
  if (worker_) worker_->Shutdown(wait);
}

void Win32Program::Start() {
  app_.Title = kApplicationTitle;
  // A message-only window wakes the window thread for what the phone thread hands over.
  WNDCLASSW queueClass{};
  queueClass.lpfnWndProc = QueueWindowProc;
  queueClass.hInstance = backend_.Instance();
  queueClass.lpszClassName = L"ZvPhoneResults";
  RegisterClassW(&queueClass);
  queueWindow_ = CreateWindowExW(0, queueClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, backend_.Instance(), nullptr);
  SetWindowLongPtrW(queueWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  windowQueue_.SetWake([window = queueWindow_] { PostMessageW(window, kQueueMessage, 0, 0); });
  worker_ = std::make_unique<PhoneWorker>(*phone_.api, windowQueue_, PhoneWorker::Clock::now,
                                          MakeMessageIdle());
  form1_ = std::make_unique<TForm1>(FormServices{*phone_.api, boxes_, files_, settings_, *tray_,
                                                 &folders_, worker_.get()});
  // As the session ends, the run stops after the call in progress and the program waits a
  // little for it; nothing is lost either way.
  form1_->WaitForPhoneWork = [this] { EndPhoneThread(kPhoneThreadEndWait); };
  // The thumbnails decoded on their own thread come to the window through the same queue.
  form1_->PostToWindow = [this](std::function<void()> task) { windowQueue_.Post(std::move(task)); };
  app_.SetMainForm(*form1_);
  ConnectPlatform(*form1_);
  form1_->TaskbarProgress = [this](int done, int total) {
    taskbar_.Show(static_cast<HWND>(form1_->Peer() ? form1_->Peer()->NativeHandle() : nullptr),
                  done, total);
  };
  // The busy indicator's frames drawn at the notification area's small icon size.
  form1_->TrayIcon1->LoadIcons(MainTrayIconFramesFor(SystemMetricForDpi(SM_CXSMICON, SystemDpi())));
  // Laid out at the scale of the monitor it opens on: the main window opens centred on the
  // primary monitor, the preview at its top left corner.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  form1_->ScaleForPPI(DpiAtPoint({(work.left + work.right) / 2, (work.top + work.bottom) / 2}));
  backend_.CreateHandle(*form1_);
  FollowWindowDpi(*form1_);
  app_.Dispatch([this] { form1_->FormCreate(form1_.get()); });
  form3_ = std::make_unique<TForm3>();
  form3_->ScaleForPPI(DpiAtPoint({work.left, work.top}));
  backend_.CreateHandle(*form3_);
  FollowWindowDpi(*form3_);
  form1_->Form3 = form3_.get();
  // A missing phone library or export: the program runs without a phone and says so once.
  if (!phone_.error.empty()) boxes_.ShowError(phone_.error);
}

int Win32Program::Run() {
  const int code = backend_.Run(*form1_);
  EndPhoneThread(kPhoneThreadEndWait);
  return code;
}

}  // namespace zv
