// Header clicks of the photo grid: the column-wide check toggles.
#include "app/form1.h"
#include "catalogue/toggles.h"

namespace zv {

void TForm1::GridView1HeaderClick(TObject*, int ACol) {
  // The boxes stay as the phone work in progress found them.
  if (UserJobRunning()) return;
  ToggleCheckColumn(GridView1, ACol, AllDownloadChecked, AllDeleteChecked);
}

}  // namespace zv
