// zv_window_driver.exe: drives the released program from outside, as a user's clicks would, for
// the release check (scripts/check-release). Runs under Wine beside the program in the same
// prefix and finds its windows by caption, so it works on the real, unpacked exe.
//
//   zv_window_driver wait-main <seconds>         until the main window shows
//   zv_window_driver wait-gone <seconds>         until the program's windows are gone
//   zv_window_driver wait-enabled <list|download> <seconds>   until that button can be pressed
//   zv_window_driver click <list|download>       posts a click to the button
//   zv_window_driver grid-click <x> <y>          mouse down and up in the grid (client point)
//   zv_window_driver box <seconds>               prints a message box's text, presses OK
//   zv_window_driver version <exe>               the version resource's texts, the icon count
//   zv_window_driver texts                       the main window's child window texts
//   zv_window_driver close                       closes the main window
//
// Exit status 0 when done, 1 when the window or state did not come in time, 2 on bad arguments.
// Texts are printed as UTF-8, message box lines ending in "\n".
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"Zarvelinthoscope";

std::string Utf8(const std::wstring& text) {
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(), n, nullptr,
                        nullptr);
  }
  return out;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[4096] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(4096), reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct Search {
  bool wantBox;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lp) {
  auto* search = reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(window) || TextOf(window) != kTitle) return TRUE;
  if ((ClassOf(window) == L"#32770") != search->wantBox) return TRUE;
  search->found = window;
  return FALSE;
}

