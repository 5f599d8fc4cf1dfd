// The main window's phone work step by step, in the orders of events that two threads allow:
// the phone work goes to SteppedPhoneJobs, and the test decides when the phone's part and each
// window task run, or runs a window event in the middle of a phone call (the call in progress).
// The preview shows the photo asked for last; a job that waited ends cleanly however the window
// ends it; an error is seen even when closing ends the run; patience fits the photo read; a
// close is not held up by work that no phone call holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "testing/sim_phone.h"
#include "ui/lang/texts.h"

namespace zv {
namespace {

using namespace std::chrono_literals;

// A phone that runs a test's hook in the middle of each call: while the call is in progress.
class HookedPhone : public PhoneApi {
 public:
  explicit HookedPhone(PhoneApi& phone) : phone_(phone) {}
  // Runs once, in the middle of the n-th call of that name (1-based) from now on.
  void During(std::string call, int nth, std::function<void()> hook) {
    call_ = std::move(call);
    left_ = nth;
    hook_ = std::move(hook);
  }

  int P2K_Init(P2KStatusCallback cb) override { return Run("P2K_Init"), phone_.P2K_Init(cb); }
  int P2K_GetStatus() override { return Run("P2K_GetStatus"), phone_.P2K_GetStatus(); }
  int File_Count() override { return Run("File_Count"), phone_.File_Count(); }
  int File_List(void* e, int n) override { return Run("File_List"), phone_.File_List(e, n); }
  int File_Create(const char* p, int m) override {
    return Run("File_Create"), phone_.File_Create(p, m);
  }
  int File_Read(void* b, int n) override { return Run("File_Read"), phone_.File_Read(b, n); }
  int File_Write(const void* b, int n) override {
    return Run("File_Write"), phone_.File_Write(b, n);
  }
  int File_Close() override { return Run("File_Close"), phone_.File_Close(); }
  int File_Delete(const char* p) override { return Run("File_Delete"), phone_.File_Delete(p); }

