#pragma once
// TForm3, the preview window: a resizable tool window with one picture control, Image1, filling
// its client area. It has no handlers; closing it only hides it.
#include "preview/image.h"
#include "ui/forms.h"

namespace zv {

class TForm3 : public TForm {
 public:
  TForm3();
  ~TForm3() override;

  TImage Image1;
};

}  // namespace zv
