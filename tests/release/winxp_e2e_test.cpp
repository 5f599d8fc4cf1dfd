// The program's main work end to end on Windows XP, as Wine plays it in a prefix whose Windows
// version is XP x64 (see wine-winxp64): the program starts with its own resources and manifest
// (version 6 of the common controls), takes the phone up, lists it with "Список", shows a photo
// in the preview, takes the archive folder from the shell's folder dialog and downloads with
// one delete. Wine has every later export too, so what this shows is the program's own paths
// on XP (visual styles, dialogs, the busy indicator's thread); the release check shows that
// the program imports nothing that XP lacks.
#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which they build on.
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kProfile[] = "Phone1";

// The photos on the phone in the order the listing shows them, each with where its copy lands
// below the archive root, and its size.
struct Photo {
  std::string name, archived;
  int width, height;
};
const std::vector<Photo> kPhotos = {
    {"05-12-07_0001.jpg", "Phone1\\Декабрь 2007\\05 декабря\\05-12-07_0001.jpg", 160, 120},
    {"14-02-08_0002.jpg", "Phone1\\Февраль 2008\\14 февраля\\14-02-08_0002.jpg", 480, 640},
    {"21-06-09_0003.jpg", "Phone1\\Июнь 2009\\21 июня\\21-06-09_0003.jpg", 640, 480},
};

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The archive folder that the folder dialog picks: made by the build beside this program, since
// Wine's shell may miss a folder made by the same process after it started; emptied here.
fs::path ArchiveFolder() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const fs::path folder = fs::path(exe).parent_path() / L"Архив XP";
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
  return folder;
}

// Answers the shell's folder dialog of this process from a thread of its own: selects `folder`
// once the dialog is up, and presses OK when the tree shows it selected (Cancel when the
// selection did not take in time).
class FolderDialogAnswer {
 public:
  explicit FolderDialogAnswer(std::wstring folder)
      : folder_(std::move(folder)), thread_([this] { Answer(); }) {}
  ~FolderDialogAnswer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  FolderDialogAnswer(const FolderDialogAnswer&) = delete;
  FolderDialogAnswer& operator=(const FolderDialogAnswer&) = delete;

  // Whether OK was pressed on the folder; waits for the answer first.
  bool Took() {
    if (thread_.joinable()) thread_.join();
    return took_;
  }

 private:
  struct Found {
    HWND dialog = nullptr, tree = nullptr;
  };
  static BOOL CALLBACK FindTree(HWND child, LPARAM lp) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpW(name, WC_TREEVIEWW) != 0) return TRUE;
    reinterpret_cast<Found*>(lp)->tree = child;
    return FALSE;
  }
  static BOOL CALLBACK FindDialog(HWND window, LPARAM lp) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (process != GetCurrentProcessId() || lstrcmpW(name, L"#32770") != 0 ||
        !IsWindowVisible(window)) {
      return TRUE;
    }
    auto* found = reinterpret_cast<Found*>(lp);
    EnumChildWindows(window, &FindTree, lp);
    if (!found->tree) return TRUE;
    found->dialog = window;
    return FALSE;
  }
  std::wstring SelectedText(HWND tree) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !TreeView_GetItem(tree, &item)) return {};
    return text;
  }
  void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  void Answer() {
    Found found;
    for (int i = 0; i < 1500 && !found.dialog && !stop_; ++i) {
      Sleep(20);
      found = {};
      EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&found));
    }
    if (!found.dialog) return;
    SendMessageW(found.dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
    const std::wstring leaf = fs::path(folder_).filename().wstring();
    for (int i = 0; i < 150 && !took_; ++i) {
      took_ = SelectedText(found.tree) == leaf && IsWindowEnabled(GetDlgItem(found.dialog, IDOK));
      if (!took_) Sleep(20);
    }
    Press(found.dialog, took_ ? IDOK : IDCANCEL);
  }

  std::wstring folder_;
  std::atomic<bool> stop_{false};
  bool took_ = false;
  std::thread thread_;
};

class WindowsXpEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes(kProfile));
    for (const Photo& photo : kPhotos) {
      const auto jpeg = testing::MakeJpeg(testing::Quarters(photo.width, photo.height));
      bytes_[photo.name] = std::string(jpeg.begin(), jpeg.end());
      p_.Phone().AddFile("a/mobile/picture/" + photo.name, bytes_[photo.name]);
    }
    p_.Phone().AddFile("a/mobile/picture/notes.txt", "not a photo");
  }

  // A mouse click in the middle of a grid cell, through the grid's window.
  void ClickCell(int column, int row) {
    const TRect cell = p_.Form1().GridView1.CellRect(column, row);
    p_.GridClick((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
  }

  // The folder box's button, pressed with the mouse, and the dialog answered with `folder`.
  bool PickArchiveFolder(const fs::path& folder) {
    HWND box = Hwnd(p_.Form1().DirectoryEdit1);
    HWND button = FindWindowExW(box, nullptr, L"ZvEditButton", nullptr);
    EXPECT_TRUE(button) << "the folder box has no button window";
    if (!button) return false;
    FolderDialogAnswer answer(folder.wstring());
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));  // returns when the dialog is gone
    p_.Pump(50);
    return answer.Took();
  }

  ProgramHarness p_;
  std::map<std::string, std::string> bytes_;
};

