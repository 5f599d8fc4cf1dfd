// Message boxes through MessageBoxW.
#include "ui/win32/message_boxes.h"

#include <windows.h>

#include "ui/win32/win32_text.h"

namespace zv {

void* Win32MessageBoxes::Owner() const {
  if (HWND active = GetActiveWindow()) return active;
  return mainWindow_ ? mainWindow_() : nullptr;
}

void Win32MessageBoxes::ShowMessage(const std::string& text) {
  MessageBoxW(static_cast<HWND>(Owner()), Widen(text).c_str(), Widen(title_).c_str(), MB_OK);
}

bool Win32MessageBoxes::AskYesNo(const std::string& text) {
  return MessageBoxW(static_cast<HWND>(Owner()), Widen(text).c_str(), Widen(title_).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32MessageBoxes::ShowError(const std::string& text) {
  MessageBoxW(static_cast<HWND>(Owner()), Widen(text).c_str(), Widen(title_).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace zv