// The program's main window, or its message box (a dialog with the program's title).
HWND FindWindowOfProgram(bool box) {
  Search search{box};
  EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK FindChildByText(HWND child, LPARAM lp) {
  auto* search = reinterpret_cast<ChildSearch*>(lp);
  if (TextOf(child) != search->text) return TRUE;
  search->found = child;
  return FALSE;
}

HWND Button(const std::wstring& text) {
  HWND main = FindWindowOfProgram(false);
  if (!main) return nullptr;
  ChildSearch search{text};
  EnumChildWindows(main, &FindChildByText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Button names on the command line stay ASCII, whatever the terminal's code page.
bool ButtonText(const wchar_t* name, std::wstring* text) {
  if (std::wcscmp(name, L"list") == 0) {
    *text = L"\u0421\u043F\u0438\u0441\u043E\u043A";  // Список
  } else if (std::wcscmp(name, L"download") == 0) {
    *text =
        L"\u0421\u043A\u0430\u0447\u0430\u0442\u044C \u0444\u043E\u0442\u043E\u0433\u0440\u0430"
        L"\u0444\u0438\u0438";  // Скачать фотографии
  } else {
    return false;
  }
  return true;
}

template <typename Ready>
bool WaitFor(double seconds, Ready ready) {
  const ULONGLONG end = GetTickCount64() + ULONGLONG(seconds * 1000);
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM lp) {
  if (ClassOf(child) != L"Static") return TRUE;
  const std::wstring text = TextOf(child);
  if (!text.empty()) *reinterpret_cast<std::wstring*>(lp) += text;
  return TRUE;
}

void Print(const std::wstring& text) {
  const std::string bytes = Utf8(text) + "\n";
  fwrite(bytes.data(), 1, bytes.size(), stdout);
  fflush(stdout);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  const std::wstring text = TextOf(child);
  if (!text.empty()) Print(text);
  return TRUE;
}

int Fail(const char* what) {
  fprintf(stderr, "zv_window_driver: %s\n", what);
  return 1;
}

// What Explorer's file properties show: the version resource's strings, read as Windows reads
// them, and the number of icons in the file.
int PrintVersion(const wchar_t* exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe, &ignored);
  if (size == 0) return Fail("no version resource");
  std::string data(size, '\0');
  if (!GetFileVersionInfoW(exe, 0, size, data.data())) return Fail("version resource unreadable");
  struct Translation {
    WORD language, codePage;
  };
  Translation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation)) {
    return Fail("no translation");
  }
  wchar_t block[64];
  swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
           translation->codePage);
  for (const wchar_t* key :
       {L"ProductName", L"FileDescription", L"FileVersion", L"ProductVersion", L"LegalCopyright"}) {
    wchar_t* value = nullptr;
    UINT chars = 0;
    const std::wstring path = std::wstring(block) + key;
    const bool found =
        VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) &&
        chars > 0;
    Print(std::wstring(key) + L"=" + (found ? std::wstring(value) : L""));
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    wchar_t text[64];
    swprintf(text, 64, L"Fixed=%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
             LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
             LOWORD(fixed->dwFileVersionLS));
    Print(text);
  }
  wchar_t icons[32];
  swprintf(icons, 32, L"Icons=%u", ExtractIconExW(exe, -1, nullptr, nullptr, 0));
  Print(icons);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) return 2;
  const std::wstring command = argv[1];
  std::wstring text;
  if (command == L"wait-enabled" && argc == 4 && ButtonText(argv[2], &text)) {
    const bool ok = WaitFor(_wtof(argv[3]), [&] {
      HWND button = Button(text);
      return button && IsWindowEnabled(button);
    });
    return ok ? 0 : Fail("the button did not become enabled in time");
  }
  if (command == L"wait-main" && argc == 3) {
    return WaitFor(_wtof(argv[2]), [] { return FindWindowOfProgram(false) != nullptr; })
               ? 0
               : Fail("no main window in time");
  }
  if (command == L"wait-gone" && argc == 3) {
    return WaitFor(_wtof(argv[2]),
                   [] { return !FindWindowOfProgram(false) && !FindWindowOfProgram(true); })
               ? 0
               : Fail("the program's windows are still there");
  }
  if (command == L"click" && argc == 3 && ButtonText(argv[2], &text)) {
    HWND button = Button(text);
    if (!button) return Fail("no such button");
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == L"grid-click" && argc == 4) {
    HWND main = FindWindowOfProgram(false);
    if (!main) return Fail("no main window");
    // The grid fills the middle of the main window.
    RECT client{};
    GetClientRect(main, &client);
    HWND grid =
        ChildWindowFromPointEx(main, POINT{client.right / 2, client.bottom / 2}, CWP_SKIPINVISIBLE);
    if (!grid || grid == main) return Fail("no grid");
    const LPARAM at = MAKELPARAM(_wtoi(argv[2]), _wtoi(argv[3]));
    PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(grid, WM_LBUTTONUP, 0, at);
    return 0;
  }
  if (command == L"box" && argc == 3) {
    HWND box = nullptr;
    if (!WaitFor(_wtof(argv[2]), [&] { return (box = FindWindowOfProgram(true)) != nullptr; })) {
      return Fail("no message box in time");
    }
    // The box may show before its text is set.
    std::wstring shown;
    WaitFor(5, [&] {
      shown.clear();
      EnumChildWindows(box, &CollectStatic, reinterpret_cast<LPARAM>(&shown));
      return !shown.empty();
    });
    // The program breaks lines with a lone "\r" as well as with "\r\n".
    std::wstring lines;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] != L'\r') {
        lines += shown[i];
      } else if (i + 1 == shown.size() || shown[i + 1] != L'\n') {
        lines += L'\n';
      }
    }
    Print(lines);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor(5, [&] { return !IsWindow(box); });
    return 0;
  }
  if (command == L"version" && argc == 3) return PrintVersion(argv[2]);
  if (command == L"texts" && argc == 2) {
    HWND main = FindWindowOfProgram(false);
    if (!main) return Fail("no main window");
    EnumChildWindows(main, &PrintChild, 0);
    return 0;
  }
  if (command == L"close" && argc == 2) {
    HWND main = FindWindowOfProgram(false);
    if (!main) return Fail("no main window");
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}
