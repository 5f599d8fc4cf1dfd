// The preview end to end under Wine: a double click on a listed row, sent to the grid's window,
// shows that row's photo in Form3; Form3's client area is captured from the screen and the
// picture checked where it must be (fitted and centred, button face in the margins). The
// temporary file is gone afterwards, every preview reads the phone anew, and a double click
// on an empty grid ends in the grid's index error in the error box.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
  bool TempExists() const { return fs::exists(p_.Folder() / "temp"); }
  HWND Preview() { return Hwnd(p_.Form3()); }

  ProgramHarness p_;
};

TEST_F(PreviewEndToEnd, DoubleClickShowsTheRowsPhotoFittedAndCentred) {
  ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
  p_.Click(p_.Form1().BitBtn1);  // "Список"
  ASSERT_EQ(p_.Form1().GridView1.RowCount(), 3);
  ASSERT_FALSE(IsWindowVisible(Preview()));
  // A "temp" left in the current directory by someone else is replaced, then removed.
  std::ofstream(p_.Folder() / "temp") << "left over";
  ASSERT_TRUE(TempExists());

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
      EXPECT_FALSE(TempExists());
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
  EXPECT_FALSE(TempExists());
  EXPECT_FALSE(p_.Form1().TrayIcon1->Active());
}

}  // namespace
}  // namespace zv::e2e
