// The thumbnails view end to end under Wine: the whole program, the "Эскизы" box clicked through
// its window, the simulated phone's call log. After a visit that archived two photos and kept
// them on the phone, a new listing pictures the two grey rows with no phone read of them, and the
// others after head reads of at most 64 KiB each; a photo without an EXIF thumbnail shows an
// empty frame; a run pressed during the head reads starts after at most one more call.
// The harness first: it brings <windows.h>, whose DrawText macro the canvas must see too.
// clang-format off
#include "e2e/program_harness.h"
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/grid_thumbnails.h"
#include "exif_segment.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A 640 × 480 photo of four quarters (red at the top left), with an EXIF thumbnail of the same
// picture unless `exif` is false, padded past one head's 16 KiB as some phones write them.
std::string PhotoFile(bool exif, bool bigEndian, std::size_t pad) {
  Bytes photo = testing::MakeJpeg(testing::Quarters(640, 480), false, false, 70);
  if (exif) {
    demo::ExifOptions o;
    o.bigEndian = bigEndian;
    photo = demo::WithSegment(photo,
                              demo::ExifSegment(testing::MakeJpeg(testing::Quarters(160, 120)), o));
  }
  photo.resize(photo.size() + pad, 0);
  return std::string(photo.begin(), photo.end());
}

class ThumbnailsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
    std::size_t pad = 20000;
    for (const auto& [name, exif] : photos_) {
      const std::string bytes = PhotoFile(exif, pad % 2000 == 0, pad);
      sizes_.push_back(bytes.size());
      p_.Phone().AddFile("a/mobile/picture/" + name, bytes);
      pad += 1000;
    }
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    p_.Type(p_.Form1().DirectoryEdit1, Narrow((p_.Folder() / L"Архив").wstring()));
  }
  int Row(const std::string& name) {
    const auto names = p_.GridNames();
    return int(std::find(names.begin(), names.end(), name) - names.begin());
  }
  // Handles messages, repainting the grid, until every row shown has its thumbnail or is known
  // to have none.
  bool Settled() {
    GridThumbnails* view = p_.Form1().Thumbnails();
    return p_.PumpUntil(
        [&] {
          RedrawWindow(Hwnd(p_.Form1().GridView1), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW);
          for (int row = 0; row < p_.Form1().GridView1.RowCount(); ++row)
            if (!view->Shown(row).has_value()) return false;
          return !view->Heads().InFlight() && view->Heads().Waiting() == 0;
        },
        30000);
  }
  // Red pixels (the photo's top-left quarter) in a row's picture cell, as the window shows it.
  int RedIn(const Capture& c, int row) {
    const TRect r = p_.Form1().GridView1.CellRect(p_.Form1().Thumbnails()->Column(), row);
    int red = 0;
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, c.Height); ++y)
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, c.Width); ++x)
        red += ((c.At(x, y) >> 16) & 0xFF) > 200 && ((c.At(x, y) >> 8) & 0xFF) < 60;
    return red;
  }

  ProgramHarness p_;
  const std::vector<std::pair<std::string, bool>> photos_{{"05-12-07_0001.jpg", true},
                                                          {"06-12-07_0002.jpg", true},
                                                          {"07-12-07_0003.jpg", true},
                                                          {"08-12-07_0004.jpg", false}};
  std::vector<std::size_t> sizes_;
};

