#pragma once
// TApplication: the program's title, its main form, and the one place through which every
// event that the backend dispatches runs. An error that escapes a handler (zv::Exception or any
// std::exception) ends that handler and is shown by the general error handler: the message in
// an error box with the application title as caption and one OK button, a "." appended when the
// message ends in a letter or digit (ErrorBoxText).
#include <exception>
#include <functional>
#include <string>

#include "ui/platform.h"

namespace zv {

class TForm;

inline constexpr char kApplicationTitle[] = "Zarvelinthoscope";

class TApplication {
 public:
  explicit TApplication(MessageBoxes& boxes) : boxes_(boxes) {}

  std::string Title = kApplicationTitle;

  // The form whose closing ends the program.
  void SetMainForm(TForm& form);
  TForm* MainForm() const { return mainForm_; }

  // Ends the message loop (the backend sets OnTerminate to post the quit message).
  void Terminate();
  bool Terminated() const { return terminated_; }
  std::function<void()> OnTerminate;

  // The general error handler.
  void HandleException(const std::exception& e);

  // Runs one event handler; an error that escapes it goes to HandleException. Returns false
  // when the handler ended with an error.
  template <class F>
  bool Dispatch(F&& handler) noexcept {
    try {
      handler();
      return true;
    } catch (const std::exception& e) {
      ShowSafely(e);
    } catch (...) {
      ShowUnknown();
    }
    return false;
  }

  MessageBoxes& Boxes() const { return boxes_; }

 private:
  void ShowSafely(const std::exception& e) noexcept;
  void ShowUnknown() noexcept;
  MessageBoxes& boxes_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

}  // namespace zv
