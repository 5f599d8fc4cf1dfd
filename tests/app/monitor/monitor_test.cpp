// The connection monitor on the headless main window with the simulated phone: every row of the
// state table (first and second status call of one tick, connected or not), and a tick with no
// phone at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_fixture.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

std::string ProfileFile(const std::string& name) {
  std::string bytes(200, '\0');
  bytes.replace(0, name.size(), name);
  return bytes;
}

// What a tick can change, read back from the form.
struct Snapshot {
  bool connected;
  std::string panel0, panel1, panel2;
  bool list_enabled, download_enabled;
  std::string profile;
  int rows;
  int found;
  bool operator==(const Snapshot&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Snapshot& s) {
  return os << "{connected " << s.connected << ", \"" << s.panel0 << "\", \"" << s.panel1
            << "\", \"" << s.panel2 << "\", list " << s.list_enabled << ", download "
            << s.download_enabled << ", profile \"" << s.profile << "\", rows " << s.rows
            << ", found " << s.found << "}";
}

Snapshot Take(TForm1& f) {
  return {f.PhoneConnected,
          f.StatusBar1.Panels[0].Text(),
          f.StatusBar1.Panels[1].Text(),
          f.StatusBar1.Panels[2].Text(),
          f.BitBtn1.Enabled(),
          f.BitBtn2.Enabled(),
          f.Edit1.Text(),
          f.GridView1.RowCount(),
          f.FoundCount};
}

class MonitorTest : public ::testing::Test {
 protected:
  MonitorTest() : fx_(phone_.Api()) {
    phone_.AddFile("a/GalleryID.txt", ProfileFile("Phone1"));
    phone_.AddFile("a/mobile/picture/05-12-07_0012.jpg", std::string(300, 'x'));
    phone_.AddFile("a/mobile/picture/06-12-07_0013.jpg", std::string(400, 'y'));
    phone_.AddFile("a/mobile/audio/song.mp3", "zz");
    fx_.Create();
  }

  TForm1& Form() { return *fx_.Form1; }
  void Tick() {
    EXPECT_TRUE(fx_.Dispatch([this] { Form().Timer1.Tick(); }));
  }
  Snapshot Take() { return zv::Take(Form()); }
  // Attached, taken up by a tick and listed: photos in the grid, counts on the panels,
  // "Скачать фотографии" enabled.
  void ConnectAndList() {
    phone_.SetStatus(1);
    Tick();
    ASSERT_TRUE(Form().PhoneConnected);
    ASSERT_TRUE(fx_.Dispatch([this] { Form().BitBtn1.Click(); }))
        << (fx_.Boxes.Errors.empty() ? "" : fx_.Boxes.Errors.back());
    ASSERT_EQ(Form().GridView1.RowCount(), 2);
    ASSERT_TRUE(Form().BitBtn2.Enabled());
  }

  SimPhone phone_;
  FormFixture fx_;
};

constexpr int kNone = -1;

struct StateRow {
  const char* name;
  bool connected;  // state before the tick
  int first;       // what the first status call sees
  int second;      // what the second one sees; kNone: the same as the first
  bool going;
  bool coming;
};

// One phone at a time per process: each row has its own phone and form.
TEST(Monitor, EveryRowOfTheStateTable) {
  const StateRow rows[] = {
      {"absent, phone ready", false, 1, kNone, false, true},
      {"absent, neither then ready", false, 2, 1, false, true},
      {"absent, gone then ready", false, 0, 1, false, true},
      {"absent, no phone", false, 0, kNone, false, false},
      {"absent, neither", false, 2, kNone, false, false},
      {"absent, ready then gone", false, 1, 0, false, false},
      {"connected, gone then ready in one tick", true, 0, 1, true, true},
      {"connected, gone", true, 0, kNone, true, false},
      {"connected, gone then neither", true, 0, 2, true, false},
      {"connected, ready", true, 1, kNone, false, false},
      {"connected, neither", true, 2, kNone, false, false},
      {"connected, neither then gone", true, 2, 0, false, false},
  };
  for (const StateRow& row : rows) {
    SCOPED_TRACE(row.name);
    SimPhone phone;
    phone.AddFile("a/GalleryID.txt", ProfileFile("Phone1"));
    phone.AddFile("a/mobile/picture/05-12-07_0012.jpg", std::string(300, 'x'));
    FormFixture fx(phone.Api());
    fx.Create();
    TForm1& f = *fx.Form1;
    auto tick = [&] { ASSERT_TRUE(fx.Dispatch([&] { f.Timer1.Tick(); })); };

    if (row.connected) {
      phone.SetStatus(1);
      tick();
      ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1.Click(); }))
          << (fx.Boxes.Errors.empty() ? "" : fx.Boxes.Errors.back());
      ASSERT_TRUE(f.PhoneConnected);
      ASSERT_EQ(f.GridView1.RowCount(), 1);
      ASSERT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: 2");
    } else {
      phone.SetStatus(0);
      tick();
      ASSERT_FALSE(f.PhoneConnected);
    }
    // A renamed profile on the phone and unsaved text in the box tell whether it was read.
    phone.AddFile("a/GalleryID.txt", ProfileFile("Phone2"));
    f.Edit1.TextEdited("typed");
    const Snapshot before = Take(f);

    phone.SetStatus(row.first);
    if (row.second != kNone) phone.ChangeStatusAfter(1, row.second);
    phone.ClearLog();
    tick();

    Snapshot want = before;
    if (row.going) {
      want.connected = false;
      want.panel0 = "Соединение: Телефон отключен";
      want.panel1 = "Найдено файлов: ---";
      want.panel2 = "Фотографий: ---";
      want.list_enabled = false;
      want.download_enabled = false;
    }
    if (row.coming) {
      want.connected = true;
      want.panel0 = "Соединение: Телефон подключен";
      want.list_enabled = true;
      want.profile = "Phone2";
    }
    EXPECT_EQ(Take(f), want);

    std::vector<std::string> calls{"P2K_GetStatus", "P2K_GetStatus"};
    if (row.coming) calls.insert(calls.end(), {"File_Create", "File_Read", "File_Close"});
    EXPECT_EQ(phone.Calls(), calls);
  }
}

