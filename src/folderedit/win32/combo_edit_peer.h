#pragma once
// The Win32 window of the button box (TCustomComboEdit, and so the folder box): the system edit
// box with one child window inside its border that is the button. The button is a speed button:
// it never takes the focus, looks pressed while the mouse holds it down over it, and presses the
// box's button (DoClick) when the mouse is released over it. The typing area's right margin
// keeps text 2 pixels clear of it. Keys reach the box's portable KeyDown first, which is where
// ClickKey (Alt+Down) is handled.
#include <windows.h>

#include "folderedit/combo_edit.h"
#include "ui/win32/backend.h"
#include "ui/win32/edit_peer.h"

namespace zv {

class Win32ComboEditPeer : public Win32EditPeer {
 public:
  // The window class of the button's child window.
  static constexpr const wchar_t* kButtonClass = L"ZvEditButton";

  Win32ComboEditPeer(Win32Backend& backend, TCustomComboEdit& box);
  ~Win32ComboEditPeer() override;

  HWND ButtonHandle() const { return button_; }

  void FillCreateParams(CreateParams& params) override;
  void Created() override;
  void PropertyChanged(int property) override;

 protected:
  void Layout() override;

 private:
  static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT ButtonMessage(UINT msg, WPARAM wp, LPARAM lp);
  void PaintButton(HDC dc);
  void SetPressed(bool pressed);
  bool MouseOverButton(LPARAM lp) const;

  TCustomComboEdit& box_;
  HWND button_ = nullptr;
  bool tracking_ = false;  // the left mouse button went down on the button and is still held
  bool pressed_ = false;   // drawn pressed
};

// Registers the button box's and the folder box's window with the backend (by PeerKind).
void RegisterFolderEditPeers(Win32Backend& backend);

}  // namespace zv
