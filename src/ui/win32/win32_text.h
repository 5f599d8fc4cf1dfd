#pragma once
// UTF-8 <-> UTF-16 for the W calls of the Win32 backend.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/text.h"

namespace zv {

inline std::wstring Widen(std::string_view utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

inline std::wstring Widen(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

inline std::string Narrow(std::wstring_view w) {
  return Utf16ToUtf8(std::u16string(w.begin(), w.end()));
}

// The text of a window as UTF-8.
inline std::string WindowTextUtf8(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, w.data(), n + 1);
  w.resize(static_cast<size_t>(got > 0 ? got : 0));
  return Narrow(w);
}

}  // namespace zv