 private:
  void Run(const char* call) {
    if (!hook_ || call_ != call || --left_ > 0) return;
    auto hook = std::move(hook_);
    hook_ = nullptr;
    hook();
  }
  PhoneApi& phone_;
  std::string call_;
  int left_ = 0;
  std::function<void()> hook_;
};

#ifdef _WIN32
using LocalFiles = Win32FileSystem;
#else
using LocalFiles = NativeFileSystem;
#endif

// Local files that run a test's hook as the next file is created: work on the archive in
// progress, with no phone call in progress.
class HookedFiles : public LocalFiles {
 public:
  std::function<void()> onCreate;
  std::unique_ptr<OutputFile> CreateFile(const std::string& path) override {
    if (auto hook = std::exchange(onCreate, nullptr)) hook();
    return LocalFiles::CreateFile(path);
  }
};

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// Four photos, told apart in the preview by their widths.
const char* const kNames[] = {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg",
                              "04-02-08_4.jpg"};
constexpr int kWidths[] = {64, 80, 96, 112};

class PhoneOrder : public ::testing::Test {
 protected:
  PhoneOrder() {
    for (int i = 0; i < 4; ++i) {
      const auto jpeg = testing::MakeJpeg(testing::Quarters(kWidths[i], 16));
      phone.AddFile(std::string("/a/mobile/picture/") + kNames[i],
                    std::string(jpeg.begin(), jpeg.end()));
    }
    f.Now = [this] { return clock; };
    fx.Create();
    EXPECT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
    EXPECT_TRUE(f.PhoneConnected);
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
    EXPECT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    EXPECT_EQ(f.GridView1.RowCount(), 4);
    f.Show();
    phone.ClearLog();
  }
  int Row(const char* name) {
    for (int row = 0; row < f.GridView1.RowCount(); ++row)
      if (f.GridView1.CellAt(kFileColumn, row).AsString() == Utf8ToUtf16(name)) return row;
    return -1;
  }
  void DoubleClick(const char* name) {
    f.GridView1.SetSelectedCell(kFileColumn, Row(name));
    fx.Dispatch([&] { f.GridView1DblClick(&f.GridView1); });
  }
  // Copies the photos into the archive with a run (nothing deleted).
  void Archive(std::initializer_list<const char*> names) {
    for (int row = 0; row < 4; ++row) f.GridView1.CellAt(kDownLoadColumn, row).SetAsBoolean(false);
    for (const char* name : names)
      f.GridView1.CellAt(kDownLoadColumn, Row(name)).SetAsBoolean(true);
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
    fx.Boxes.Messages.clear();
    for (int row = 0; row < 4; ++row) f.GridView1.CellAt(kDownLoadColumn, row).SetAsBoolean(true);
    phone.ClearLog();
  }
  int Count(const std::string& call) {
    const std::vector<std::string> calls = phone.Calls();
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  int ShownWidth() { return fx.Form3->Image1.Picture().Width; }
  std::filesystem::path Archived(const std::string& name) {
    const std::string rel = "Phone1/Февраль 2008/0" + std::string(1, name[1]) + " февраля/" + name;
    return fx.Temp.Path() / std::filesystem::path(std::u8string(rel.begin(), rel.end()));
  }

  SimPhone phone;
  HookedPhone hooked{phone.Api()};
  HookedFiles files;
  FormFixture fx{hooked, nullptr, &files};
  TForm1& f = *fx.Form1;
  std::chrono::steady_clock::time_point clock{std::chrono::hours(1)};
};

// The latest request wins: a second double-click during a phone read stops that read after its
// call and throws its photo away, whether the second photo comes from the archive or the phone;
// so it does when the first read has returned and its photo waits for the window.
TEST_F(PhoneOrder, ThePreviewShowsThePhotoAskedForLast) {
  Archive({kNames[1]});
  struct Case {
    const char* second;
    bool duringRead;  // else after the read returned, before the window took its photo
    int width;
    int phoneReads;  // the first read, and the second photo's, if it is read
  } cases[] = {
      {kNames[1], true, kWidths[1], 1},  // an archived one: shown at once
      {kNames[2], true, kWidths[2], 2},  // another one on the phone
      {kNames[1], false, kWidths[1], 1},
      {kNames[2], false, kWidths[2], 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.second) + (c.duringRead ? " during the read" : " after it"));
    phone.ClearLog();
    fx.Form3->Image1.SetPicture(Bitmap{});
    if (c.duringRead) {
      hooked.During("File_Read", 1, [&] { DoubleClick(c.second); });
      DoubleClick(kNames[0]);
    } else {
      fx.AutoStep = false;
      DoubleClick(kNames[0]);
      ASSERT_TRUE(fx.Stepped.RunJob());
      EXPECT_EQ(fx.Stepped.WindowTasks(), 1);  // the read's Done
      fx.AutoStep = true;
      DoubleClick(c.second);
    }
    EXPECT_EQ(ShownWidth(), c.width);
    EXPECT_EQ(Count("File_Read"), c.phoneReads);
    EXPECT_TRUE(fx.Boxes.Errors.empty());
    EXPECT_EQ(f.RunningJob(), JobKind::kNone);
    EXPECT_FALSE(f.TrayIcon1->Active());
  }
}

// During a run, the preview window says that a photo on the phone will be shown when the phone
// is free; it is shown once the run has ended.
TEST_F(PhoneOrder, APhotoAskedForDuringTheRunIsShownWhenThePhoneIsFree) {
  fx.AutoStep = false;
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  ASSERT_EQ(f.RunningJob(), JobKind::kRun);
  DoubleClick(kNames[3]);
  EXPECT_TRUE(fx.Form3->Visible());
  EXPECT_EQ(fx.Form3->Caption(), "04-02-08_4.jpg — будет показана, когда телефон освободится");
  EXPECT_EQ(Count("File_Create"), 0);
  EXPECT_TRUE(fx.RunPhoneWork());
  EXPECT_EQ(fx.Form3->Caption(), "Предпросмотр");
  EXPECT_EQ(ShownWidth(), kWidths[3]);
  EXPECT_EQ(fx.Boxes.Messages.size(), 1u);  // the run's summary
}

// A job that waits behind the window's poll: Stop reaches it, and it makes no phone call; when
// the session ends meanwhile, it ends, the window is whole again and closes; work asked for
// after the phone thread has ended is refused with a message, and locks nothing.
TEST_F(PhoneOrder, AJobThatWaitsBehindAPollEndsCleanly) {
  enum class End { kStop, kSessionEnd, kRefused };  // each after the one before
  for (End end : {End::kStop, End::kSessionEnd, End::kRefused}) {
    SCOPED_TRACE(static_cast<int>(end));
    fx.AutoStep = false;
    fx.Boxes.Messages.clear();
    fx.Boxes.Errors.clear();
    for (int row = 0; row < f.GridView1.RowCount(); ++row)
      f.GridView1.CellAt(kDeleteColumn, row).SetAsBoolean(true);
    phone.ClearLog();
    ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));  // the poll waits to run
    if (end == End::kSessionEnd) {
      ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
      // A second button of the window's reaches its handler during the listing: nothing starts.
      ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
      f.WaitForPhoneWork = [&] { fx.Stepped.Shutdown(); };
      ASSERT_TRUE(fx.Dispatch([&] { f.OnSessionEnd(&f); }));
    } else {
      fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); });
      if (end == End::kStop) {
        ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
      }
    }
    fx.RunPhoneWork();
    std::vector<std::string> calls = phone.Calls();
    std::erase(calls, std::string("P2K_GetStatus"));  // the poll's, when it was not stopped
    EXPECT_EQ(calls, std::vector<std::string>{}) << "no call of the job that was stopped";
    EXPECT_EQ(f.RunningJob(), JobKind::kNone);
    EXPECT_FALSE(f.TrayIcon1->Active());
    EXPECT_EQ(f.GridView1.RowCount(), 4);
    EXPECT_TRUE(f.BitBtn1.Enabled());
    EXPECT_EQ(f.BitBtn2.Caption(), "Скачать фотографии");
    switch (end) {
      case End::kStop:
        ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
        EXPECT_TRUE(StartsWith(fx.Boxes.Messages[0], "Скачивание остановлено."));
        EXPECT_TRUE(fx.Boxes.Errors.empty());
        break;
      case End::kSessionEnd:
        EXPECT_TRUE(fx.Boxes.Messages.empty());
        EXPECT_TRUE(fx.Boxes.Errors.empty());
        EXPECT_FALSE(f.Visible());
        break;
      case End::kRefused:
        EXPECT_TRUE(fx.Boxes.Messages.empty());
        EXPECT_EQ(fx.Boxes.Errors,
                  std::vector<std::string>{"Работа с телефоном завершена: программа закрывается."});
        break;
    }
  }
}

