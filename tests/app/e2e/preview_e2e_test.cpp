// The preview end to end under Wine: a double click on a listed row, sent to the grid's window,
// shows that row's photo in Form3; Form3's client area is captured from the screen and the
// picture checked where it must be (fitted and centred, button face in the margins). No file of
// the working folder is touched (a "temp" of the user's, a folder "temp", a working folder
// without write access), every preview reads the phone anew, and a double click on an empty
// grid ends in the grid's index error in the error box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kHeader = 18, kRowPitch = 17;
int RowCentreY(int row) { return kHeader + kRowPitch * row + 8; }
// Inside the File column, right of the three narrow columns after the indicator.
constexpr int kFileX = 12 + 3 * 25 + 30;

// Where a w × h picture goes in a cw × ch area: natural size when it fits, else scaled down
// keeping its aspect, then centred.
TRect Fitted(int w, int h, int cw, int ch) {
  int nw = w, nh = h;
  if (w > cw || h > ch) {
    const double a = double(w) / double(h);
    if (w > h) {
      nw = cw;
      nh = int(cw / a);
      if (nh > ch) nh = ch, nw = int(ch * a);
    } else {
      nh = ch;
      nw = int(ch * a);
      if (nw > cw) nw = cw, nh = int(cw / a);
    }
  }
  return Bounds((cw - nw) / 2, (ch - nh) / 2, nw, nh);
}

struct Photo {
  std::string name;
  int width, height;
};

class PreviewEndToEnd : public ::testing::Test {
 protected:
  // A portrait and a wide photo (aspects other than the window's) and one that fits as it is.
  const std::vector<Photo> photos_{{"01-01-09_0001.jpg", 480, 640},
                                   {"02-01-09_0002.jpg", 1600, 800},
                                   {"03-01-09_0003.jpg", 160, 120}};
  std::vector<std::string> bytes_;

  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
    for (const Photo& photo : photos_) {
      const auto jpeg = testing::MakeJpeg(testing::Quarters(photo.width, photo.height));
      bytes_.emplace_back(jpeg.begin(), jpeg.end());
      p_.Phone().AddFile("a/mobile/picture/" + photo.name, bytes_.back());
    }
  }

  // The phone's file calls since the last ClearLog (the monitor's status calls left out).
  std::vector<std::string> FileCalls() {
    std::vector<std::string> calls;
    for (const auto& line : p_.Phone().Log())
      if (line.rfind("File_", 0) == 0) calls.push_back(line);
    return calls;
  }
  static std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Every entry below a folder, as "relative path" or "relative path=content" for files.
  static std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      std::string line = Narrow(e.path().lexically_relative(folder).wstring());
      if (e.is_regular_file()) line += "=" + ReadText(e.path());
      entries.push_back(line);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
  }
  // Double-clicks the first row; gives the boxes the program showed meanwhile (none expected).
  std::vector<BoxSeen> PreviewFirstRow() {
    BoxCloser closer;
    p_.GridDoubleClick(kFileX, RowCentreY(0));
    return closer.Stop();
  }
  HWND Preview() { return Hwnd(p_.Form3()); }

  ProgramHarness p_;
};

