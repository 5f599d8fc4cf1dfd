#pragma once
// The program's message boxes on Win32: one OK button, the application title as caption, owned
// by the thread's active window so that the window waits for them.
#include <string>

#include "ui/platform.h"

namespace zv {

class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(std::string title) : title_(std::move(title)) {}
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  std::string title_;
};

}  // namespace zv