TEST_F(ThumbnailsEndToEnd, GreyRowsFromTheArchiveOthersFromHeadsARunFirst) {
  TForm1& f = p_.Form1();
  // The box, through its window; the settings file remembers it.
  EXPECT_EQ(SendMessageW(Hwnd(f.CheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  p_.Click(f.CheckBox1);
  EXPECT_TRUE(f.CheckBox1.Checked());
  EXPECT_EQ(SendMessageW(Hwnd(f.CheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
  char value[8] = {};
  GetPrivateProfileStringA("Options", "Thumbnails", "", value, sizeof value,
                           Narrow((p_.Folder() / "Zarvelinthoscope.ini").wstring()).c_str());
  EXPECT_STREQ(value, "1");

  // The first visit archives two photos and keeps them on the phone.
  p_.Click(f.BitBtn1);
  ASSERT_EQ(f.GridView1.RowCount(), 4);
  ASSERT_TRUE(Settled());
  for (const char* name : {"05-12-07_0001.jpg", "08-12-07_0004.jpg"})
    f.GridView1.CellAt(kDownLoadColumn, Row(name)).SetAsBoolean(false);
  {
    BoxCloser closer;
    p_.Click(f.BitBtn2);
    ASSERT_EQ(closer.Stop().size(), 1u);
  }

  // The second visit: the listing pictures every row without reading the grey ones.
  p_.Phone().ClearLog();
  f.Thumbnails()->Cache().Clear();  // as after a new start of the program
  p_.Click(f.BitBtn1);
  ASSERT_TRUE(Settled());
  const Capture c = CaptureClient(Hwnd(f.GridView1));
  c.Save(fs::path(ZV_CAPTURE_DIR) / "thumbnails_second_visit.bmp");
  const std::vector<std::string> log = p_.Phone().Log();
  for (const auto& [name, exif] : photos_) {
    SCOPED_TRACE(name);
    const int row = Row(name);
    const bool grey = name == "06-12-07_0002.jpg" || name == "07-12-07_0003.jpg";
    EXPECT_EQ(f.RowArchived(row), grey);
    EXPECT_EQ(f.Thumbnails()->Shown(row), exif);
    EXPECT_EQ(RedIn(c, row) > 100, exif) << RedIn(c, row);
    // The phone's calls for this photo: none for a grey row; otherwise head reads of at most
    // 64 KiB each (a read that the monitor's poll stopped after its call is read again).
    std::size_t bytes = 0, most = 0;
    int opened = 0;
    bool open = false;
    for (const std::string& line : log) {
      if (line.rfind("File_Create", 0) == 0) {
        open = line.find(name) != std::string::npos;
        opened += open;
        bytes = 0;
      } else if (open && line.rfind("File_Read ", 0) == 0) {
        bytes += std::stoul(line.substr(10));
        most = std::max(most, bytes);
      }
    }
    // (A photo known to have no EXIF thumbnail is not asked again in the same session.)
    if (grey) {
      EXPECT_EQ(opened, 0);
    } else if (exif) {
      EXPECT_GE(opened, 1);
    }
    EXPECT_LE(most, 65536u);
  }

  // New photos on the phone, a slow link: "Скачать фотографии" during their head reads.
  for (const char* name : {"09-12-07_0005.jpg", "10-12-07_0006.jpg", "11-12-07_0007.jpg"}) {
    const std::string bytes = PhotoFile(true, false, 40000 + sizes_.size() * 1000);
    sizes_.push_back(bytes.size());
    p_.Phone().AddFile(std::string("a/mobile/picture/") + name, bytes);
  }
  p_.Phone().SetFaults("slow 300\n");
  p_.Click(f.BitBtn1);
  ASSERT_TRUE(p_.PumpUntil([&] { return f.Thumbnails()->Heads().InFlight(); }, 10000));
  p_.Pump(100);
  BoxCloser closer;
  p_.ClickAndGoOn(f.BitBtn2);
  const std::size_t atPress = p_.Phone().Log().size();
  ASSERT_TRUE(p_.WaitForPhoneWork(120000));
  closer.Stop();
  const std::vector<std::string> after = p_.Phone().Log();
  std::size_t first = after.size();
  for (std::size_t i = atPress; i + 1 < after.size() && first == after.size(); ++i) {
    if (after[i].rfind("File_Create", 0) != 0) continue;
    for (std::size_t size : sizes_)
      if (after[i + 1].rfind("File_Read " + std::to_string(size) + " ", 0) == 0) first = i;
  }
  ASSERT_LT(first, after.size());
  // The run's job first closes the file the stopped head read left open.
  if (first > atPress && after[first - 1].rfind("File_Close", 0) == 0) --first;
  EXPECT_LE(first, atPress + 1);
}

}  // namespace
}  // namespace zv::e2e
