// The main window's texts measured in the face the system gives for the form's font request
// (MS Sans Serif 8 pt, Cyrillic): each must fit the control the form gives it, in each language
// and at each display scaling from 100 % to 200 %. Under Wine this holds only when the prefix has
// the Cyrillic MS Sans Serif (scripts/wine-run registers it); without it Wine picks a wider face
// and the label and the first panel are cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "form_fixture.h"
#include "testing/sim_phone.h"
#include "ui/lang/texts.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

class FormTextsWin32 : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { SetUiLanguage(GetParam()); }
  void TearDown() override { SetUiLanguage(Language::ru); }
};

TEST_P(FormTextsWin32, EveryTextFitsItsControlInTheFaceTheSystemGives) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  FontCache fonts;
  HDC dc = GetDC(nullptr);
  for (const int ppi : {96, 120, 144, 192}) {
    SCOPED_TRACE(ppi);
    f.ScaleForPPI(ppi);
    // A status bar panel shows its text inside its borders and a small margin on each side; a
    // button's caption keeps clear of its frame and focus rectangle, more so beside a picture.
    const int panelMargin = 6 * ppi / 96, buttonMargin = 8 * ppi / 96;
    const int glyph = (16 + 4) * ppi / 96;
    struct Case {
      const char* what;
      std::string text;
      TFont font;
      int room;  // pixels the control leaves for the text
    } cases[] = {
        {"Label1", f.Label1.Caption(), f.Label1.Font(), f.Label1.Width()},
        {"BitBtn2", f.BitBtn2.Caption(), f.BitBtn2.Font(), f.BitBtn2.Width() - buttonMargin},
        {"BitBtn1", f.BitBtn1.Caption(), f.BitBtn1.Font(),
         f.BitBtn1.Width() - buttonMargin - glyph},
        {"BitBtn3", f.BitBtn3.Caption(), f.BitBtn3.Font(),
         f.BitBtn3.Width() - buttonMargin - glyph},
        {"panel 0 connected", UiText(TextId::Connected), f.StatusBar1.Font(),
         f.StatusBar1.Panels[0].Width() - panelMargin},
        {"panel 0 disconnected", UiText(TextId::Disconnected), f.StatusBar1.Font(),
         f.StatusBar1.Panels[0].Width() - panelMargin},
        {"panel 1", UiText(TextId::FoundPrefix) + "999", f.StatusBar1.Font(),
         f.StatusBar1.Panels[1].Width() - panelMargin},
        {"panel 2", UiText(TextId::PhotosPrefix) + "999", f.StatusBar1.Font(),
         f.StatusBar1.Panels[2].Width() - panelMargin},
    };
    for (const Case& c : cases) {
      HGDIOBJ old = SelectObject(dc, fonts.Get(c.font));
      wchar_t face[LF_FACESIZE] = {};
      GetTextFaceW(dc, LF_FACESIZE, face);
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      const std::wstring text = Widen(c.text);
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      SelectObject(dc, old);
      if (ppi == 96) EXPECT_EQ(Narrow(face), "MS Sans Serif") << c.what;
      EXPECT_EQ(metrics.tmCharSet, RUSSIAN_CHARSET) << c.what;
      EXPECT_LE(size.cx, c.room) << c.what << ": \"" << c.text << "\" in " << Narrow(face);
    }
  }
  ReleaseDC(nullptr, dc);
}

INSTANTIATE_TEST_SUITE_P(Languages, FormTextsWin32, ::testing::Values(Language::ru, Language::en),
                         [](const auto& info) { return info.param == Language::ru ? "ru" : "en"; });

}  // namespace
}  // namespace zv
