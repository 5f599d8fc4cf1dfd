#pragma once
// A headless main window for handler tests, as the program builds it, with test services:
//
//   SimPhone phone;                        // or any PhoneApi
//   FormFixture f(phone.Api());            // Form1 and Form3 built, FormCreate not yet run
//   f.Form1->FormCreate(f.Form1.get());    // or f.Create() to run it as start-up does
//   f.Dispatch([&] { f.Form1->BitBtn1.Click(); });   // an event as the program runs it:
//   EXPECT_EQ(f.Boxes.Errors, ...);                  //   an escaping error is shown here
//
// Without a phone thread of the test's own, the form's phone work goes to Stepped, and Dispatch
// runs it to its end after the event (the phone's part, then each window task as an event of
// its own), as the program's message loop would. A test that wants to see the order of events
// sets AutoStep false and steps Stepped itself (RunStep runs one step as the loop would).
// Local files go to a temporary folder (Folder(), removed with the fixture); the settings file
// is a portable INI file in it; the busy indicator shows in a FakeNotifyArea; the folder box has
// no dialog unless a test sets one.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/form3.h"
#include "app/settings/ini_file.h"
#include "phone/stepped_phone_jobs.h"
#include "trayicon/fake_notify_area.h"
#include "ui/application.h"
#include "ui/platform.h"
#ifdef _WIN32
#include "ui/win32/win32_file_system.h"
#else
#include "ui/native_file_system.h"
#endif

namespace zv {

// Message boxes that only remember what they were asked to show.
class FakeMessageBoxes : public MessageBoxes {
 public:
  std::vector<std::string> Messages;  // ShowMessage texts
  std::vector<std::string> Errors;    // ShowError texts (after the "." rule)
  std::function<void()> OnShow;       // runs as each box would open (to look at the window then)
  void ShowMessage(const std::string& text) override {
    if (OnShow) OnShow();
    Messages.push_back(text);
  }
  void ShowError(const std::string& text) override {
    if (OnShow) OnShow();
    Errors.push_back(text);
  }
  std::vector<std::string> Questions;  // AskYesNo texts
  bool Answer = true;                  // what every question is answered
  bool AskYesNo(const std::string& text) override {
    if (OnShow) OnShow();
    Questions.push_back(text);
    return Answer;
  }
};

// A temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class FormFixture {
 public:
  // jobs: the phone thread the form hands its phone work to; none: Stepped. files: the local
  // files the form uses; none: Files.
  explicit FormFixture(PhoneApi& phone, PhoneJobs* jobs = nullptr, FileSystem* files = nullptr);
  ~FormFixture();

  // Runs FormCreate as start-up does (through the dispatch place).
  void Create();
  // Runs one event as the program's backend does: an error that escapes is shown in Boxes.
  // True when neither the event nor the work it led to ended with an error.
  template <class F>
  bool Dispatch(F&& handler) {
    bool ok = App.Dispatch(std::forward<F>(handler));
    if (AutoStep && !ownThread_) ok = RunPhoneWork() && ok;
    return ok;
  }
  // Runs Stepped's work until nothing waits; false when a window task ended with an error.
  bool RunPhoneWork();
  // One step: the oldest window task (as an event), else the next phone job; false when
  // nothing waited.
  bool RunStep();
  bool AutoStep = true;

  // The temporary folder, as a UTF-8 path with the platform's separators.
  std::string Folder() const;

  TempFolder Temp;
  FakeMessageBoxes Boxes;
#ifdef _WIN32
  Win32FileSystem Files;
#else
  NativeFileSystem Files;
#endif
  IniFileStore Settings;
  FakeNotifyArea Tray;
  TApplication App{Boxes};
  SteppedPhoneJobs Stepped;  // the form's phone work unless a thread was given

 private:
  bool ownThread_;
  bool lastTaskOk_ = true;

 public:
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm3> Form3;
};

}  // namespace zv
