#pragma once
// The program on Win32: the concrete platform objects made in one place (message boxes, the
// phone library beside the executable, the local file system, the settings file, the
// notification area, the folder dialog, the backend) and the start-up order:
//   1. the application, titled "Zarvelinthoscope";
//   2. the main window with all its controls (windows made, hidden; Timer1 runs from here);
//   3. FormCreate (P2K_Init(0), flags, the archive root from the settings file);
//   4. the preview window, hidden;
//   5. the message loop, which shows the main window.
// Closing the main window ends the loop; nothing runs at exit.
#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/form1.h"
#include "app/form3.h"
#include "app/settings/win32/win32_ini_store.h"
#include "app/win32/taskbar_progress.h"
#include "folderedit/win32/shell_folder_dialog.h"
#include "phone/phone_jobs.h"
#include "phone/phone_library.h"
#include "trayicon/notify_area.h"
#include "ui/application.h"
#include "ui/lang/texts.h"
#include "ui/win32/backend.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/win32_file_system.h"

namespace zv {

// Peers of the program's own control kinds (the folder box) beyond the standard ones.
void RegisterProgramPeers(Win32Backend& backend);
// What the main window's controls need from the platform beyond their windows: the system's
// colours and visual-style state for the grid, the screen's colour depth for the preview, and
// the repaint of its windows between the steps of long phone work.
void ConnectPlatform(TForm1& form);
// A window that the system shows at another scale than the form was laid out for (another
// monitor than expected) is laid out again at the window's own.
void FollowWindowDpi(TForm& form);

// Where the program finds its phone library and its settings file. Empty: beside the
// executable, as the program always runs; tests start the whole program with other places.
struct ProgramPlaces {
  std::string PhoneLibrary;  // full path of p2kapi (UTF-8)
  std::string SettingsFile;  // full path of the settings file (UTF-8)
};

// The language of the program's texts, chosen from the user's interface language and the
// settings file's Language value (ChooseUiLanguage) and put in force, before any text is made.
Language ChooseStartLanguage(const std::string& settingsFile);

class Win32Program {
 public:
  explicit Win32Program(HINSTANCE instance, const ProgramPlaces& places = {});
  ~Win32Program();
  Win32Program(const Win32Program&) = delete;
  Win32Program& operator=(const Win32Program&) = delete;

  // Start-up steps 1 to 4.
  void Start();
  // Step 5: runs until the main window is closed. Returns the exit code.
  int Run();

  // Whether the phone thread has ended, asked afresh each time. After Run it is asked to end and
  // given a few seconds; a call into the phone library that has not returned by then keeps it,
  // and the process must then end at once (ExitProcess), not unload the library under that call.
  bool PhoneThreadEnded() const { return !worker_ || worker_->ThreadEnded(); }

  // The running program, for tests that drive its windows (valid after Start).
  Win32Backend& Backend() { return backend_; }
  TForm1& Form1() { return *form1_; }
  TForm3& Form3() { return *form3_; }

 private:
  static LRESULT CALLBACK QueueWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void EndPhoneThread(std::chrono::milliseconds wait);

  // First: the phone library's error and every control take their texts in this language.
  Language language_;
  Win32MessageBoxes boxes_;
  TApplication app_;
  Win32Backend backend_;
  PhoneLibrary phone_;
  Win32FileSystem files_;
  Win32IniStore settings_;
  std::unique_ptr<NotifyArea> tray_;
  ShellFolderDialog folders_;
  TaskbarProgress taskbar_;
  // What the phone thread hands to the window thread, and the hidden window that is woken for it.
  WindowQueue windowQueue_;
  HWND queueWindow_ = nullptr;
  std::unique_ptr<PhoneWorker> worker_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm3> form3_;
};

}  // namespace zv