TEST_F(MonitorTest, NoPhoneMakesTheTwoStatusCallsEveryTickAndChangesNothing) {
  phone_.SetFolderPresent(false);
  const Snapshot start = Take();
  EXPECT_EQ(start.panel0, "Соединение: Телефон отключен");
  EXPECT_EQ(start.panel1, "Найдено файлов: ---");
  EXPECT_EQ(start.panel2, "Фотографий: ---");
  EXPECT_FALSE(start.list_enabled);
  EXPECT_FALSE(start.download_enabled);

  phone_.ClearLog();
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(Take(), start);
  EXPECT_EQ(phone_.Log(), std::vector<std::string>(6, "P2K_GetStatus -> 0"));
}

TEST_F(MonitorTest, PhoneAttachedBeforeStartIsTakenUpOnTheFirstTick) {
  EXPECT_FALSE(Take().connected);  // until the first tick, whatever the phone says
  Tick();
  const Snapshot s = Take();
  EXPECT_TRUE(s.connected);
  EXPECT_EQ(s.panel0, "Соединение: Телефон подключен");
  EXPECT_EQ(s.profile, "Phone1");
  EXPECT_TRUE(s.list_enabled);
  EXPECT_FALSE(s.download_enabled);  // only a listing enables it
  EXPECT_EQ(s.rows, 0);              // nor does coming list the photos
}

// A phone that goes and comes back within one tick: taken down and up again, the profile read
// a second time; the counters show "---" while the grid keeps the old rows and the form keeps
// the old counts.
TEST_F(MonitorTest, GoneAndBackWithinOneTickReadsTheProfileAgainAndKeepsTheGrid) {
  ConnectAndList();
  EXPECT_EQ(Take().panel1, "Найдено файлов: 4");
  EXPECT_EQ(Take().panel2, "Фотографий: 2");

  phone_.SetStatus(0);
  phone_.ChangeStatusAfter(1, 1);
  Tick();
  const Snapshot s = Take();
  EXPECT_TRUE(s.connected);
  EXPECT_EQ(s.panel0, "Соединение: Телефон подключен");
  EXPECT_EQ(s.panel1, "Найдено файлов: ---");
  EXPECT_EQ(s.panel2, "Фотографий: ---");
  EXPECT_EQ(s.rows, 2);
  EXPECT_EQ(s.found, 4);
  EXPECT_EQ(Form().PhotoCount, 2);
  EXPECT_TRUE(s.list_enabled);
  EXPECT_FALSE(s.download_enabled);

  int reads = 0;
  for (const std::string& line : phone_.Log())
    if (line.rfind("File_Read 200 -> ", 0) == 0) ++reads;
  EXPECT_EQ(reads, 2);  // when taken up first, and again now
}

// Going leaves the grid, the profile box and the check-column toggles alone.
TEST_F(MonitorTest, GoingKeepsGridProfileAndToggles) {
  ConnectAndList();
  Form().AllDownloadChecked = false;
  Form().AllDeleteChecked = true;
  phone_.SetStatus(0);
  Tick();
  const Snapshot s = Take();
  EXPECT_FALSE(s.connected);
  EXPECT_EQ(s.profile, "Phone1");
  EXPECT_EQ(s.rows, 2);
  EXPECT_FALSE(Form().AllDownloadChecked);
  EXPECT_TRUE(Form().AllDeleteChecked);
}

// A failing status call (the library's -1) is neither gone nor present.
TEST_F(MonitorTest, FailingStatusCallChangesNothing) {
  ConnectAndList();
  const Snapshot before = Take();
  phone_.FailCall("P2K_GetStatus");
  Tick();
  EXPECT_EQ(Take(), before);
}

}  // namespace
}  // namespace zv
