// The thumbnails view on the main window, with its phone work on a real phone thread against the
// simulated phone: off at the first start with the grid exactly as before; "Эскизы" and
// Thumbnails=1|0; grey rows pictured from the archive with no phone read; phone rows from head
// reads of at most 64 KiB; a placeholder for a photo without an EXIF thumbnail; a run pressed
// during the head reads begins after at most the call in progress.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/grid_thumbnails.h"
#include "form_fixture.h"
#include "gridview/grid_accessible.h"
#include "gridview/photo_columns.h"
#include "phone/phone_jobs.h"
#include "testing/sim_phone.h"
#include "thumbnails/exif_thumbnail.h"
#include "thumbnails/thumbnail_test_data.h"
#include "ui/recording_canvas.h"

namespace zv {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;

struct PhotoCase {
  const char* name;
  bool exif;
  bool bigEndian;
  bool archived;
};
// Rows in the grid's order (sorted by name, descending).
const PhotoCase kPhotos[] = {
    {"08-12-07_0004.jpg", true, false, true},
    {"07-12-07_0003.jpg", false, false, false},
    {"06-12-07_0002.jpg", true, true, false},
    {"05-12-07_0001.jpg", true, false, false},
};

// A photo padded after its end as some phones write them, so that each has its own size and is
// longer than a head.
Bytes PhotoBytes(const PhotoCase& p, int index) {
  demo::ExifOptions options;
  options.bigEndian = p.bigEndian;
  Bytes photo = p.exif ? testing::PhotoWithExif(testing::QuarterThumbnail(), options, 640, 480)
                       : testing::MakeJpeg(testing::Quarters(640, 480));
  photo.resize(photo.size() + 30000 + std::size_t(index) * 1000, 0);
  return photo;
}

class ThumbnailsOnTheForm : public ::testing::Test {
 protected:
  void SetUp() override {
    int i = 0;
    for (const PhotoCase& p : kPhotos) {
      const Bytes bytes = PhotoBytes(p, i++);
      sizes.push_back(bytes.size());
      phone.AddFile(std::string("/a/mobile/picture/") + p.name,
                    std::string(bytes.begin(), bytes.end()));
      if (p.archived) {
        const std::string day = std::string(p.name).substr(0, 2) + " декабря";
        const std::string rel = "Phone1/Декабрь 2007/" + day + "/" + p.name;
        const auto file =
            fx.Temp.Path() / std::filesystem::path(std::u8string(rel.begin(), rel.end()));
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
      }
    }
    f.PostToWindow = [this](std::function<void()> task) { queue.Post(std::move(task)); };
  }
  void TearDown() override { worker.Shutdown(10s); }

  void Start(const char* setting) {
    if (setting) fx.Settings.WriteString("Options", "Thumbnails", setting);
    fx.Create();
    ASSERT_TRUE(PumpUntil([&] { return !worker.Busy(); }));
    ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
    ASSERT_TRUE(PumpUntil([&] { return f.PhoneConnected && !worker.Busy(); }));
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
  }
  void List() {
    phone.ClearLog();
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    ASSERT_TRUE(PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }));
    ASSERT_EQ(f.GridView1.RowCount(), 4);
  }
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      queue.WaitForTask(5ms);
      while (auto task = queue.Take()) fx.Dispatch(*task);
    }
    return true;
  }
  // Paints the grid as its window would, and gives the pictures drawn.
  std::vector<CanvasCall> Paint() {
    RecordingCanvas canvas({0, 0, f.GridView1.ClientWidth(), f.GridView1.ClientHeight()});
    f.GridView1.Paint(canvas);
    return canvas.Of(CanvasCall::kDrawBitmap);
  }
  // Paints until every row's thumbnail has come or is known not to come.
  bool PaintUntilSettled() {
    GridThumbnails* view = f.Thumbnails();
    return PumpUntil([&] {
      Paint();
      for (int row = 0; row < f.GridView1.RowCount(); ++row)
        if (!view->Shown(row).has_value()) return false;
      return true;
    });
  }
  // "File_Read <n> -> r" lines of the log: the byte counts asked.
  std::vector<std::string> Lines(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& line : phone.Log())
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
  }

  SimPhone phone;
  WindowQueue queue;
  PhoneWorker worker{phone.Api(), queue};
  FormFixture fx{phone.Api(), &worker};
  TForm1& f = *fx.Form1;
  std::vector<std::size_t> sizes;
};

