// The main window's GridView1DblClick, headless, with the simulated phone: the selected row's
// photo ends up in Form3's Image1, the busy indicator comes and goes, no local file is touched
// (a user's own "temp" in the current folder stays as it was), and an empty grid fails before
// the phone is touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/form1.h"
#include "app/form3.h"
#include "app/settings/settings_store.h"
#include "jpeg_maker.h"
#include "testing/sim_phone.h"
#include "trayicon/fake_notify_area.h"
#include "ui/errors.h"
#include "ui/text.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

class NoBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
};

class NoSettings : public SettingsStore {
 public:
  std::string ReadString(const std::string&, const std::string&, const std::string& def) override {
    return def;
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
  std::string FileName() const override { return "Zarvelinthoscope.ini"; }
};

// Every call is noted: the preview must make none.
class NotedFiles : public FileSystem {
 public:
  bool DirectoryExists(const std::string& p) override { return Note("exists " + p), false; }
  bool FileExists(const std::string& p) override { return Note("exists " + p), false; }
  bool CreateDir(const std::string& p) override { return Note("mkdir " + p), false; }
  std::unique_ptr<OutputFile> CreateFile(const std::string& p) override {
    Note("create " + p);
    throw EInOutError(InOutErrorText(5), 5);
  }
  void RenameReplace(const std::string& s, const std::string&) override { Note("rename " + s); }
  bool DeleteFile(const std::string& p) override { return Note("delete " + p), false; }
  std::vector<std::string> calls;

 private:
  void Note(const std::string& call) { calls.push_back(call); }
};

class Form1Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests of this suite in parallel processes.
    folder_ = fs::temp_directory_path() /
              ("zv_form1_preview_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    previous_ = fs::current_path();
    // A working folder holding a user's own files, among them one called "temp".
    fs::current_path(folder_);
    std::ofstream("temp") << "the user's own";
    fs::create_directory("photos");
    form1_.Form3 = &form3_;
  }
  void TearDown() override {
    EXPECT_EQ(files_.calls, std::vector<std::string>{});
    // The working folder as the user left it.
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(folder_))
      left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"photos", "temp"}));
    std::string text;
    {
      std::ifstream temp(folder_ / "temp");  // closed before the folder is removed
      std::getline(temp, text);
    }
    EXPECT_EQ(text, "the user's own");
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  // Puts a photo on the phone and a row for it in the grid.
  void AddPhoto(const std::u16string& name, int w, int h) {
    const auto jpeg = testing::MakeJpeg(testing::Quarters(w, h));
    phone_.AddFile("/a/mobile/picture/" + Utf16ToUtf8(name), std::string(jpeg.begin(), jpeg.end()));
    TGridView& grid = form1_.GridView1;
    grid.AddRows(1);
    const int row = grid.RowCount() - 1;
    grid.CellAt(3, row).SetAsString(name);
    grid.CellAt(4, row).SetAsInteger(int(jpeg.size()));
  }
  std::vector<FakeNotifyArea::Op> TrayOps() const {
    std::vector<FakeNotifyArea::Op> ops;
    for (const auto& call : tray_.Calls()) ops.push_back(call.op);
    return ops;
  }

  SimPhone phone_;
  NoBoxes boxes_;
  NotedFiles files_;
  NoSettings settings_;
  FakeNotifyArea tray_;
  TForm1 form1_{FormServices{phone_.Api(), boxes_, files_, settings_, tray_}};
  TForm3 form3_;
  fs::path folder_, previous_;
};

TEST_F(Form1Preview, DoubleClickShowsTheSelectedRowsPhotoFitted) {
  AddPhoto(u"01-01-09_0001.jpg", 64, 32);
  AddPhoto(u"01-01-09_0002.jpg", 1280, 1024);
  form1_.GridView1.SetSelectedCell(3, 1);
  phone_.ClearLog();
  form1_.GridView1DblClick(&form1_.GridView1);
  EXPECT_TRUE(form3_.Visible());
  EXPECT_EQ(form3_.Image1.Picture().Width, 1280);
  EXPECT_EQ(form3_.Image1.DestRect(), Bounds(20, 0, 600, 480));
  EXPECT_FALSE(form1_.TrayIcon1->Active());
  ASSERT_FALSE(phone_.Log().empty());
  EXPECT_EQ(phone_.Log()[0], "File_Create \"/a/mobile/picture/01-01-09_0002.jpg\" 0 -> 0");

  form1_.GridView1.SetSelectedCell(3, 0);
  phone_.ClearLog();
  form1_.GridView1DblClick(&form1_.GridView1);
  EXPECT_EQ(form3_.Image1.Picture().Width, 64);
  EXPECT_EQ(phone_.Calls(), (std::vector<std::string>{"File_Create", "File_Read", "File_Close"}));
}

TEST_F(Form1Preview, EmptyGridFailsBeforeThePhoneIsTouched) {
  phone_.Api();
  phone_.ClearLog();
  try {
    form1_.GridView1DblClick(&form1_.GridView1);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(std::string(e.what()),
              "List index out of bounds (" + std::to_string(form1_.GridView1.SelectedRow()) + ")");
  }
  EXPECT_TRUE(phone_.Log().empty());
  EXPECT_TRUE(form3_.Visible()) << "the window is shown first";
  EXPECT_FALSE(form1_.TrayIcon1->Active());
}

TEST_F(Form1Preview, ShortReadIsAnErrorAndTheOldPictureStays) {
  AddPhoto(u"01-01-09_0001.jpg", 64, 32);
  form1_.GridView1.SetSelectedCell(3, 0);
  form1_.GridView1DblClick(&form1_.GridView1);
  ASSERT_EQ(form3_.Image1.Picture().Width, 64);
  phone_.ShortReads(50);
  try {
    form1_.GridView1DblClick(&form1_.GridView1);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "Не удалось прочитать фотографию с телефона: 01-01-09_0001.jpg");
  }
  EXPECT_EQ(form3_.Image1.Picture().Width, 64);
  EXPECT_FALSE(form1_.TrayIcon1->Active());
}

}  // namespace
}  // namespace zv
