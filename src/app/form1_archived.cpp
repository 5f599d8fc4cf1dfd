// The grid's archive marks: rows whose photos the archive already holds (by name and size, under
// the current root and profile) show their name and size in the system's grey text colour.
// Their boxes keep the states the listing gave them; only the look tells the user they are not
// new, and the run does not read them again unless they are to be deleted.
#include "app/form1.h"
#include "gridview/photo_columns.h"

namespace zv {

void TForm1::MarkArchivedRows() {
  Archived.Mark(Files, DirectoryEdit1.Text(), Edit1.Text());
  GridView1.Invalidate();
}

bool TForm1::RowArchived(int row) { return Archived.RowHolds(GridView1, row); }

void TForm1::GridView1CellFormating(TObject*, int ACol, int ARow, TColor& TextColor, TFontStyles&,
                                    TCellState) {
  if ((ACol == kFileColumn || ACol == kSizeColumn) && RowArchived(ARow)) TextColor = clGrayText;
}

void TForm1::Edit1Change(TObject*) { MarkArchivedRows(); }

void TForm1::DirectoryEdit1Change(TObject*) { MarkArchivedRows(); }

}  // namespace zv
