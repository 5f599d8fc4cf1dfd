#pragma once
// The whole program in the test's process, started by the program's own Win32Program: the real
// message boxes, the Win32 file system, the settings file through the system's INI functions, the
// real notification area, the folder dialog, the backend with the program's own peers, TForm1
// with FormCreate run through the dispatch place, then the hidden Form3. Only the phone library
// is the simulated one (SimPhone's, loaded by the program's own loader) and the settings file
// lies in a temporary folder, which is also the process's current directory while the harness
// lives (the working folder that the preview must leave alone).
//
//   ProgramHarness p;                          // phone unplugged, nothing listed
//   p.Phone().AddFile(...); p.Attach();        // the monitor takes the phone up
//   p.Click(p.Form1().BitBtn1);                // "Список" through the button's window
//   BoxCloser boxes;                           // reads and closes the program's message boxes
//   p.Click(p.Form1().BitBtn2);                // returns when the last box is closed
//   boxes.Seen();                              // what the boxes said
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "app/form3.h"
#include "app/win32/program.h"
#include "form_fixture.h"
#include "testing/sim_phone.h"
#include "ui/application.h"
#include "ui/win32/backend.h"

namespace zv::e2e {

HWND Hwnd(const TControl& control);

// The profile file's 200 bytes for a profile name given in Windows-1251.
std::string ProfileFileBytes(const std::string& cp1251);

// A client-area capture, pixels 0x00RRGGBB, rows top-down.
struct Capture {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
  // Saves it as a BMP file (for a person to look at).
  void Save(const std::filesystem::path& file) const;
};

// The client area of a window as it shows on the screen (BitBlt from the window's DC).
Capture CaptureClient(HWND window);

// 0x00RRGGBB of a COLORREF.
std::uint32_t Rgb(COLORREF c);

class ProgramHarness {
 public:
  ProgramHarness();
  ~ProgramHarness();
  ProgramHarness(const ProgramHarness&) = delete;
  ProgramHarness& operator=(const ProgramHarness&) = delete;

  SimPhone& Phone() { return phone_; }
  TForm1& Form1() { return program_->Form1(); }
  TForm3& Form3() { return program_->Form3(); }
  // The temporary folder: the current directory, and the place for an archive root.
  const std::filesystem::path& Folder() const { return temp_.Path(); }

  // Handles messages until `done` holds or `ms` milliseconds have passed; gives `done`.
  bool PumpUntil(const std::function<bool()>& done, int ms);
  void Pump(int ms);

  // The phone's status to 1, then waits for the monitor's tick to take it up.
  bool Attach();
  // The photo grid's File column from the top (UTF-8).
  std::vector<std::string> GridNames();
  // A status bar panel's text as its window holds it (UTF-8).
  std::string Panel(int index) const;
  // BM_CLICK on a button's window; returns when the handler and the phone work it started
  // (and their boxes) are done.
  void Click(const TControl& button);
  // BM_CLICK, and back at once: the phone work it started goes on.
  void ClickAndGoOn(const TControl& button);
  // Handles messages until no phone work the user started is left; false after `ms`.
  bool WaitForPhoneWork(int ms = 60000);
  // Types a text into an edit box's window (as the user would replace it).
  void Type(const TControl& edit, const std::string& utf8);

  // Mouse messages to the grid's window at a client point.
  // The program has ended (its main window was closed).
  bool Ended() { return program_->Backend().App().Terminated(); }

  void GridClick(int x, int y);
  void GridDoubleClick(int x, int y);

 private:
  SimPhone phone_;
  TempFolder temp_;
  std::filesystem::path previousDirectory_;
  std::unique_ptr<Win32Program> program_;
};

// One message box as the watcher saw it before closing it.
struct BoxSeen {
  std::string Caption;
  std::string Text;   // the box's static text
  bool Icon = false;  // an icon shown (the error boxes have one, plain messages none)
};

// Watches for the program's message boxes (dialogs of this process captioned with the
// application title), reads each one once it is shown and closes it with IDOK. Runs on its own
// thread from construction to Stop (or destruction); a box still open at its deadline is
// closed too, so that a test never hangs on one.
class BoxCloser {
 public:
  // answer: the button each box is closed with (IDOK; IDYES or IDNO for a question). With
  // `armed`, the watch looks for boxes only once it is true: a benchmark arms it as the work it
  // times ends, so that the watch's own calls (a look at every window, 50 times a second) do
  // not run beside that work.
  explicit BoxCloser(int deadlineMs = 30000, int answer = IDOK,
                     const std::atomic<bool>* armed = nullptr);
  ~BoxCloser();
  BoxCloser(const BoxCloser&) = delete;
  BoxCloser& operator=(const BoxCloser&) = delete;

  // Stops watching and gives every box seen, in order.
  std::vector<BoxSeen> Stop();

 private:
  void Watch(int deadlineMs, int answer, const std::atomic<bool>* armed);

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<BoxSeen> seen_;
  std::thread thread_;
};

}  // namespace zv::e2e
