#pragma once
// The Win32 edit box behind TEdit, open to derived boxes: a derived peer (the folder box's)
// overrides Created to add child windows and set the typing area's margins, HandleMessage to see
// messages (keys arrive first at the portable TWinControl::KeyDown), and Layout to follow size
// changes. Register it for the derived control's PeerKind with Win32Backend::RegisterPeer.
#include "ui/stdctrls.h"
#include "ui/win32/window_peer.h"

namespace zv {

class Win32EditPeer : public Win32Peer {
 public:
  Win32EditPeer(Win32Backend& backend, TEdit& edit);
  TEdit& Edit() const { return edit_; }

  void FillCreateParams(CreateParams& params) override;
  void Created() override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool HandleCommand(UINT code, LRESULT& result) override;
  void PropertyChanged(int property) override;
  void SetBounds(const TRect& bounds) override;

 protected:
  // The window's size changed (also called once after creation).
  virtual void Layout() {}
  // Reads the selection from the window into the control.
  void SyncSelection();

 private:
  TEdit& edit_;
};

}  // namespace zv
