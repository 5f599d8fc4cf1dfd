// Header clicks of the photo grid: the column-wide check toggles.
#include "app/form1.h"
#include "catalogue/toggles.h"

namespace zv {

void TForm1::GridView1HeaderClick(TObject*, int ACol) {
  ToggleCheckColumn(GridView1, ACol, AllDownloadChecked, AllDeleteChecked);
}

}  // namespace zv
