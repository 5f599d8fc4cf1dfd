// The preview window: caption, frame, place and its one control.
#include "app/form3.h"

#include "ui/lang/texts.h"

namespace zv {

TForm3::TForm3() : TForm(nullptr, "Form3"), Image1(this, "Image1") {
  SetCaption(UiText(TextId::PreviewCaption));
  BorderStyle = TFormBorderStyle::bsSizeToolWin;
  Position = TPosition::poDesigned;
  SetBounds(0, 0, 648, 514);  // client area 640 × 480
  Image1.SetParent(this);
  Image1.SetAlign(TAlign::alClient);
  Image1.AutoSize = true;
  Image1.Center = true;
  Image1.Proportional = true;
  CloseAction = TCloseAction::caHide;
}

TForm3::~TForm3() { DestroyHandle(); }

}  // namespace zv
