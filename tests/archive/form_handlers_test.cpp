// The main window's "Список", header and "Скачать фотографии" handlers, run as the program runs
// them (through the application's dispatch place) on the headless main window with the
// simulated phone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form_fixture.h"
#include "gridview/photo_columns.h"
#include "testing/sim_phone.h"
#include "ui/text.h"

namespace zv {
namespace {

class FormHandlers : public ::testing::Test {
 protected:
  FormHandlers() {
    for (const char* name : {"01-02-08_1.jpg", "02-02-08_2.jpg", "03-02-08_3.jpg"}) {
      phone.AddFile(std::string("/a/mobile/picture/") + name, std::string(100, name[1]));
    }
    phone.AddFile("/a/notes.txt", "x");
    f.Edit1.SetText("Phone1");
    f.DirectoryEdit1.SetText(fx.Folder());
  }
  std::filesystem::path Archived(const std::string& relative) {
    return fx.Temp.Path() / std::filesystem::path(std::u8string(relative.begin(), relative.end()));
  }

  SimPhone phone;
  FormFixture fx{phone.Api()};
  TForm1& f = *fx.Form1;
};

TEST_F(FormHandlers, ListThenToggleThenDownload) {
  f.BitBtn2.SetEnabled(false);
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  EXPECT_EQ(f.GridView1.RowCount(), 3);
  EXPECT_EQ(f.FoundCount, 4);
  EXPECT_EQ(f.PhotoCount, 3);
  EXPECT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: 4");
  EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: 3");
  EXPECT_TRUE(f.BitBtn2.Enabled());
  EXPECT_FALSE(f.TrayIcon1->Active());

  // The Delete header through the grid's event: every delete box checked.
  f.GridView1.OnHeaderClick(&f.GridView1, kDeleteColumn);
  EXPECT_TRUE(f.AllDeleteChecked);
  for (int r = 0; r < 3; ++r) EXPECT_TRUE(f.GridView1.CellAt(kDeleteColumn, r).AsBoolean());
  f.GridView1.CellAt(kDeleteColumn, 1).SetAsBoolean(false);

  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); }));
  EXPECT_TRUE(fx.Boxes.Errors.empty());
  ASSERT_EQ(fx.Boxes.Messages.size(), 1u);
  EXPECT_EQ(fx.Boxes.Messages[0], "Фотографии уcпешно скачаны!\r\rПуть сохранения: " + fx.Folder() +
                                      "\\\rСкачано фотографий: 3\r"
                                      "Удалено фотографий: 2");
  EXPECT_EQ(f.GridView1.RowCount(), 1);
  EXPECT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: 2");
  EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: 1");
  EXPECT_EQ(f.FoundCount, 4);
  EXPECT_FALSE(f.TrayIcon1->Active());
  EXPECT_TRUE(
      std::filesystem::is_regular_file(Archived("Phone1/Февраль 2008/03 февраля/03-02-08_3.jpg")));
  EXPECT_FALSE(phone.FileBytes("/a/mobile/picture/01-02-08_1.jpg"));
  EXPECT_TRUE(phone.FileBytes("/a/mobile/picture/02-02-08_2.jpg"));
}

// A file error ends the run: the application's error box shows it after the clean-up.
TEST_F(FormHandlers, ErrorEndsTheRunThroughTheErrorBox) {
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  for (int r = 0; r < 3; ++r) f.GridView1.CellAt(kDeleteColumn, r).SetAsBoolean(true);
  std::filesystem::create_directories(Archived("Phone1/Февраль 2008"));
  { std::ofstream(Archived("Phone1/Февраль 2008/02 февраля")) << "in the way"; }
  fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); });
  EXPECT_EQ(fx.Boxes.Errors, std::vector<std::string>{"Invalid filename."});
  EXPECT_TRUE(fx.Boxes.Messages.empty());
  EXPECT_FALSE(f.TrayIcon1->Active());
  EXPECT_EQ(f.GridView1.RowCount(), 2);
  EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: 2");
  EXPECT_FALSE(phone.FileBytes("/a/mobile/picture/01-02-08_1.jpg"));
  EXPECT_TRUE(phone.FileBytes("/a/mobile/picture/02-02-08_2.jpg"));
}

TEST_F(FormHandlers, EmptyProfileShowsTheProgramsBox) {
  ASSERT_TRUE(fx.Dispatch([&] { f.BitBtn1Click(&f.BitBtn1); }));
  phone.ClearLog();
  f.Edit1.SetText("");
  fx.Dispatch([&] { f.BitBtn2Click(&f.BitBtn2); });
  EXPECT_EQ(fx.Boxes.Messages, std::vector<std::string>{"Профиль не определен!"});
  EXPECT_TRUE(phone.Calls().empty());
  EXPECT_EQ(f.GridView1.RowCount(), 3);
}

}  // namespace
}  // namespace zv