TEST_F(ThumbnailsOnTheForm, OffAtFirstStartAndTheBoxTurnsItOnAndOff) {
  Start(nullptr);
  EXPECT_FALSE(f.CheckBox1.Checked());
  EXPECT_TRUE(f.CheckBox1.TabStop());
  EXPECT_EQ(f.CheckBox1.Text(), "Эскизы");
  List();
  // The grid as it always was: five columns, rows of 16 pixels, no head read after the listing.
  EXPECT_EQ(f.GridView1.Columns().Count(), 5);
  EXPECT_EQ(f.GridView1.RowHeight(0), 16);
  EXPECT_TRUE(Lines("File_Create").empty());
  EXPECT_EQ(f.Thumbnails(), nullptr);

  struct Step {
    bool checked;
    const char* setting;
    int rowHeight;
    int columns;
  };
  for (const Step& s : {Step{true, "1", 52, 6}, Step{false, "0", 16, 5}, Step{true, "1", 52, 6}}) {
    SCOPED_TRACE(s.setting);
    ASSERT_TRUE(fx.Dispatch([&] { f.CheckBox1.Click(); }));
    EXPECT_EQ(f.CheckBox1.Checked(), s.checked);
    EXPECT_EQ(fx.Settings.ReadString("Options", "Thumbnails", "?"), s.setting);
    EXPECT_EQ(f.GridView1.RowHeight(0), s.rowHeight);
    ASSERT_NE(f.Thumbnails(), nullptr);
    EXPECT_EQ(f.GridView1.Columns().Count(), s.columns);
    // The window's own columns keep their indices; the picture column shows before the name.
    EXPECT_EQ(f.GridView1.Columns()[kFileColumn].Name, "File");
    if (s.checked) {
      EXPECT_EQ(f.Thumbnails()->Column(), 5);
      EXPECT_EQ(f.GridView1.Columns().DisplayItem(kFileColumn).Name, "Picture");
    }
  }
  // Turned on after a listing, the view reads the heads of the rows the archive lacks, and
  // only theirs.
  EXPECT_TRUE(PaintUntilSettled());
  EXPECT_TRUE(Lines("File_Create \"/a/mobile/picture/08-12-07_0004.jpg").empty());
  for (const char* name : {"05-12-07_0001.jpg", "06-12-07_0002.jpg", "07-12-07_0003.jpg"})
    EXPECT_FALSE(Lines(std::string("File_Create \"/a/mobile/picture/") + name).empty()) << name;
}

TEST_F(ThumbnailsOnTheForm, GreyRowsFromTheArchivePhoneRowsFromHeadsPlaceholderWithout) {
  Start("1");
  EXPECT_TRUE(f.CheckBox1.Checked());
  List();
  ASSERT_TRUE(PaintUntilSettled());
  GridThumbnails& view = *f.Thumbnails();
  // Pictures in the rows (the header's glyphs aside): the three with a thumbnail, within the
  // 64 × 48 box and inside the picture column.
  const TRect column = f.GridView1.CellRect(view.Column(), 0);
  int pictures = 0;
  for (const CanvasCall& picture : Paint()) {
    if (picture.points[0].Y < f.GridView1.HeaderSize) continue;
    ++pictures;
    EXPECT_LE(picture.bitmap.Width, 64);
    EXPECT_LE(picture.bitmap.Height, 48);
    EXPECT_GE(picture.points[0].X, column.Left);
    EXPECT_LE(picture.points[0].X + picture.bitmap.Width, column.Right);
  }
  EXPECT_EQ(pictures, 3);
  for (int row = 0; row < 4; ++row) {
    const std::string name8 = Utf16ToUtf8(f.GridView1.CellText(kFileColumn, row));
    SCOPED_TRACE(name8);
    const PhotoCase* p = nullptr;
    for (const PhotoCase& c : kPhotos)
      if (name8 == c.name) p = &c;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(view.Shown(row), p->exif);
    EXPECT_EQ(f.RowArchived(row), p->archived);
    // The grey row's photo was not touched on the phone; every other one had its head read.
    const bool opened = !Lines("File_Create \"/a/mobile/picture/" + name8).empty();
    EXPECT_EQ(opened, !p->archived);
    // What a screen reader hears of the picture cell.
    const std::u16string name =
        TGridAccessible(f.GridView1).Name(TGridAccessible::CellId(view.Column(), row));
    EXPECT_EQ(name, Utf8ToUtf16(std::string(p->exif ? "Эскиз " : "Нет эскиза ") + name8));
  }
  // Each head read asked for at most 64 KiB in all (here 16 KiB: one read each).
  const std::vector<std::string> reads = Lines("File_Read");
  EXPECT_EQ(reads.size(), 3u);
  for (const std::string& read : reads) EXPECT_EQ(read.substr(0, 16), "File_Read 16384 ");
  EXPECT_GT(view.Heads().Reads(), 0);
  EXPECT_LE(view.Heads().MostBytes(), kMaxHeadBytes);
  EXPECT_EQ(f.GridView1.RowHeight(0), 52);
}

