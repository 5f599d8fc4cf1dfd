#pragma once
// TForm: a top-level window holding controls. Its bounds are the outer bounds; the client area
// comes from the window when there is one, and from the design frame otherwise (8 × 34 pixels
// at 96 dpi), so that a headless form lays its controls out exactly as the designer placed them.
#include <functional>
#include <string>

#include "ui/control.h"

namespace zv {

enum class TFormBorderStyle { bsSizeable, bsSizeToolWin, bsSingle, bsDialog, bsNone };
enum class TPosition { poDesigned, poScreenCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// Limits of the outer size; 0 means none.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

class TForm : public TWinControl {
 public:
  enum Prop { PropIcon = 400, PropConstraints, PropShow, PropBringToFront };
  // Outer size minus client size of a sizeable frame at design time.
  static constexpr int kDesignFrameWidth = 8;
  static constexpr int kDesignFrameHeight = 34;

  TForm(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TForm"; }

  // Read when the window is created.
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  TPosition Position = TPosition::poDesigned;
  // Name of the window icon among the program's resources; empty: the platform's default.
  std::string IconResource;

  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& c);
  // Clamps an outer size to the constraints.
  void ClampSize(int& width, int& height) const;

  // Places the window (outer bounds), within the constraints.
  void SetBounds(int left, int top, int width, int height) override;
  // Sets the outer size so that the client area gets this size.
  void SetClientSize(int width, int height);

  void Show();  // visible and in front
  void Hide() { SetVisible(false); }
  void BringToFront();

  // Asks the form to close, as its close button does: OnClose may change CloseAction's value
  // for this time; caHide hides the form, caFree ends its life (OnRelease: for the main form
  // the application terminates).
  void Close();
  TCloseAction CloseAction = TCloseAction::caHide;
  std::function<void(TObject* Sender, TCloseAction& action)> OnClose;
  TNotifyEvent OnRelease;
  // The Esc key, when no control of the form took it.
  TNotifyEvent OnCancel;
  // The system is ending the user's session: the process ends once this returns.
  TNotifyEvent OnSessionEnd;

  // From the backend: the user moved or resized the window.
  void BoundsChangedByPlatform(const TRect& outer);

  // The client area that the outer bounds give with the design frame. At a density other than
  // 96 dots per inch the backend makes the window's frame around a client area of this size,
  // since the platform's frame does not grow by the same factor.
  TRect DesignedClientRect() const { return HeadlessClientRect(); }
  // Scales the constraints too; see ScaledBounds.
  void ChangeScale(int m, int d) override;

 protected:
  TRect HeadlessClientRect() const override;
  // The form keeps its top-left corner and scales its client area; the frame stays as it is.
  TRect ScaledBounds(int m, int d) const override;

 private:
  TSizeConstraints constraints_;
};

}  // namespace zv