// "Yes, close" while the run writes a photo, and the disk fills up: the error box shows while
// the window is still there, and then the window closes.
TEST_F(PhoneOrder, AnErrorIsSeenEvenWhenClosingEndsTheRun) {
  std::vector<bool> visibleAtBox;
  fx.Boxes.OnShow = [&] { visibleAtBox.push_back(f.Visible()); };
  fx.Boxes.Answer = true;
  files.onCreate = [&] {
    fx.Dispatch([&] { f.Close(); });
    throw Exception("Диск заполнен");
  };
  fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); });
  EXPECT_EQ(fx.Boxes.Questions.size(), 1u);
  EXPECT_EQ(fx.Boxes.Errors, std::vector<std::string>{"Диск заполнен."});
  EXPECT_EQ(visibleAtBox, (std::vector<bool>{true, true}));  // the question, then the error
  EXPECT_FALSE(f.Visible());
  EXPECT_TRUE(fx.Boxes.Messages.empty());
}

// A whole photo is one read: the phone is reported as not answering only once the read has
// taken 30 s more than its bytes need at the slowest speed expected (8 KB/s).
TEST_F(PhoneOrder, PatienceFitsThePhoto) {
  struct Case {
    int bytes;
    int seconds;
    bool reported;
  } cases[] = {
      {956 * 1024, 36, false},   // a healthy read of a large photo at 28 KB/s
      {956 * 1024, 149, false},  // 30 s + 119.5 s
      {956 * 1024, 150, true},  {20 * 1024, 32, false},  // 30 s + 2.5 s
      {20 * 1024, 46, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bytes) + " bytes, " + std::to_string(c.seconds) + " s");
    phone.AddFile("/a/mobile/picture/05-02-08_5.jpg",
                  std::string(static_cast<size_t>(c.bytes), 'x'));
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
    std::string panel;
    bool notAnswering = false;  // closing then no longer asks nor waits
    hooked.During("File_Read", 1, [&] {
      fx.Stepped.now += std::chrono::seconds(c.seconds);
      fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); });
      panel = f.StatusBar1.Panels[0].Text();
      notAnswering = f.PhoneNotAnswering();
    });
    DoubleClick("05-02-08_5.jpg");
    EXPECT_EQ(panel,
              c.reported ? "Соединение: Телефон не отвечает" : "Соединение: Телефон подключен");
    EXPECT_EQ(notAnswering, c.reported);
    fx.Boxes.Errors.clear();  // the bytes are no JPEG
  }
}

