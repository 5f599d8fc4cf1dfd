// Long phone work on the headless main window with the simulated phone: the caption and the busy
// indicator's tip between the parts of a listing and between the photos of a download run, the
// repaint asked for at each of them, and both restored before the summary box or the error box.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

using Texts = std::vector<std::string>;

class WorkProgress : public ::testing::Test {
 protected:
  WorkProgress() {
    for (const char* name : {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg"})
      phone.AddFile(std::string("/a/mobile/picture/") + name, std::string(100, name[1]));
    phone.AddFile("/a/notes.txt", "x");
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
    // Each repaint request notes what the window and the notification area show at that moment
    // (how far the work has got; the run's speed and time left are kept apart in `full`).
    f.RepaintPending = [this] {
      full.push_back(f.Caption());
      captions.push_back(Position(f.Caption()));
      hints.push_back(Position(f.TrayIcon1->Hint()));
      tips.push_back(Position(TipInTheArea()));
    };
    // A slow run by default: every row is shown (faster ones are paced).
    f.Now = [this] { return clock += std::chrono::milliseconds(150); };
    f.TaskbarProgress = [this](int done, int total) {
      taskbar.push_back(std::to_string(done) + "/" + std::to_string(total));
    };
    fx.Boxes.OnShow = [this] {
      atBoxes.push_back(f.Caption() + " | tip \"" + f.TrayIcon1->Hint() + "\"" +
                        (f.TrayIcon1->Active() ? " | busy" : ""));
    };
  }
  static std::string Position(const std::string& text) { return text.substr(0, text.find(" · ")); }
  // The tip of the last record the area was given for the icon.
  std::string TipInTheArea() const {
    std::string tip = "(none)";
    for (const FakeNotifyArea::Call& call : fx.Tray.Calls())
      if (call.op != FakeNotifyArea::Op::Delete) tip = call.data.Tip;
    return tip;
  }
  void ClearSeen() {
    full.clear();
    captions.clear();
    hints.clear();
    tips.clear();
    atBoxes.clear();
  }
  std::filesystem::path Archived(const std::string& relative) {
    return fx.Temp.Path() / std::filesystem::path(std::u8string(relative.begin(), relative.end()));
  }

  SimPhone phone;
  FormFixture fx{phone.Api()};
  TForm1& f = *fx.Form1;
  Texts full, captions, hints, tips, atBoxes, taskbar;
  std::chrono::steady_clock::time_point clock{};
};

TEST_F(WorkProgress, ListingAndRunOfThreePhotosShowHowFarTheyHaveGot) {
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  const Texts listing{"Zarvelinthoscope — чтение списка файлов: 4"};
  EXPECT_EQ(captions, listing);
  EXPECT_EQ(hints, listing);
  EXPECT_EQ(tips, listing);
  EXPECT_EQ(f.Caption(), "Zarvelinthoscope");
  EXPECT_EQ(f.TrayIcon1->Hint(), "");

  ClearSeen();
  f.GridView1.CellAt(kDeleteColumn, 0).SetAsBoolean(true);
  f.GridView1.CellAt(kDeleteColumn, 2).SetAsBoolean(true);
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  const Texts run{"Zarvelinthoscope — 1 из 3", "Zarvelinthoscope — 2 из 3",
                  "Zarvelinthoscope — 3 из 3"};
  EXPECT_EQ(captions, run);
  EXPECT_EQ(hints, run);
  EXPECT_EQ(tips, run);
  // Speed and time left from the photos read so far (100 bytes each, 150 ms a photo by the
  // scripted clock): none before the first one has been read.
  EXPECT_EQ(full, (Texts{"Zarvelinthoscope — 1 из 3",
                         "Zarvelinthoscope — 2 из 3 · 666 Б/с · осталось 1 с",
                         "Zarvelinthoscope — 3 из 3 · 666 Б/с · осталось 1 с"}));
  // The summary box opens on the caption and tip as they were, the indicator hidden.
  EXPECT_EQ(atBoxes, Texts{"Zarvelinthoscope | tip \"\""});
  ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
  EXPECT_EQ(fx.Boxes.Messages[0], "Фотографии уcпешно скачаны!\r\rПуть сохранения: " + fx.Folder() +
                                      "\\\rСкачано фотографий: 3\rУдалено фотографий: 2");
  EXPECT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: 2");
  EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: 1");
  EXPECT_EQ(f.Caption(), "Zarvelinthoscope");
  EXPECT_EQ(f.TrayIcon1->Hint(), "");
  EXPECT_FALSE(f.TrayIcon1->Active());
}

// A local file error ends the run at a photo: the texts went as far as that photo, and the error
// box finds the caption and the tip restored.
TEST_F(WorkProgress, RunEndedByAnErrorRestoresCaptionAndTip) {
  struct Case {
    const char* blockedDayFolder;  // a file where the photo's day folder must go
    Texts shown;
  } cases[] = {
      {"01 февраля", {"Zarvelinthoscope — 1 из 3"}},
      {"02 февраля", {"Zarvelinthoscope — 1 из 3", "Zarvelinthoscope — 2 из 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blockedDayFolder);
    std::filesystem::remove_all(Archived("Phone1"));
    std::filesystem::create_directories(Archived("Phone1/Февраль 2008"));
    { std::ofstream(Archived(std::string("Phone1/Февраль 2008/") + c.blockedDayFolder)) << "x"; }
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    ClearSeen();
    fx.Boxes.Errors.clear();
    EXPECT_FALSE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    EXPECT_EQ(fx.Boxes.Errors, Texts{"Invalid filename."});
    EXPECT_EQ(captions, c.shown);
    EXPECT_EQ(tips, c.shown);
    EXPECT_EQ(atBoxes, Texts{"Zarvelinthoscope | tip \"\""});
    EXPECT_EQ(f.Caption(), "Zarvelinthoscope");
    EXPECT_EQ(f.TrayIcon1->Hint(), "");
  }
  // The next run starts from the restored caption, not from the one the error left.
  std::filesystem::remove_all(Archived("Phone1"));
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  ClearSeen();
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  EXPECT_EQ(captions.front(), "Zarvelinthoscope — 1 из 3");
  EXPECT_EQ(f.Caption(), "Zarvelinthoscope");
}

// Rows that go by faster than a tenth of a second are not each shown: caption, tip, repaint and
// taskbar follow at most ten times a second, always with the first and the last row; the
// taskbar button is cleared at the end, also when an error ends the run.
TEST_F(WorkProgress, FastRowsAreShownTenTimesASecondAndOnTheTaskbar) {
  for (int i = 10; i < 32; ++i)
    phone.AddFile("/a/mobile/picture/04-02-08_" + std::to_string(i) + ".jpg", std::string(50, 'p'));
  f.Now = [this] { return clock += std::chrono::milliseconds(40); };
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  ASSERT_EQ(f.GridView1.RowCount(), 25);
  ClearSeen();
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  Texts shown, onTaskbar;
  for (int row : {1, 4, 7, 10, 13, 16, 19, 22, 25}) {
    shown.push_back("Zarvelinthoscope — " + std::to_string(row) + " из 25");
    onTaskbar.push_back(std::to_string(row) + "/25");
  }
  onTaskbar.push_back("0/0");
  EXPECT_EQ(captions, shown);
  EXPECT_EQ(tips, shown);
  EXPECT_EQ(taskbar, onTaskbar);

  // A day folder blocked by a file: the error ends the run at its first photo.
  taskbar.clear();
  std::filesystem::remove_all(Archived("Phone1"));
  std::filesystem::create_directories(Archived("Phone1/Февраль 2008"));
  { std::ofstream(Archived("Phone1/Февраль 2008/01 февраля")) << "x"; }
  EXPECT_FALSE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  EXPECT_EQ(taskbar, (Texts{"1/25", "0/0"}));
}

}  // namespace
}  // namespace zv
