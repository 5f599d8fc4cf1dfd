// The headless main window right after start-up, resized, created and closed.
#include <gtest/gtest.h>

#include "form_fixture.h"
#include "testing/sim_phone.h"

namespace zv {
namespace {

struct Expected {
  const TControl* control;
  TRect bounds;
  TAnchors anchors;
};

std::vector<Expected> Layout(TForm1& f) {
  const TAnchors all = akLeft | akTop | akRight | akBottom;
  return {
      {&f.Label1, Bounds(16, 16, 141, 13), akLeft | akTop},
      {&f.Edit1, Bounds(168, 14, 201, 21), akLeft | akTop},
      {&f.BitBtn3, Bounds(384, 13, 89, 22), akLeft | akTop},
      {&f.GridView1, Bounds(16, 48, 731, 261), all},
      {&f.BitBtn2, Bounds(16, 317, 153, 25), akLeft | akBottom},
      {&f.DirectoryEdit1, Bounds(176, 319, 281, 21), akLeft | akRight | akBottom},
      {&f.BitBtn1, Bounds(650, 317, 97, 25), akRight | akBottom},
      {&f.StatusBar1, Bounds(0, 348, 769, 22), akLeft | akTop},
  };
}

TEST(Form1, StartState) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  EXPECT_EQ(f.Caption(), "Zarvelinthoscope");
  EXPECT_EQ(f.Width(), 777);
  EXPECT_EQ(f.Height(), 404);
  EXPECT_EQ(f.ClientWidth(), 769);
  EXPECT_EQ(f.ClientHeight(), 370);
  EXPECT_EQ(f.Position, TPosition::poScreenCenter);
  EXPECT_EQ(f.Constraints().MinWidth, 660);
  EXPECT_EQ(f.Constraints().MinHeight, 220);
  EXPECT_EQ(f.Font().Name, u"MS Sans Serif");
  EXPECT_EQ(f.Font().Height, -11);
  EXPECT_EQ(f.Color(), clBtnFace);
  EXPECT_FALSE(f.Visible());  // shown when the message loop starts

  for (const auto& e : Layout(f)) {
    EXPECT_EQ(e.control->BoundsRect(), e.bounds) << e.control->Name;
    EXPECT_EQ(e.control->Parent(), &f) << e.control->Name;
    if (e.control != &f.StatusBar1) {
      EXPECT_EQ(e.control->Anchors(), e.anchors) << e.control->Name;
    }
  }
  EXPECT_EQ(f.StatusBar1.Align(), TAlign::alBottom);

  struct Text {
    const TControl* control;
    std::string text;
    bool enabled;
  };
  const Text texts[] = {
      {&f.Label1, "Профиль пользователя", true},
      {&f.Edit1, "", true},
      {&f.BitBtn3, "Создать", true},
      {&f.BitBtn2, "Скачать фотографии", false},
      {&f.BitBtn1, "Список", false},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(t.control->Text(), t.text) << t.control->Name;
    EXPECT_EQ(t.control->Enabled(), t.enabled) << t.control->Name;
  }
  EXPECT_EQ(f.Label1.Font().Style, unsigned(fsBold));
  EXPECT_EQ(f.Edit1.MaxLength(), 200);
  EXPECT_FALSE(f.BitBtn1.GlyphResource().empty());
  EXPECT_FALSE(f.BitBtn3.GlyphResource().empty());
  EXPECT_TRUE(f.BitBtn2.GlyphResource().empty());
  EXPECT_EQ(f.DirectoryEdit1.DialogText, "Выберите путь к Галерее фотографий");
  EXPECT_EQ(f.DirectoryEdit1.ButtonWidth(), 20);

  std::vector<std::string> tabs;
  for (TWinControl* w : f.TabList()) tabs.push_back(w->Name);
  // The thumbnails box comes last, after every control of the original window.
  EXPECT_EQ(tabs, (std::vector<std::string>{"GridView1", "BitBtn1", "BitBtn2", "BitBtn3", "Edit1",
                                            "DirectoryEdit1", "CheckBox1"}));

  ASSERT_EQ(f.StatusBar1.Panels.Count(), 4);
  EXPECT_EQ(f.StatusBar1.Panels[0].Text(), "Соединение: Телефон отключен");
  EXPECT_EQ(f.StatusBar1.Panels[1].Text(), "Найдено файлов: ---");
  EXPECT_EQ(f.StatusBar1.Panels[2].Text(), "Фотографий: ---");
  EXPECT_NE(f.StatusBar1.Panels[3].Text().find("Zarvelinthoscope"), std::string::npos);
  // The Russian texts need more room than the English ones (the fit test measures both).
  EXPECT_EQ(f.StatusBar1.PanelEdges(), (std::vector<int>{196, 332, 444, -1}));
  EXPECT_EQ(f.StatusBar1.Panels[3].Alignment(), TAlignment::taRightJustify);
  EXPECT_FALSE(f.StatusBar1.SizeGrip());

  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_EQ(f.Timer1.Interval(), 1000u);
  EXPECT_TRUE(f.Timer1.Running());
  ASSERT_TRUE(f.TrayIcon1);
  EXPECT_FALSE(f.TrayIcon1->Active());
  EXPECT_EQ(f.GridView1.RowCount(), 0);
  EXPECT_EQ(f.GridView1.Columns().Count(), 5);

