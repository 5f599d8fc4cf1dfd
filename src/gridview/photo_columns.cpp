// The photo grid's five columns as the main window's form sets them up.
#include "gridview/photo_columns.h"

#include "gridview/header_glyphs.h"
#include "ui/lang/texts.h"

namespace zv {
namespace {

struct ColumnSetup {
  int width;
  TAlignment alignment;
  TColumnOptions options;
  bool sorted;
  TSortKind sortKind;
};

void Apply(TCustomColumn& column, int position, const ColumnSetup& setup) {
  column.SetColor(clWindow);
  column.SetWidth(setup.width);
  column.SetAlignment(setup.alignment);
  column.SetOptions(setup.options);
  column.SetPosition(position);
  column.SetSortKind(setup.sortKind);
  column.SetSorted(setup.sorted);
}

}  // namespace

void AddPhotoGridColumns(TGridView& grid) {
  const bool wasLoading = grid.Loading();
  grid.SetLoading(true);
  TColumns& columns = grid.Columns();
  const TColumnOptions checkBoxOptions{coCanClick, coEditing, coCanInput, coEditorAutoSelect,
                                       coPublicUsing};

  auto& num = columns.Add<TIncrementColumn>("Num");
  Apply(num, kNumColumn,
        {25, taLeftJustify, {coEditorAutoSelect, coPublicUsing}, false, skAscending});
  num.Header().SetCaption(u"#");
  // Text and picture, with no picture: the caption keeps the plain indent (L + 3) under visual
  // styles too, where a text-only header such as Size's moves its caption to L + 12.
  num.Header().SetDisplayMode(dmTextAndImage);

  auto& download = columns.Add<TCheckBoxColumn>("DownLoad");
  Apply(download, kDownLoadColumn, {25, taCenter, checkBoxOptions, false, skAscending});
  download.Header().SetDisplayMode(dmImageOnly);
  download.Header().SetGlyphVersions(DownloadHeaderGlyphs());
  // The two box columns show only a picture; a screen reader says what the user calls them.
  download.AccessibleName = UiText16(TextId::DownloadColumn);

  auto& del = columns.Add<TCheckBoxColumn>("Delete");
  Apply(del, kDeleteColumn, {25, taCenter, checkBoxOptions, false, skDescending});
  del.Header().SetDisplayMode(dmImageOnly);
  del.Header().SetGlyphVersions(DeleteHeaderGlyphs());
  del.AccessibleName = UiText16(TextId::DeleteColumn);

  auto& file = columns.Add<TTextualColumn>("File");
  Apply(file, kFileColumn,
        {559,
         taLeftJustify,
         {coAutoSize, coCanClick, coCanSort, coEditorAutoSelect, coPublicUsing},
         true,
         skDescending});
  file.Header().SetCaption(UiText16(TextId::FileColumn));
  file.Header().SetDisplayMode(dmTextAndImage);
  file.Header().SetGlyphVersions(FileHeaderGlyphs());

  auto& size = columns.Add<TTextualColumn>("Size");
  Apply(size, kSizeColumn,
        {81,
         taLeftJustify,
         {coCanClick, coCanSort, coEditorAutoSelect, coPublicUsing},
         false,
         skAscending});
  size.Header().SetCaption(UiText16(TextId::SizeColumn));

  grid.SetLoading(wasLoading);
}

void SetupPhotoGrid(TGridView& grid) {
  grid.SetOptions({goDissableColumnMoving, goGrid, goHeader, goIndicator, goSelectFullRow});
  grid.SetRowSize(16);
  // The view side's settings of the form.
  grid.GridStyle = gsReport;
  grid.SetAppearanceOptions({aoAlphaBlendedSelection, aoBoldTextSelection, aoHideSelection});
  grid.SetHeaderStyle(hsOldStyle);
  grid.HeaderSize = 18;
  grid.InputSize = 16;
  grid.SlideSize = 80;
  grid.GridLinesColor = clBtnFace;
  grid.GridLinesStyle = lsNormal;
  grid.HighlightedTextColor = clHighlight;
  grid.SetBorderStyle(bsSingle);
  grid.SetEnableVisualStyles(true);
  grid.HideScrollBar = true;
  grid.AutoScroll = false;
  grid.SelectionMoveDirection = mdDown;
  grid.WantReturns = false;
  grid.SetTabStop(true);
  // A screen reader's names: the table after what it lists, a row after its photo.
  grid.AccessibleName = UiText16(TextId::GridName);
  grid.AccessibleNameColumns = {kFileColumn, kSizeColumn};
  AddPhotoGridColumns(grid);
}

}  // namespace zv