// Work that no phone call holds (file work on an archive that stopped answering) does not hold
// up closing for ever: a second close, or a tick 3 s after the first, closes the window.
class HungArchive : public PhoneOrder {
 protected:
  void CloseDuringTheRun(bool secondClose) {
    fx.AutoStep = false;
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    ASSERT_TRUE(fx.Dispatch([&] { f.Close(); }));  // Yes
    EXPECT_TRUE(f.Visible());
    if (secondClose) {
      ASSERT_TRUE(fx.Dispatch([&] { f.Close(); }));
    } else {
      clock += 2s;
      ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
      EXPECT_TRUE(f.Visible());
      clock += 1s;
      ASSERT_TRUE(fx.Dispatch([&] { f.Timer1Timer(&f.Timer1); }));
    }
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(fx.Boxes.Questions.size(), 1u);
    // The work ends afterwards as it would have; nothing is lost, no summary is shown.
    EXPECT_TRUE(fx.RunPhoneWork());
    EXPECT_TRUE(fx.Boxes.Messages.empty());
    EXPECT_EQ(Count("File_Delete"), 0);
  }
};

TEST_F(HungArchive, ASecondCloseEndsTheProgram) { CloseDuringTheRun(true); }
TEST_F(HungArchive, ACloseThatHasWaited3SecondsEndsTheProgram) { CloseDuringTheRun(false); }

// Stop in the last moments of a photo: after the close of its read the photo is not filed;
// after the last photo is done, the run was not stopped.
TEST_F(PhoneOrder, AStopAtTheEndOfAPhotoIsTakenAtItsWord) {
  struct Case {
    const char* when;
    const char* call;
    int nth;
    int copied;
    const char* firstLine;
  } cases[] = {
      {"during the second photo's close", "File_Close", 2, 1, "Скачивание остановлено."},
      {"during the last photo's close", "File_Close", 4, 3, "Скачивание остановлено."},
      {"during the last photo's delete", "File_Delete", 4, 4, "Фотографии уcпешно скачаны!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    std::filesystem::remove_all(fx.Temp.Path() / "Phone1");
    const bool deleting = std::string(c.call) == "File_Delete";
    for (int row = 0; row < 4; ++row) f.GridView1.CellAt(kDeleteColumn, row).SetAsBoolean(deleting);
    fx.Boxes.Messages.clear();
    hooked.During(c.call, c.nth, [&] { fx.Dispatch([&] { f.OnCancel(&f); }); });
    ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
    ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
    EXPECT_TRUE(StartsWith(fx.Boxes.Messages[0], c.firstLine)) << fx.Boxes.Messages[0];
    int archived = 0;
    for (const char* name : kNames) archived += std::filesystem::exists(Archived(name)) ? 1 : 0;
    EXPECT_EQ(archived, c.copied);
  }
}

}  // namespace
}  // namespace zv