TEST_F(WindowsXpEndToEnd, StartAttachListPreviewPickTheFolderAndDownloadWithOneDelete) {
  // The system as the program sees it: Windows XP (x64 is 5.2), with version 6 of the common
  // controls taken up through the program's manifest.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(GetVersionExW(&version));
  ASSERT_EQ(version.dwMajorVersion, 5u)
      << "not an XP prefix: Windows " << version.dwMajorVersion << "." << version.dwMinorVersion;
  ASSERT_GE(version.dwMinorVersion, 1u);
  wchar_t comctl[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), comctl, MAX_PATH);
  const std::string comctlPath = Narrow(comctl);
  std::printf("Windows %lu.%lu build %lu; common controls from %s\n", version.dwMajorVersion,
              version.dwMinorVersion, version.dwBuildNumber, comctlPath.c_str());
  EXPECT_NE(comctlPath.find("6.0."), std::string::npos) << comctlPath;

  // Start and attach.
  EXPECT_TRUE(IsWindowVisible(Hwnd(p_.Form1())));
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  EXPECT_EQ(p_.Form1().Edit1.Text(), kProfile);

  // "Список".
  p_.Click(p_.Form1().BitBtn1);
  EXPECT_EQ(p_.Panel(1), "Найдено файлов: 5");
  EXPECT_EQ(p_.Panel(2), "Фотографий: 3");
  std::vector<std::string> names;
  for (const Photo& photo : kPhotos) names.push_back(photo.name);
  ASSERT_EQ(p_.GridNames(), names);

  // The preview of a photo that fits as it is: centred, its four quarters where they belong.
  {
    const TRect file = p_.Form1().GridView1.CellRect(kFileColumn, 0);
    p_.GridDoubleClick((file.Left + file.Right) / 2, (file.Top + file.Bottom) / 2);
    HWND preview = Hwnd(p_.Form3());
    ASSERT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(WindowTextUtf8(preview), "Предпросмотр");
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    p_.Pump(50);
    const Capture c = CaptureClient(preview);
    const int w = kPhotos[0].width, h = kPhotos[0].height;
    ASSERT_GT(c.Width, w);
    ASSERT_GT(c.Height, h);
    const int left = (c.Width - w) / 2, top = (c.Height - h) / 2;
    const std::uint32_t quarters[2][2] = {{0xFF0000u, 0x00FF00u}, {0x0000FFu, 0xFFFFFFu}};
    for (int qy = 0; qy < 2; ++qy)
      for (int qx = 0; qx < 2; ++qx) {
        const int x = left + w * (2 * qx + 1) / 4, y = top + h * (2 * qy + 1) / 4;
        EXPECT_LE(testing::ColourDistance(c.At(x, y), quarters[qy][qx]), 24)
            << "quarter " << qx << "," << qy << std::hex << " is " << c.At(x, y);
      }
    EXPECT_EQ(c.At(left / 2, c.Height / 2), Rgb(GetSysColor(COLOR_BTNFACE)));
    ShowWindow(preview, SW_HIDE);
  }

  // The folder dialog's result goes into the folder box and the settings file.
  const fs::path root = ArchiveFolder();
  const std::string rootText = Narrow(root.wstring());
  if (!PickArchiveFolder(root)) {
    ASSERT_TRUE(PickArchiveFolder(root)) << "the dialog's selection did not take, twice";
  }
  EXPECT_EQ(p_.Form1().DirectoryEdit1.Text(), rootText);
  EXPECT_NE(ReadFile(p_.Folder() / "Zarvelinthoscope.ini").find(Utf8ToCp1251(rootText)),
            std::string::npos);

  // Download everything, with the second photo's delete box ticked.
  ClickCell(kDeleteColumn, 1);
  ASSERT_TRUE(p_.Form1().GridView1.CellAt(kDeleteColumn, 1).AsBoolean());
  BoxCloser closer;
  p_.Click(p_.Form1().BitBtn2);
  const std::vector<BoxSeen> boxes = closer.Stop();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Фотографии уcпешно скачаны!\r\rПуть сохранения: " + rootText +
                               "\\\rСкачано фотографий: 3\rУдалено фотографий: 1");
  EXPECT_FALSE(p_.Form1().TrayIcon1->Active());

  for (const Photo& photo : kPhotos) {
    EXPECT_EQ(ReadFile(root / fs::path(Widen(photo.archived))), bytes_[photo.name])
        << photo.archived;
    const bool deleted = photo.name == kPhotos[1].name;
    EXPECT_EQ(p_.Phone().FileBytes("a/mobile/picture/" + photo.name).has_value(), !deleted)
        << photo.name;
  }
  EXPECT_EQ(p_.GridNames(), (std::vector<std::string>{kPhotos[0].name, kPhotos[2].name}));
}

}  // namespace
}  // namespace zv::e2e
