// The main window's construction: every control at its place with its initial state, the
// events wired to the handlers, and the creation handler FormCreate.
#include "app/form1.h"

#include "app/grid_thumbnails.h"
#include "app/settings/settings_store.h"
#include "folderedit/folder_glyph.h"
#include "gridview/photo_columns.h"
#include "phone/stepped_phone_jobs.h"
#include "trayicon/main_tray_icon.h"
#include "ui/lang/texts.h"

namespace zv {

StatusPanelWidths StatusPanelWidthsFor(Language language) {
  // Each panel takes its longest text in the window's font with the panel's margins, at every
  // scale from 100 % to 200 %: the connection panel "…не отвечает" or "…not responding", the
  // counts five digits (a phone may hold tens of thousands of files). The font is a bitmap face
  // whose sizes do not grow exactly with the scale (at 125 % it is wider than 125 % of its
  // 100 % width), so the widths leave a few pixels beyond the 100 % measure.
  switch (language) {
    case Language::ru:
      return {196, 136, 112};
    case Language::en:
      return {180, 120, 100};
  }
  return {180, 120, 100};
}

TForm1::TForm1(const FormServices& services)
    : TForm(nullptr, "Form1"),
      ownJobs_(services.Jobs ? nullptr
                             : std::make_unique<SteppedPhoneJobs>(services.Phone, true)),
      Phone(services.Phone),
      Boxes(services.Boxes),
      Files(services.Files),
      Settings(services.Settings),
      Jobs(services.Jobs ? *services.Jobs : *ownJobs_),
      Label1(this, "Label1"),
      Edit1(this, "Edit1"),
      BitBtn3(this, "BitBtn3"),
      GridView1(this, "GridView1"),
      BitBtn2(this, "BitBtn2"),
      DirectoryEdit1(this, "DirectoryEdit1"),
      Label2(this, "Label2"),
      BitBtn1(this, "BitBtn1"),
      StatusBar1(this, "StatusBar1"),
      Timer1(this, "Timer1"),
      TrayIcon1(CreateMainTrayIcon(services.Tray)),
      CheckBox1(this, "CheckBox1") {
  DirectoryEdit1.SetFolderDialog(services.Folders);
  DirectoryEdit1.SetFileSystem(&Files);
  CreateControls();
  WireEvents();
}

TForm1::~TForm1() {
  // Windows go first, while every control is still whole.
  DestroyHandle();
  Timer1.DetachPeer();
}

void TForm1::CreateControls() {
  SetCaption("Zarvelinthoscope");
  Position = TPosition::poScreenCenter;
  IconResource = "MAINICON";
  SetBounds(0, 0, 777, 404);  // client area 769 × 370
  SetConstraints({.MinWidth = 660, .MinHeight = 220});

  TFont bold = Font();
  bold.Style = fsBold;
  Label1.SetParent(this);
  Label1.SetBounds(16, 16, 141, 13);
  Label1.SetCaption(UiText(TextId::ProfileLabel));
  Label1.SetFont(bold);
  Label1.FocusControl = &Edit1;  // the profile box is read out by this label

  Edit1.SetParent(this);
  Edit1.SetBounds(168, 14, 201, 21);
  Edit1.SetMaxLength(kProfileMaxLength);
  Edit1.SetTabOrder(4);

  BitBtn3.SetParent(this);
  BitBtn3.SetBounds(384, 13, 89, 22);
  BitBtn3.SetCaption(UiText(TextId::CreateButton));
  BitBtn3.SetGlyphResource("GLYPH_CREATE");
  BitBtn3.SetTabOrder(3);

  GridView1.SetParent(this);
  GridView1.SetBounds(16, 48, 731, 261);
  GridView1.SetAnchors(akLeft | akTop | akRight | akBottom);
  SetupPhotoGrid(GridView1);
  GridView1.SetTabStop(true);
  GridView1.SetTabOrder(0);

  BitBtn2.SetParent(this);
  BitBtn2.SetBounds(16, 317, 153, 25);
  BitBtn2.SetAnchors(akLeft | akBottom);
  BitBtn2.SetCaption(UiText(TextId::DownloadButton));
  BitBtn2.SetEnabled(false);
  BitBtn2.SetTabOrder(2);

  DirectoryEdit1.SetParent(this);
  DirectoryEdit1.SetBounds(176, 319, 281, 21);
  DirectoryEdit1.SetAnchors(akLeft | akRight | akBottom);
  DirectoryEdit1.DialogKind = TDialogKind::dkWin32;
  DirectoryEdit1.DialogText = UiText(TextId::FolderDialogTitle);
  DirectoryEdit1.SetGlyphKind(TGlyphKind::gkCustom);
  DirectoryEdit1.SetGlyphVersions(FolderButtonGlyphs());
  DirectoryEdit1.NumGlyphs = 1;
  DirectoryEdit1.SetButtonWidth(20);
  DirectoryEdit1.SetTabOrder(5);

  Label2.SetParent(this);
  Label2.SetBounds(176, 319, 0, 0);
  Label2.SetAnchors(akLeft | akBottom);
  Label2.SetCaption(UiText(TextId::FolderLabel));  // read out, never shown
  Label2.FocusControl = &DirectoryEdit1;

  BitBtn1.SetParent(this);
  BitBtn1.SetBounds(650, 317, 97, 25);
  BitBtn1.SetAnchors(akRight | akBottom);
  BitBtn1.SetCaption(UiText(TextId::ListButton));
  BitBtn1.SetGlyphResource("GLYPH_LIST");
  BitBtn1.SetEnabled(false);
  BitBtn1.SetTabOrder(1);

  StatusBar1.SetParent(this);
  StatusBar1.SetBounds(0, 0, ClientWidth(), 22);
  StatusBar1.SetAlign(TAlign::alBottom);
  StatusBar1.SetSizeGrip(false);
  StatusBar1.BorderWidth = 1;
  struct PanelSpec {
    int width;
    TAlignment alignment;
    std::string text;
  };
  const StatusPanelWidths widths = StatusPanelWidthsFor(UiLanguage());
  const PanelSpec panels[] = {
      {widths.connection, TAlignment::taLeftJustify, UiText(TextId::Disconnected)},
      {widths.found, TAlignment::taLeftJustify, UiText(TextId::FoundPrefix) + kNoCount},
      {widths.photos, TAlignment::taLeftJustify, UiText(TextId::PhotosPrefix) + kNoCount},
      {50, TAlignment::taRightJustify, UiText(TextId::Credit)},
  };
  for (const auto& p : panels) {
    TStatusPanel& panel = StatusBar1.Panels.Add();
    panel.SetWidth(p.width);
    panel.SetAlignment(p.alignment);
    panel.SetText(p.text);
  }

  // Right of "Создать", on the top line where the window has room at every size and scaling.
  CheckBox1.SetParent(this);
  CheckBox1.SetBounds(496, 16, 129, 17);
  CheckBox1.SetCaption(UiText(TextId::ThumbnailsBox));
  CheckBox1.SetTabOrder(6);

  Timer1.SetInterval(1000);
  Timer1.SetEnabled(true);
}

void TForm1::WireEvents() {
  Timer1.SetOnTimer([this](TObject* s) { Timer1Timer(s); });
  BitBtn1.OnClick = [this](TObject* s) { BitBtn1Click(s); };
  BitBtn2.OnClick = [this](TObject* s) { BitBtn2Click(s); };
  BitBtn3.OnClick = [this](TObject* s) { BitBtn3Click(s); };
  GridView1.OnDblClick = [this](TObject* s) { GridView1DblClick(s); };
  GridView1.OnHeaderClick = [this](TObject* s, int col) { GridView1HeaderClick(s, col); };
  GridView1.OnCellFormating = [this](TObject* s, int col, int row, TColor& color,
                                     TFontStyles& style, TCellState state) {
    GridView1CellFormating(s, col, row, color, style, state);
  };
  // A grey row says in words what its colour shows.
  GridView1.AccessibleRowNote = [this](int row) {
    return RowArchived(row) ? UiText16(TextId::ArchivedRowNote) : std::u16string();
  };
  // While phone work runs, its rows' boxes stay as the work found them.
  GridView1.OnBeforeEdit = [this](TObject*, int, int, bool& accept) {
    if (UserJobRunning()) accept = false;
  };
  OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
  OnCancel = [this](TObject* s) { FormCancel(s); };
  OnSessionEnd = [this](TObject* s) { FormSessionEnd(s); };
  CheckBox1.OnClick = [this](TObject* s) { CheckBox1Click(s); };
  Edit1.OnChange = [this](TObject* s) { Edit1Change(s); };
  DirectoryEdit1.OnChange = [this](TObject* s) { DirectoryEdit1Change(s); };
  DirectoryEdit1.OnAfterDialog = [this](TObject* s, std::string& name, bool& action) {
    DirectoryEdit1AfterDialog(s, name, action);
  };
}

void TForm1::FormCreate(TObject*) {
  StartQuietJob(
      [](JobContext& job) {
        if (!job.Stopped()) job.phone.P2K_Init(0);
      },
                [](std::exception_ptr error) {
                  if (error) std::rethrow_exception(error);
                });
  PhoneConnected = false;
  AllDownloadChecked = true;
  AllDeleteChecked = false;
  DirectoryEdit1.SetText(ReadGalleryPath(Settings));
  SetThumbnailsOn(ReadThumbnailsSetting(Settings));
}

}  // namespace zv