TEST_F(PreviewEndToEnd, DoubleClickShowsTheRowsPhotoFittedAndCentred) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Click(p_.Form1().BitBtn1);  // "Список"
  ASSERT_EQ(p_.Form1().GridView1.RowCount(), 3);
  ASSERT_FALSE(IsWindowVisible(Preview()));
  // A file of the user's called "temp" in the working folder stays as it is.
  std::ofstream(p_.Folder() / "temp") << "the user's own";

  const std::uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  // Twice through the rows: the second round shows every photo again, read anew.
  for (int round = 0; round < 2; ++round) {
    for (int row = 0; row < int(photos_.size()); ++row) {
      const Photo& photo = photos_[size_t(row)];
      SCOPED_TRACE(photo.name + " round " + std::to_string(round));
      p_.Phone().ClearLog();
      p_.GridDoubleClick(kFileX, RowCentreY(row));
      EXPECT_EQ(p_.Form1().GridView1.SelectedRow(), row);
      ASSERT_TRUE(IsWindowVisible(Preview()));
      EXPECT_EQ(WindowTextUtf8(Preview()), "Предпросмотр");

      // One read of the whole photo per double click, nothing cached; the simulated library
      // answers as the published one does (0).
      const std::string size = std::to_string(bytes_[size_t(row)].size());
      EXPECT_EQ(FileCalls(), (std::vector<std::string>{
                                 "File_Create \"/a/mobile/picture/" + photo.name + "\" 0 -> 0",
                                 "File_Read " + size + " -> 0", "File_Close -> 0"}));
      EXPECT_EQ(ReadText(p_.Folder() / "temp"), "the user's own");
      EXPECT_FALSE(p_.Form1().TrayIcon1->Active());

      // The screen: Form3's client area once it has painted.
      RedrawWindow(Preview(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      p_.Pump(50);
      const Capture c = CaptureClient(Preview());
      if (round == 0) c.Save(fs::path(ZV_CAPTURE_DIR) / ("preview_" + photo.name + ".bmp"));
      ASSERT_GT(c.Width, 100);
      ASSERT_GT(c.Height, 100);
      const TRect r = Fitted(photo.width, photo.height, c.Width, c.Height);
      if (round == 0 && row == 0)
        std::printf("Form3 client area %d x %d; portrait photo at %d,%d %d x %d\n", c.Width,
                    c.Height, r.Left, r.Top, r.Width(), r.Height());
      // The four quarters of the picture where the fitted rectangle puts them.
      const std::uint32_t quarter[2][2] = {{0xFF0000u, 0x00FF00u}, {0x0000FFu, 0xFFFFFFu}};
      for (int qy = 0; qy < 2; ++qy)
        for (int qx = 0; qx < 2; ++qx) {
          const int x = r.Left + r.Width() * (2 * qx + 1) / 4;
          const int y = r.Top + r.Height() * (2 * qy + 1) / 4;
          EXPECT_LE(testing::ColourDistance(c.At(x, y), quarter[qy][qx]), 24)
              << "quarter " << qx << "," << qy << " at " << x << "," << y << std::hex << " is "
              << c.At(x, y);
        }
      // The picture's own edges and the button face just outside them.
      const int midX = r.Left + r.Width() / 4, midY = r.Top + r.Height() / 4;
      EXPECT_LE(testing::ColourDistance(c.At(r.Left, midY), 0xFF0000u), 24);
      EXPECT_LE(testing::ColourDistance(c.At(midX, r.Top), 0xFF0000u), 24);
      if (r.Left > 0) {
        EXPECT_EQ(c.At(r.Left - 1, midY), face);
        EXPECT_EQ(c.At(r.Left / 2, c.Height / 2), face);
        EXPECT_EQ(c.At(r.Right, midY), face);
        EXPECT_EQ(c.At((r.Right + c.Width) / 2, c.Height / 2), face);
      }
      if (r.Top > 0) {
        EXPECT_EQ(c.At(midX, r.Top - 1), face);
        EXPECT_EQ(c.At(c.Width / 2, r.Top / 2), face);
        EXPECT_EQ(c.At(midX, r.Bottom), face);
        EXPECT_EQ(c.At(c.Width / 2, (r.Bottom + c.Height) / 2), face);
      }
      EXPECT_TRUE(r.Left > 0 || r.Top > 0) << "every photo here leaves a margin";
    }
  }
}

// Whatever the working folder holds, or refuses: a file called "temp" of the user's, then a
// folder called "temp" with a file in it, then (when the test is given one) a working folder
// without write access, as when the program is started from a read-only place. Every preview
// shows its photo without a box, and the working folder is left exactly as it was.
TEST_F(PreviewEndToEnd, WorkingFolderIsNeverTouched) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Click(p_.Form1().BitBtn1);
  ASSERT_EQ(p_.Form1().GridView1.RowCount(), 3);
  const fs::path here = p_.Folder();
  struct Case {
    const char* what;
    std::function<fs::path()> prepare;  // gives the working folder to preview from
  };
  const Case cases[] = {
      {"a file called temp",
       [&] {
         std::ofstream(here / "temp") << "the user's own";
         return here;
       }},
      {"a folder called temp",
       [&] {
         fs::remove(here / "temp");
         fs::create_directory(here / "temp");
         std::ofstream(here / "temp" / "inside.txt") << "kept";
         return here;
       }},
      {"a working folder without write access",
       [&] {
         // Made by the test's launcher (the test's CMakeLists), which also drops root's rights
         // to override the folder's permissions.
         const char* folder = std::getenv("ZV_READONLY_FOLDER");
         return folder ? fs::path(Widen(folder)) : fs::path();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = c.prepare();
    if (folder.empty()) {
      std::printf("no folder without write access given (ZV_READONLY_FOLDER): case skipped\n");
      continue;
    }
    ASSERT_TRUE(SetCurrentDirectoryW(folder.wstring().c_str()));
    if (folder != here) {
      // The folder must really refuse a new file, else the case proves nothing.
      const std::wstring probe = (folder / "probe").wstring();
      HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        DeleteFileW(probe.c_str());
        ADD_FAILURE() << "the folder without write access takes new files";
      }
    }
    const std::vector<std::string> before = Entries(folder);
    p_.Form3().Image1.SetPicture(Bitmap{});

    const std::vector<BoxSeen> boxes = PreviewFirstRow();

    SetCurrentDirectoryW(here.wstring().c_str());
    EXPECT_TRUE(boxes.empty()) << boxes.front().Text;
    EXPECT_EQ(p_.Form3().Image1.Picture().Width, photos_[0].width);
    EXPECT_EQ(Entries(folder), before);
    EXPECT_FALSE(p_.Form1().TrayIcon1->Active());
  }
}

TEST_F(PreviewEndToEnd, DoubleClickOnAnEmptyGridShowsTheIndexError) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  ASSERT_EQ(p_.Form1().GridView1.RowCount(), 0);
  p_.Phone().ClearLog();

  BoxCloser closer;
  p_.GridDoubleClick(kFileX, RowCentreY(2));  // inside the cell area, below every row
  const std::vector<BoxSeen> boxes = closer.Stop();

  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Zarvelinthoscope");
  EXPECT_EQ(boxes[0].Text, "List index out of bounds (" +
                               std::to_string(p_.Form1().GridView1.SelectedRow()) + ")");
  EXPECT_EQ(boxes[0].Text, "List index out of bounds (0)");
  EXPECT_TRUE(boxes[0].Icon);
  EXPECT_TRUE(FileCalls().empty()) << "the phone is not touched";
  EXPECT_TRUE(IsWindowVisible(Preview())) << "the window is shown first";
  EXPECT_FALSE(p_.Form1().TrayIcon1->Active());
}

