#pragma once
// The photo grid of the main window: its five columns exactly as the form sets them up.
#include "gridview/grid.h"

namespace zv {

// Photo grid column indices (items order).
constexpr int kNumColumn = 0;
constexpr int kDownLoadColumn = 1;
constexpr int kDeleteColumn = 2;
constexpr int kFileColumn = 3;
constexpr int kSizeColumn = 4;

// Adds Num (TIncrementColumn, "#"), DownLoad and Delete (TCheckBoxColumn, picture only), File
// (TTextualColumn, "Файл", auto-sized, Sorted descending) and Size (TTextualColumn, "Размер")
// with the form's widths, alignments, options, colours, positions and sort settings. The grid
// is marked as loading while they are added.
void AddPhotoGridColumns(TGridView& grid);

// The form's grid settings (Options, RowSize and the view side's appearance, header, scroll
// and key settings), then AddPhotoGridColumns. Column pictures come from header_glyphs.h.
void SetupPhotoGrid(TGridView& grid);

}  // namespace zv
