// The application object: main form, termination and the general error handler.
#include "ui/application.h"

#include "ui/errors.h"
#include "ui/forms.h"
#include "ui/lang/texts.h"

namespace zv {

void TApplication::SetMainForm(TForm& form) {
  mainForm_ = &form;
  form.CloseAction = TCloseAction::caFree;
  form.OnRelease = [this](TObject*) { Terminate(); };
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  if (OnTerminate) OnTerminate();
}

void TApplication::HandleException(const std::exception& e) {
  boxes_.ShowError(ErrorBoxText(e.what()));
}

void TApplication::ShowSafely(const std::exception& e) noexcept {
  try {
    HandleException(e);
  } catch (...) {
    // Showing the error failed too; nothing more can be told.
  }
}

void TApplication::ShowUnknown() noexcept {
  try {
    boxes_.ShowError(ErrorBoxText(UiText(TextId::UnknownError)));
  } catch (...) {
  }
}

}  // namespace zv
