// The archive root on the headless main window: read at start-up, saved only by a confirmed
// folder dialog, and a failed save shown by the general error handler with the box unchanged.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes.h"
#include "form_fixture.h"
#include "temp_dir.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

using testing_support::FakeFolderDialog;
using testing_support::ReadBytes;

class Form1Settings : public ::testing::Test {
 protected:
  Form1Settings() { fx_.Form1->DirectoryEdit1.SetFolderDialog(&dialog_); }

  TDirectoryEdit& Box() { return fx_.Form1->DirectoryEdit1; }
  void ClickButton() {
    fx_.Dispatch([&] { Box().DoClick(); });
  }
  // A new run of the program on the same settings file.
  std::string TextAfterRestart() {
    Box().SetText("something else");
    fx_.Create();
    return Box().Text();
  }

  SimPhone phone_;
  FormFixture fx_{phone_.Api()};
  FakeFolderDialog dialog_;
};

TEST_F(Form1Settings, FirstRunShowsTheDefaultAndCreatesNoFile) {
  fx_.Create();
  EXPECT_EQ(Box().Text(), "C:\\MobileFoto");
  EXPECT_FALSE(ReadBytes(fx_.Settings.FileName()).has_value());
}

TEST_F(Form1Settings, ChosenFolderIsThereAfterRestartTypedOneIsNot) {
  fx_.Create();
  dialog_.Chosen = "D:\\Фото\\";
  ClickButton();
  EXPECT_EQ(Box().Text(), "D:\\Фото");
  EXPECT_EQ(TextAfterRestart(), "D:\\Фото");

  Box().SetText("E:\\typed by hand");
  EXPECT_EQ(TextAfterRestart(), "D:\\Фото");
  EXPECT_TRUE(fx_.Boxes.Errors.empty());
}

TEST_F(Form1Settings, CancelLeavesTheFileByteForByte) {
  const std::string original = "; mine\r\n[Options]\r\nGalleryPath=C:\\Old\r\n\r\n[Other]\r\nx=1";
  testing_support::WriteBytes(fx_.Settings.FileName(), original);
  fx_.Create();
  dialog_.Confirm = false;
  ClickButton();
  EXPECT_EQ(ReadBytes(fx_.Settings.FileName()), original);
  EXPECT_EQ(Box().Text(), "C:\\Old");
}

TEST_F(Form1Settings, FailedSaveIsShownAndTheBoxKeepsItsText) {
  fx_.Create();
  // A folder in the settings file's place cannot be written over.
  std::filesystem::create_directory(testing_support::Utf8Path(fx_.Settings.FileName()));
  dialog_.Chosen = "D:\\Photos";
  ClickButton();
  EXPECT_EQ(Box().Text(), "C:\\MobileFoto");
  ASSERT_EQ(fx_.Boxes.Errors.size(), 1u);
  EXPECT_EQ(fx_.Boxes.Errors[0], "Unable to write to " + fx_.Settings.FileName() + ".");
}

}  // namespace
}  // namespace zv