  TForm3& p = *fx.Form3;
  EXPECT_EQ(p.Caption(), "Предпросмотр");
  EXPECT_EQ(p.BoundsRect(), Bounds(0, 0, 648, 514));
  EXPECT_EQ(p.ClientWidth(), 640);
  EXPECT_EQ(p.ClientHeight(), 480);
  EXPECT_EQ(p.BorderStyle, TFormBorderStyle::bsSizeToolWin);
  EXPECT_FALSE(p.Visible());
  EXPECT_EQ(p.Image1.BoundsRect(), Bounds(0, 0, 640, 480));
  EXPECT_TRUE(p.Image1.Center && p.Image1.Proportional && p.Image1.AutoSize);
}

TEST(Form1, ResizingKeepsAnchorsAndTheMinimumSize) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  f.SetBounds(f.Left(), f.Top(), 1000, 600);  // client 992 × 566: +223, +196
  EXPECT_EQ(f.GridView1.BoundsRect(), Bounds(16, 48, 954, 457));
  EXPECT_EQ(f.BitBtn2.BoundsRect(), Bounds(16, 513, 153, 25));
  EXPECT_EQ(f.DirectoryEdit1.BoundsRect(), Bounds(176, 515, 504, 21));
  EXPECT_EQ(f.BitBtn1.BoundsRect(), Bounds(873, 513, 97, 25));
  EXPECT_EQ(f.Edit1.BoundsRect(), Bounds(168, 14, 201, 21));
  EXPECT_EQ(f.StatusBar1.BoundsRect(), Bounds(0, 544, 992, 22));

  f.SetBounds(f.Left(), f.Top(), 300, 100);  // held at 660 × 220: client 652 × 186
  EXPECT_EQ(f.Width(), 660);
  EXPECT_EQ(f.Height(), 220);
  EXPECT_EQ(f.GridView1.BoundsRect(), Bounds(16, 48, 614, 77));
  EXPECT_EQ(f.BitBtn1.BoundsRect(), Bounds(533, 133, 97, 25));
  EXPECT_EQ(f.StatusBar1.BoundsRect(), Bounds(0, 164, 652, 22));

  f.SetBounds(f.Left(), f.Top(), 777, 404);
  for (const auto& e : Layout(f)) EXPECT_EQ(e.control->BoundsRect(), e.bounds) << e.control->Name;
}

TEST(Form1, FormCreateInitialisesThePhoneOnceAndReadsTheArchiveRoot) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  phone.ClearLog();
  fx.Form1->PhoneConnected = true;  // whatever came before, FormCreate sets the flags
  fx.Form1->AllDownloadChecked = false;
  fx.Form1->AllDeleteChecked = true;
  fx.Create();
  EXPECT_TRUE(fx.Boxes.Errors.empty());
  EXPECT_EQ(phone.Calls(), (std::vector<std::string>{"P2K_Init"}));
  ASSERT_EQ(phone.Log().size(), 1u);
  EXPECT_EQ(phone.Log()[0].rfind("P2K_Init 0", 0), 0u) << phone.Log()[0];
  EXPECT_FALSE(fx.Form1->PhoneConnected);
  EXPECT_TRUE(fx.Form1->AllDownloadChecked);
  EXPECT_FALSE(fx.Form1->AllDeleteChecked);
  EXPECT_EQ(fx.Form1->DirectoryEdit1.Text(), "C:\\MobileFoto");
  // Still no connection shown and both buttons off until the first tick.
  EXPECT_FALSE(fx.Form1->BitBtn1.Enabled());
  EXPECT_FALSE(fx.Form1->BitBtn2.Enabled());
  EXPECT_EQ(fx.Form1->StatusBar1.Panels[0].Text(), "Соединение: Телефон отключен");
}

TEST(Form1, ClosingEndsTheProgramWithoutPhoneCallsOrSettingWrites) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  fx.Create();
  phone.ClearLog();
  fx.Form1->Show();
  fx.Form1->Close();
  EXPECT_TRUE(fx.App.Terminated());
  fx.Form1.reset();
  fx.Form3.reset();
  EXPECT_TRUE(phone.Log().empty());
  EXPECT_FALSE(fx.Files.FileExists(fx.Folder() + "/Zarvelinthoscope.ini"));
}

TEST(Form1, AnErrorInAnEventIsShownByTheGeneralHandler) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  fx.Form1->BitBtn3.OnClick = [](TObject*) { throw EInOutError(InOutErrorText(5), 5); };
  EXPECT_FALSE(fx.Dispatch([&] { fx.Form1->BitBtn3.Click(); }));
  EXPECT_EQ(fx.Boxes.Errors, (std::vector<std::string>{"File access denied."}));
}

}  // namespace
}  // namespace zv
