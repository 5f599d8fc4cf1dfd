// The whole program under Wine with a phone whose link needs seconds for a photo: the main
// window answers while a read is in progress, "Остановить" ends the run once the read in
// progress has returned (the phone is asked for no other photo after it), and closing the window
// in mid-run, answered Yes, ends the program with nothing lost and no scratch file left.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {"01-05-08_0100.jpg", "02-05-08_0101.jpg", "03-05-08_0102.jpg"};

class SlowPhone : public ::testing::Test {
 protected:
  void SetUp() override {
    p_.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
    for (const char* name : kNames) {
      const auto jpeg = testing::MakeJpeg(testing::Quarters(32, 24));
      photos_.emplace_back(jpeg.begin(), jpeg.end());
      p_.Phone().AddFile(std::string("a/mobile/picture/") + name, photos_.back());
    }
    ASSERT_TRUE(p_.Attach()) << p_.Panel(0);
    p_.Type(p_.Form1().DirectoryEdit1, Narrow(p_.Folder().wstring()));
    p_.Click(p_.Form1().BitBtn1);
    ASSERT_EQ(p_.GridNames().size(), 3u);
    for (int row = 0; row < 3; ++row)
      p_.Form1().GridView1.CellAt(kDeleteColumn, row).SetAsBoolean(true);
  }
  int Calls(const std::string& call) {
    const std::vector<std::string> calls = p_.Phone().Calls();
    return int(std::count(calls.begin(), calls.end(), call));
  }
  // Starts the run and returns once the phone is reading its first photo.
  void StartRunSlowly(int readMs) {
    p_.Phone().SetFaults("slow " + std::to_string(readMs) + "\n");
    p_.Phone().ClearLog();
    p_.ClickAndGoOn(p_.Form1().BitBtn2);
    ASSERT_TRUE(p_.PumpUntil([&] { return Calls("File_Create") == 1; }, 10000));
  }
  // Each photo is on the phone or whole in the archive, and no scratch file is left.
  void ExpectNothingLost() {
    for (size_t i = 0; i < photos_.size(); ++i) {
      const auto onPhone = p_.Phone().FileBytes(std::string("a/mobile/picture/") + kNames[i]);
      bool archived = false;
      std::error_code none;  // no profile folder: nothing was archived
      for (const auto& entry : fs::recursive_directory_iterator(p_.Folder() / "Phone1", none))
        if (entry.path().filename() == kNames[i]) archived = fs::file_size(entry) == photos_[i].size();
      EXPECT_TRUE(onPhone || archived) << kNames[i];
    }
    for (const auto& entry : fs::recursive_directory_iterator(p_.Folder()))
      EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  }

  ProgramHarness p_;
  std::vector<std::string> photos_;
};

TEST_F(SlowPhone, TheWindowAnswersDuringAReadAndStopEndsTheRunAfterIt) {
  StartRunSlowly(2000);
  // Another thread asks the window as the system does to tell whether it is hung; the window
  // thread meanwhile only runs its message loop. A read of 2 s is in progress: a window that
  // waited for it would not answer within 1.5 s.
  std::atomic<int> answered{0}, unanswered{0};
  std::thread asker([&, window = Hwnd(p_.Form1())] {
    for (int i = 0; i < 5; ++i) {
      DWORD_PTR result = 0;
      if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1500, &result))
        ++answered;
      else
        ++unanswered;
      Sleep(100);
    }
  });
  p_.PumpUntil([&] { return answered + unanswered == 5; }, 15000);
  asker.join();
  EXPECT_EQ(answered, 5);

  BoxCloser boxes;
  const int createsAtStop = Calls("File_Create");
  p_.ClickAndGoOn(p_.Form1().BitBtn2);  // "Остановить"
  ASSERT_TRUE(p_.WaitForPhoneWork(20000));
  EXPECT_EQ(Calls("File_Create"), createsAtStop);
  EXPECT_EQ(Calls("File_Delete"), createsAtStop - 1);
  const std::vector<BoxSeen> seen = boxes.Stop();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text.substr(0, seen[0].Text.find('\r')), "Скачивание остановлено.");
  EXPECT_EQ(p_.Form1().BitBtn2.Caption(), "Скачать фотографии");
  EXPECT_EQ(p_.GridNames().size(), size_t(3 - (createsAtStop - 1)));
  ExpectNothingLost();
}

TEST_F(SlowPhone, ClosingInMidRunAnsweredYesEndsTheProgramWithNothingLost) {
  StartRunSlowly(1000);
  BoxCloser boxes(30000, IDYES);
  PostMessageW(Hwnd(p_.Form1()), WM_CLOSE, 0, 0);
  ASSERT_TRUE(p_.PumpUntil([&] { return p_.Ended(); }, 20000));
  const std::vector<BoxSeen> seen = boxes.Stop();
  ASSERT_EQ(seen.size(), 1u);  // the question, and no summary
  EXPECT_EQ(seen[0].Text, "Остановить скачивание и закрыть программу?");
  EXPECT_LE(Calls("File_Create"), 2);
  ExpectNothingLost();
}

}  // namespace
}  // namespace zv::e2e
