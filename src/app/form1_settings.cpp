// The main window's settings handler: the archive root confirmed in the folder box's dialog is
// saved in the settings file before the box shows it (the box takes it after this returns, so a
// failed write leaves the box as it was).
#include "app/form1.h"
#include "app/settings/settings_store.h"

namespace zv {

void TForm1::DirectoryEdit1AfterDialog(TObject*, std::string& Name, bool& Action) {
  SaveGalleryPathAfterDialog(Settings, Name, Action);
}

}  // namespace zv
