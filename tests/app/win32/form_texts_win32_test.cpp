// The main window's texts measured in the face the system gives for the form's font request
// (MS Sans Serif 8 pt, Cyrillic): in each language, each must fit the control the form gives it,
// at each display scaling from 100 % to 200 %: the buttons' captions (the download button's in
// both its states), the profile box's label, every text of the connection panel, the counts
// (five digits: a listing takes up to 65536 entries) and the credit. Under Wine this holds only
// when the prefix has the Cyrillic MS Sans Serif (scripts/wine-run registers it); without it
// Wine picks a wider face and the label and the first panel are cut.
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

TEST_P(FormTextsWin32, EveryTextFitsItsControlInTheFaceTheSystemGivesAtEveryScale) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  FontCache fonts;
  HDC dc = GetDC(nullptr);
  // Pixels a text takes in a font, and the face the system gave for it.
  const auto measure = [&](const std::string& utf8, const TFont& font, std::string* faceName) {
    HGDIOBJ old = SelectObject(dc, fonts.Get(font));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring text = Widen(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    EXPECT_EQ(metrics.tmCharSet, RUSSIAN_CHARSET) << utf8;
    if (faceName) *faceName = Narrow(face);
    return int(size.cx);
  };
  for (const int ppi : {96, 120, 144, 192}) {
    SCOPED_TRACE(ppi);
    f.ScaleForPPI(ppi);
    // A status bar panel shows its text inside its borders and a small margin on each side; a
    // button's caption keeps clear of its frame, and of its picture where it has one.
    const int panelMargin = 6 * ppi / 96, buttonMargin = 8 * ppi / 96, glyph = 20 * ppi / 96;
    const TStatusPanels& panels = f.StatusBar1.Panels;
    // The credit's panel reaches from the end of the others to the bar's right end, which is
    // nearest when the window is as narrow as it can be made.
    const int narrowest = f.Constraints().MinWidth - (f.Width() - f.ClientWidth());
    const int creditRoom =
        narrowest - panels[0].Width() - panels[1].Width() - panels[2].Width() - panelMargin;
    struct Case {
      const char* what;
      TextId text;
      std::string after;  // what follows the text on the control
      TFont font;
      int room;  // pixels the control leaves for the text
    } cases[] = {
        {"Label1", TextId::ProfileLabel, "", f.Label1.Font(), f.Label1.Width()},
        {"BitBtn2", TextId::DownloadButton, "", f.BitBtn2.Font(), f.BitBtn2.Width() - buttonMargin},
        {"BitBtn2 during a run", TextId::StopButton, "", f.BitBtn2.Font(),
         f.BitBtn2.Width() - buttonMargin},
        {"BitBtn1", TextId::ListButton, "", f.BitBtn1.Font(),
         f.BitBtn1.Width() - buttonMargin - glyph},
        {"BitBtn3", TextId::CreateButton, "", f.BitBtn3.Font(),
         f.BitBtn3.Width() - buttonMargin - glyph},
        {"panel 0 connected", TextId::Connected, "", f.StatusBar1.Font(),
         panels[0].Width() - panelMargin},
        {"panel 0 disconnected", TextId::Disconnected, "", f.StatusBar1.Font(),
         panels[0].Width() - panelMargin},
        {"panel 0 not answering", TextId::NotAnswering, "", f.StatusBar1.Font(),
         panels[0].Width() - panelMargin},
        {"panel 1", TextId::FoundPrefix, "65536", f.StatusBar1.Font(),
         panels[1].Width() - panelMargin},
        {"panel 1 before a listing", TextId::FoundPrefix, "---", f.StatusBar1.Font(),
         panels[1].Width() - panelMargin},
        {"panel 2", TextId::PhotosPrefix, "65536", f.StatusBar1.Font(),
         panels[2].Width() - panelMargin},
        {"panel 3 in the narrowest window", TextId::Credit, "", f.StatusBar1.Font(), creditRoom},
    };
    for (const Case& c : cases) {
      std::string face;
      const std::string text = UiText(c.text) + c.after;
      const int width = measure(text, c.font, &face);
      // The form was laid out in this face at 100 %; at other scales the system may give
      // another one, which must fit all the same.
      if (ppi == 96) {
        EXPECT_EQ(face, "MS Sans Serif") << c.what;
      }
      EXPECT_LE(width, c.room) << c.what << ": \"" << text << "\" in " << face;
    }
  }
  ReleaseDC(nullptr, dc);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FormTextsWin32,
                         ::testing::Values(Language::ru, Language::en),
                         [](const ::testing::TestParamInfo<Language>& info) {
                           return std::string(info.param == Language::ru ? "Russian" : "English");
                         });

}  // namespace
}  // namespace zv