// A photo whose head holds no thumbnail gets its picture once the preview has read it whole.
TEST_F(ThumbnailsOnTheForm, APreviewedPhotoWithoutEXIFThumbnailGetsItsPicture) {
  Start("1");
  List();
  ASSERT_TRUE(PaintUntilSettled());
  int row = 0;
  while (f.GridView1.CellText(kFileColumn, row) != u"07-12-07_0003.jpg") ++row;
  GridThumbnails& view = *f.Thumbnails();
  ASSERT_EQ(view.Shown(row), false);
  f.GridView1.SetSelectedCell(kFileColumn, row);
  ASSERT_TRUE(fx.Dispatch([&] { f.GridView1DblClick(&f.GridView1); }));
  ASSERT_TRUE(PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }));
  EXPECT_TRUE(fx.Boxes.Errors.empty());
  EXPECT_TRUE(PumpUntil([&] { return view.Shown(row) == true; }));
  EXPECT_EQ(TGridAccessible(f.GridView1).Name(TGridAccessible::CellId(view.Column(), row)),
            u"Эскиз 07-12-07_0003.jpg");
}

// After a run that copied it (and kept it on the phone), a photo without an EXIF thumbnail is a
// grey row pictured from its new archive copy, with no further phone read.
TEST_F(ThumbnailsOnTheForm, APhotoARunCopiedIsPicturedFromItsArchiveCopy) {
  Start("1");
  List();
  ASSERT_TRUE(PaintUntilSettled());
  int row = 0;
  while (f.GridView1.CellText(kFileColumn, row) != u"07-12-07_0003.jpg") ++row;
  GridThumbnails& view = *f.Thumbnails();
  ASSERT_EQ(view.Shown(row), false);
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  ASSERT_TRUE(PumpUntil([&] { return f.RunningJob() == JobKind::kNone; }));
  ASSERT_EQ(f.GridView1.RowCount(), 4);
  ASSERT_TRUE(f.RowArchived(row));
  phone.ClearLog();
  EXPECT_TRUE(PumpUntil([&] {
    Paint();
    return view.Shown(row) == true;
  }));
  EXPECT_TRUE(Lines("File_Create").empty());
}

TEST_F(ThumbnailsOnTheForm, ARunPressedDuringHeadReadsBeginsAfterAtMostTheCallInProgress) {
  Start("1");
  phone.SetFaults("slow 150\n");
  List();
  GridThumbnails& view = *f.Thumbnails();
  ASSERT_TRUE(PumpUntil([&] { return view.Heads().InFlight(); }));
  std::this_thread::sleep_for(50ms);  // inside the head read's slow File_Read
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  const std::size_t atPress = phone.Log().size();
  ASSERT_TRUE(PumpUntil([&] { return f.RunningJob() == JobKind::kNone && !worker.Busy(); }, 60s));
  const std::vector<std::string> log = phone.Log();
  // The run's first read: a File_Create followed by a read of a whole photo. Before it, at most
  // the head read's call that was in progress at the press.
  std::size_t first = log.size();
  for (std::size_t i = atPress; i + 1 < log.size() && first == log.size(); ++i) {
    if (log[i].rfind("File_Create", 0) != 0) continue;
    for (std::size_t size : sizes)
      if (log[i + 1].rfind("File_Read " + std::to_string(size) + " ", 0) == 0) first = i;
  }
  ASSERT_LT(first, log.size());
  // The run's job first closes the file the stopped head read left open.
  if (first > atPress && log[first - 1].rfind("File_Close", 0) == 0) --first;
  std::string tail;
  for (std::size_t i = atPress > 2 ? atPress - 2 : 0; i < std::min(log.size(), first + 2); ++i)
    tail += (i == atPress ? "> " : "  ") + log[i] + "\n";
  EXPECT_LE(first, atPress + 1) << tail;
}

}  // namespace
}  // namespace zv
