#pragma once
// The program's message boxes on Win32: one OK button, the application title as caption, owned
// by the thread's active window, or by the main window when the program is in the background
// (a box without an owner would leave the main window clickable under it).
#include <functional>
#include <string>

#include "ui/platform.h"

namespace zv {

class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(std::string title) : title_(std::move(title)) {}
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  // The main window's handle (an HWND), or null while it has none.
  void SetMainWindow(std::function<void*()> mainWindow) { mainWindow_ = std::move(mainWindow); }

 private:
  void* Owner() const;
  std::string title_;
  std::function<void*()> mainWindow_;
};

}  // namespace zv
