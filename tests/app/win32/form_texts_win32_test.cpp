// The main window's texts measured in the face the system gives for the form's font request
// (MS Sans Serif 8 pt, Cyrillic): each must fit the control the form gives it. Under Wine this
// holds only when the prefix has the Cyrillic MS Sans Serif (scripts/wine-run registers it);
// without it Wine picks a wider face and the label and the first panel are cut.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "form_fixture.h"
#include "testing/sim_phone.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_text.h"

namespace zv {
namespace {

TEST(FormTextsWin32, EveryTextFitsItsControlInTheFaceTheSystemGives) {
  SimPhone phone;
  FormFixture fx(phone.Api());
  TForm1& f = *fx.Form1;
  // A status bar panel shows its text inside its borders and a small margin on each side.
  constexpr int kPanelMargin = 6;
  struct Case {
    const char* what;
    std::string text;
    TFont font;
    int room;  // pixels the control leaves for the text
  } cases[] = {
      {"Label1", f.Label1.Caption(), f.Label1.Font(), f.Label1.Width()},
      {"BitBtn2", f.BitBtn2.Caption(), f.BitBtn2.Font(), f.BitBtn2.Width() - 8},
      {"panel 0 connected", TForm1::kConnectedText, f.StatusBar1.Font(),
       f.StatusBar1.Panels[0].Width() - kPanelMargin},
      {"panel 0 disconnected", TForm1::kDisconnectedText, f.StatusBar1.Font(),
       f.StatusBar1.Panels[0].Width() - kPanelMargin},
      {"panel 1", std::string(TForm1::kFoundPrefix) + "999", f.StatusBar1.Font(),
       f.StatusBar1.Panels[1].Width() - kPanelMargin},
      {"panel 2", std::string(TForm1::kPhotosPrefix) + "999", f.StatusBar1.Font(),
       f.StatusBar1.Panels[2].Width() - kPanelMargin},
  };
  FontCache fonts;
  HDC dc = GetDC(nullptr);
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
    EXPECT_EQ(Narrow(face), "MS Sans Serif") << c.what;
    EXPECT_EQ(metrics.tmCharSet, RUSSIAN_CHARSET) << c.what;
    EXPECT_LE(size.cx, c.room) << c.what << ": \"" << c.text << "\" in " << Narrow(face);
  }
  ReleaseDC(nullptr, dc);
}

}  // namespace
}  // namespace zv
