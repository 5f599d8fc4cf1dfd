// The real shell folder-browse dialog, run under Wine: where it opens, what it selects, when OK
// is enabled, what OK and Cancel give back, and the program's windows while it is open. Each
// test closes the dialog from the dialog's own callbacks.
#include "folderedit/win32/shell_folder_dialog.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "dialog_folder.h"
#include "folderedit/browse_folder_dlg.h"
#include "ui/text.h"

namespace zv {
namespace {

constexpr char kDialogText[] = "Выберите путь к Галерее фотографий";

std::wstring Wide(const std::string& utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

void Press(void* dialog, int id) {
  HWND d = static_cast<HWND>(dialog);
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

struct TextSearch {
  std::wstring text;
  bool found = false;
};

// An enumeration callback has the system's calling convention, which a lambda lacks on 32-bit.
BOOL CALLBACK MatchChildText(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TextSearch*>(p);
  wchar_t buffer[512] = {};
  GetWindowTextW(w, buffer, 512);
  if (s->text == buffer) s->found = true;
  return !s->found;
}

bool HasChildWithText(HWND parent, const std::wstring& text) {
  TextSearch search{text};
  EnumChildWindows(parent, &MatchChildText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(ShellFolderDialog, OpensCentredWithTheStartFolderSelectedAndCancelKeepsName) {
  const std::string& folder = testing_support::DialogTestFolder();
  testing_support::WithOneRetry([&](bool lastTry) {
    ShellFolderDialog dialog;
    bool shown = false, took = true;
    dialog.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
      shown = true;
      HWND d = static_cast<HWND>(open.Window);
      if (!lastTry && open.SelectedPath != folder) {
        took = false;
        Press(open.Window, IDCANCEL);
        return;
      }
      EXPECT_EQ(open.SelectedPath, folder);
      EXPECT_TRUE(open.OkEnabled);
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
      EXPECT_TRUE(HasChildWithText(d, Wide(kDialogText)));
      RECT r;
      GetWindowRect(d, &r);
      EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
      EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
      Press(open.Window, IDCANCEL);
    };
    std::string name = folder;
    EXPECT_FALSE(PickFolder(dialog, name, kDialogText, 0));
    EXPECT_TRUE(shown);
    EXPECT_EQ(name, folder);
    return took;
  });
}

TEST(ShellFolderDialog, OkGivesTheSelectedFolderTidied) {
  const std::string& folder = testing_support::DialogTestFolder();
  struct Case {
    const char* what;
    std::string select, expected;
  };
  const Case cases[] = {
      {"a folder", folder, folder},
      {"a drive root keeps its backslash", "C:\\", "C:\\"},
  };
  for (const Case& c : cases) {
    testing_support::WithOneRetry([&](bool lastTry) {
      ShellFolderDialog dialog;
      bool took = true;
      dialog.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
        const std::wstring path = Wide(c.select);
        SendMessageW(static_cast<HWND>(open.Window), BFFM_SETSELECTIONW, TRUE,
                     reinterpret_cast<LPARAM>(path.c_str()));
        took = lastTry || open.SelectedPath == c.expected;
        EXPECT_EQ(took ? open.SelectedPath : c.expected, c.expected) << c.what;
        Press(open.Window, took ? IDOK : IDCANCEL);
      };
      std::string name = "C:\\";
      const bool confirmed = PickFolder(dialog, name, kDialogText, 0);
      if (!took) return false;
      EXPECT_TRUE(confirmed) << c.what;
      EXPECT_EQ(name, c.expected) << c.what;
      return true;
    });
  }
}

TEST(ShellFolderDialog, OkOnlyForFileSystemFolders) {
  ShellFolderDialog dialog;
  bool checked = false;
  dialog.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
    HWND d = static_cast<HWND>(open.Window);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));  // C:\ selected
    // "My Computer" has no file-system path.
    LPITEMIDLIST computer = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)));
    SendMessageW(d, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(computer));
    CoTaskMemFree(computer);
    EXPECT_EQ(open.SelectedPath, "");
    EXPECT_FALSE(open.OkEnabled);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDOK)));
    checked = true;
    Press(open.Window, IDCANCEL);
  };
  std::string name = "C:\\";
  EXPECT_FALSE(PickFolder(dialog, name, "", 0));
  EXPECT_TRUE(checked);
}

TEST(ShellFolderDialog, OwnedByTheProgramsWindowWhichIsDisabledMeanwhile) {
  HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                               300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(main && other);
  ShellFolderDialog dialog([&] { return static_cast<void*>(main); });
  dialog.OnShown = [&](const ShellFolderDialog::OpenDialog& open) {
    EXPECT_EQ(GetWindow(static_cast<HWND>(open.Window), GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_FALSE(IsWindowEnabled(other));
    Press(open.Window, IDCANCEL);
  };
  std::string name = "C:\\";
  EXPECT_FALSE(PickFolder(dialog, name, kDialogText, 0));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);
  DestroyWindow(main);
}

TEST(ShellFolderDialog, CriticalErrorBoxesOffAndBack) {
  const UINT before = GetErrorMode();
  ShellFolderDialog dialog;
  const unsigned previous = dialog.SuppressCriticalErrors();
  EXPECT_EQ(previous, before);
  EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS);
  dialog.RestoreCriticalErrors(previous);
  EXPECT_EQ(GetErrorMode(), before);
}

}  // namespace
}  // namespace zv
