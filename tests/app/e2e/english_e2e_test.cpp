// The program on an English Windows, end to end under Wine: started with LANG=en_US.UTF-8 (which
// Wine turns into user interface language 0x0409), it lists, runs and sums up in English, with
// no Cyrillic letter in any window, panel, caption, header, tip or box but the user's own data,
// and files the photos under English month and day folders. Registered to run in that locale
// only (tests/app/e2e/CMakeLists.txt).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/program_harness.h"
#include "gridview/photo_columns.h"
#include "jpeg_maker.h"
#include "ui/lang/texts.h"
#include "ui/text.h"
#include "ui/win32/win32_text.h"

namespace zv::e2e {
namespace {

namespace fs = std::filesystem;

bool HasCyrillic(const std::string& utf8) {
  for (const char16_t c : Utf8ToUtf16(utf8))
    if (c >= 0x0400 && c <= 0x04FF) return true;
  return false;
}

std::string WindowText(HWND window) {
  std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return Narrow(text);
}

BOOL CALLBACK AddWindowText(HWND window, LPARAM texts) {
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(window));
  return TRUE;
}

// Every text the main window and its child windows hold, and the status bar's panels.
std::vector<std::string> WindowTexts(ProgramHarness& p) {
  std::vector<std::string> texts;
  HWND main = Hwnd(p.Form1());
  texts.push_back(WindowText(main));
  EnumChildWindows(main, AddWindowText, reinterpret_cast<LPARAM>(&texts));
  for (int panel = 0; panel < 4; ++panel) texts.push_back(p.Panel(panel));
  const TColumns& columns = p.Form1().GridView1.Columns();
  for (int i = 0; i < columns.Count(); ++i)
    texts.push_back(Utf16ToUtf8(columns[i].Header().Caption()));
  texts.push_back(WindowText(Hwnd(p.Form3())));
  texts.push_back(p.Form1().TrayIcon1->Hint());
  return texts;
}

TEST(EnglishWindows, ListRunAndSummaryInEnglishWithPhotosUnderEnglishFolders) {
  ProgramHarness p;
  ASSERT_EQ(UiLanguage(), Language::en)
      << "Wine reported user interface language " << std::hex << GetUserDefaultUILanguage()
      << "; this test runs with LANG=en_US.UTF-8";
  const std::vector<std::string> names{"05-12-07_0012.jpg", "14-02-09_0200.jpg"};
  p.Phone().AddFile("a/GalleryID.txt", ProfileFileBytes("Phone1"));
  for (const auto& name : names) {
    const auto jpeg = testing::MakeJpeg(testing::Quarters(64, 48));
    p.Phone().AddFile("a/mobile/picture/" + name, std::string(jpeg.begin(), jpeg.end()));
  }
  EXPECT_EQ(p.Panel(0), "Connection: Phone disconnected");
  ASSERT_TRUE(p.Attach()) << p.Panel(0);
  const fs::path root = p.Folder() / "archive";
  p.Type(p.Form1().DirectoryEdit1, Narrow(root.wstring()));

  p.Click(p.Form1().BitBtn1);
  ASSERT_EQ(p.GridNames(), names);
  EXPECT_EQ(p.Panel(1), "Files found: 3");
  EXPECT_EQ(p.Panel(2), "Photos: 2");
  BoxCloser closer;
  p.Click(p.Form1().BitBtn2);
  const std::vector<BoxSeen> boxes = closer.Stop();

  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text,
            "Photos downloaded successfully!\r\rSaved to: " + Narrow(root.wstring()) +
                "\\\rPhotos downloaded: 2\rPhotos deleted: 0");
  for (const std::string& text : WindowTexts(p)) EXPECT_FALSE(HasCyrillic(text)) << text;
  EXPECT_EQ(p.Form1().BitBtn2.Caption(), "Download photos");
  for (const char* file : {"Phone1/December 2007/05 December/05-12-07_0012.jpg",
                           "Phone1/February 2009/14 February/14-02-09_0200.jpg"})
    EXPECT_TRUE(fs::is_regular_file(root / file)) << file;
  EXPECT_EQ(std::distance(fs::directory_iterator(root / "Phone1"), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace zv::e2e
