// The main window's double click on the grid: preview the selected row's photo in Form3. The
// run itself is the preview's (preview/preview_run.h); this wires it to the window's controls.
#include "app/form1.h"
#include "app/form3.h"
#include "preview/preview_run.h"

namespace zv {

void TForm1::GridView1DblClick(TObject*) {
  PreviewSources s;
  s.ShowWindow = [this] { Form3->Show(); };
  s.SetBusy = [this](bool on) { TrayIcon1->SetActive(on); };
  s.PhotoName = [this] { return GridView1.CellAt(3, GridView1.SelectedRow()).AsString(); };
  s.PhotoSize = [this] { return GridView1.CellAt(4, GridView1.SelectedRow()).AsInteger(); };
  s.PhonePath = [this](const AnsiString& name, int size) {
    return Sources.Find(name, size).phonePath;  // empty when two entries fit the row
  };
  s.Phone = &Phone;
  s.Image = &Form3->Image1;
  s.ScreenBitsPerPixel = ScreenBitsPerPixel;
  RunPreview(s);
}

}  // namespace zv