// The photo asked for last is the one shown: a double click on a row still on the slowed phone,
// then on a row the archive holds. The archived photo shows at once, and when the phone's read
// returns, the preview still shows it (the read's photo is thrown away).
TEST_F(PreviewEndToEnd, AnArchivedPhotoAskedForDuringAReadStaysShown) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Type(p_.Form1().DirectoryEdit1, Narrow(p_.Folder().wstring()));
  p_.Click(p_.Form1().BitBtn1);
  ASSERT_EQ(p_.Form1().GridView1.RowCount(), 3);
  // The wide photo of row 1 into the archive, by a run that copies it alone.
  for (int row : {0, 2}) p_.Form1().GridView1.CellAt(kDownLoadColumn, row).SetAsBoolean(false);
  {
    BoxCloser summary;
    p_.Click(p_.Form1().BitBtn2);
    ASSERT_EQ(summary.Stop().size(), 1u);
  }
  ASSERT_TRUE(p_.Form1().RowArchived(1));
  ASSERT_FALSE(p_.Form1().RowArchived(0));

  p_.Phone().SetFaults("slow 1500\n");
  p_.Phone().ClearLog();
  BoxCloser closer;
  // A double click as the system sends it, and back at once: the phone work goes on.
  const auto doubleClick = [&](int row) {
    const HWND grid = Hwnd(p_.Form1().GridView1);
    const LPARAM at = MAKELPARAM(kFileX, RowCentreY(row));
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(grid, WM_LBUTTONUP, 0, at);
    SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(grid, WM_LBUTTONUP, 0, at);
    p_.Pump(10);
  };
  doubleClick(0);  // the portrait photo, on the phone only
  ASSERT_TRUE(p_.PumpUntil([&] { return FileCalls().size() == 1; }, 10000));  // its read began
  EXPECT_EQ(p_.Form1().RunningJob(), JobKind::kPreview);
  doubleClick(1);  // the archived wide one: shown at once
  EXPECT_EQ(p_.Form3().Image1.Picture().Width, 1600);
  EXPECT_EQ(FileCalls().size(), 1u);  // the first read is still in progress
  ASSERT_TRUE(p_.WaitForPhoneWork(20000));
  p_.Pump(100);
  EXPECT_TRUE(closer.Stop().empty());
  EXPECT_EQ(p_.Form3().Image1.Picture().Width, 1600);
  // The read did return (and its file was closed), after the archived photo was shown.
  const std::vector<std::string> calls = FileCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls.back(), "File_Close -> 0");

  // On the screen: the wide photo's quarters where its fitted rectangle puts them.
  RedrawWindow(Preview(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  p_.Pump(50);
  const Capture c = CaptureClient(Preview());
  ASSERT_GT(c.Width, 100);
  const TRect r = Fitted(1600, 800, c.Width, c.Height);
  const std::uint32_t quarter[2][2] = {{0xFF0000u, 0x00FF00u}, {0x0000FFu, 0xFFFFFFu}};
  for (int qy = 0; qy < 2; ++qy)
    for (int qx = 0; qx < 2; ++qx) {
      const int x = r.Left + r.Width() * (2 * qx + 1) / 4;
      const int y = r.Top + r.Height() * (2 * qy + 1) / 4;
      EXPECT_LE(testing::ColourDistance(c.At(x, y), quarter[qy][qx]), 24)
          << "quarter " << qx << "," << qy;
    }
}

}  // namespace
}  // namespace zv::e2e
