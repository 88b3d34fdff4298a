// The main window's layout: every component named, placed and given its stored values, with its
// handlers bound, as a window layout is read.
#include "Main.h"

#include "AppForm.h"
#include "BmpPicture.h"
#include "FormPlacing.h"
#include "KIVButton.h"
#include "KIVDlg.h"
#include "KIVGroupBox.h"

namespace app {

namespace {

ui::TLabel* PlaceLabel(ui::TForm& form, ui::TWinControl* parent, const char* name, const char* caption, int left,
                       int top) {
  auto* label = Place<ui::TLabel>(form, parent, name, left, top, 0, 0);
  label->SetAutoSize(true);
  label->SetTransparent(true);
  label->SetCaption(caption);
  return label;
}

// A picture of the program's resources filling its place.
ui::TImage* PlacePicture(ui::TForm& form, ui::TWinControl* parent, const char* name, const char* resource,
                         ui::TAlign align, int top, int height) {
  auto* image = Place<ui::TImage>(form, parent, name, 0, top, parent->ClientWidth(), height);
  image->SetAlign(align);
  image->SetStretch(true);
  LoadBmpResource(resource, image->Picture().Bitmap());
  return image;
}

// The tool-bar pictures: one strip of 32 x 32 images in the bar's order, magenta left out.
constexpr int kToolImageSize = 32;
constexpr const char* kToolPictures = "TOOLBAR_PICTURES";

}  // namespace

void TfrmMain::BuildLayout() {
  ui::TLayoutLoading loading(*this);
  SetName("frmMain");
  SetCaption("Ombrel");
  SetBorderStyle(ui::bsSingle);
  SetPosition(ui::poScreenCenter);
  SetClientSize(653, 505);
  OnShow = [this](ui::TComponent* sender) { FormShow(sender); };
  kivForm = SkinForm(*this, kiv::TkivUIStyle::MacOS);
  // The controls lie on the skin, below its title bar.
  ui::TWinControl* skin = kivForm;
  const int top = kivForm->TitleBar().Height();

  ToolImages = ui::Create<ui::TCustomImageList>(this, kToolImageSize, kToolImageSize);
  ToolImages->SetName("ToolImages");
  ui::TBitmap strip;
  if (LoadBmpResource(kToolPictures, strip)) ToolImages->AddMasked(strip, ui::clFuchsia);
  Toolbar = Place<kiv::TkivToolBar>(*this, skin, "Toolbar", 0, top, 651, 58);
  Toolbar->SetAlign(ui::alTop);
  Toolbar->SetUIStyle(kiv::TkivUIStyle::Custom);
  Toolbar->SetImages(ToolImages);
  // The captions in the small size tool bars use, so "Converter" fits a 57-pixel button.
  Toolbar->Font().SetSize(7);
  Toolbar->SetFlat(true);
  Toolbar->SetShowCaptions(true);
  Toolbar->SetButtonWidth(57);
  Toolbar->SetButtonHeight(52);
  Toolbar->SetWrapable(false);
  int image = 0;
  const auto button = [&](ui::TToolButton*& field, const char* name, const char* caption, const char* hint,
                          void (TfrmMain::*handler)(ui::TComponent*)) {
    field = PlaceToolButton(*this, Toolbar, name, caption, hint, image++, handler);
  };
  // "Rip Now" and "Get CDDB" are handled by the rip loop and the CDDB query.
  button(bExtract, "bExtract", "Rip Now", "Extract", nullptr);
  button(bRefresh, "bRefresh", "Refresh", "", &TfrmMain::bRefreshClick);
  button(ToolButton2, "ToolButton2", "Get CDDB", "Get CDDB Information", nullptr);
  button(bFolder, "bFolder", "Folder", "Go to folder", &TfrmMain::bFolderClick);
  button(bPlayer, "bPlayer", "Player", "Audio Player", &TfrmMain::bPlayerClick);
  button(bOption, "bOption", "Options", "Option", &TfrmMain::bOptionClick);
  button(bRecorder, "bRecorder", "Recorder", "", &TfrmMain::bRecorderClick);
  button(bConverter, "bConverter", "Converter", "", &TfrmMain::bConverterClick);
  button(bHelp, "bHelp", "Help", "", &TfrmMain::bHelpClick);
  button(bHome, "bHome", "Home", "Talvo Home Site", &TfrmMain::bHomeClick);
  button(bAbout, "bAbout", "About", "About Ombrel", &TfrmMain::bAboutClick);

  Image1 = PlacePicture(*this, skin, "Image1", "TOOLBAR_RULE", ui::alTop, top + 58, 3);
  Panel1 = Place<ui::TPanel>(*this, skin, "Panel1", 0, top + 61, 651, 32);
  Panel1->SetAlign(ui::alTop);
  Panel1->SetBevelOuter(ui::bvNone);
  lbDevice = PlaceLabel(*this, Panel1, "lbDevice", "Device:", 8, 9);
  // Wide enough for a drive's whole name: letter, vendor, product, revision and address.
  CmbDevice = Place<kiv::TkivComboBox>(*this, Panel1, "CmbDevice", 52, 5, 292, 22);
  CmbDevice->SetStyle(ui::csDropDownList);
  CmbDevice->SetUIStyle(kiv::TkivUIStyle::DeepBlue);
  CmbDevice->OnChange = [this](ui::TComponent* sender) { CmbDeviceChange(sender); };
  lbOutput = PlaceLabel(*this, Panel1, "lbOutput", "Output format:", 356, 9);
  cmbOutput = Place<kiv::TkivComboBox>(*this, Panel1, "cmbOutput", 446, 5, 64, 22);
  cmbOutput->SetStyle(ui::csDropDownList);
  cmbOutput->SetUIStyle(kiv::TkivUIStyle::DeepBlue);
  lbCDType = PlaceLabel(*this, Panel1, "lbCDType", "", 522, 9);

  lvCD = Place<kiv::TkivListView>(*this, skin, "lvCD", 7, top + 95, 637, 196);
  lvCD->SetViewStyle(ui::vsReport);
  lvCD->SetCheckboxes(true);
  lvCD->SetGridLines(true);
  lvCD->SetRowSelect(true);
  lvCD->SetReadOnly(true);
  lvCD->SetColumnClick(false);
  lvCD->SetHideSelection(false);
  const std::pair<const char*, int> columns[] = {{"Track No", 100}, {"Title", 430}, {"Length", 98}};
  for (const auto& [caption, width] : columns) {
    ui::TListColumn* column = lvCD->Columns().Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  lvCD->OnSelectItem = [this](ui::TComponent* sender, ui::TListItem* item, bool selected) {
    lvCDSelectItem(sender, item, selected);
  };

  const auto speedButton = [&](kiv::TkivButton*& field, const char* name, const char* caption, int left, int top,
                               int width, void (TfrmMain::*handler)(ui::TComponent*), ui::TWinControl* parent) {
    field = Place<kiv::TkivButton>(*this, parent, name, left, top, width, 23);
    field->SetCaption(caption);
    if (handler) field->OnClick = [this, handler](ui::TComponent* sender) { (this->*handler)(sender); };
  };
  const int row = top + 297;
  speedButton(btnSelectAll, "btnSelectAll", "Select all", 7, row, 88, &TfrmMain::bSelectAllClick, skin);
  speedButton(btnUnSelectAll, "btnUnSelectAll", "Unselect all", 99, row, 88, &TfrmMain::bUnSelectAllClick, skin);
  speedButton(btnInvert, "btnInvert", "Invert selection", 191, row, 110, &TfrmMain::bInvertClick, skin);
  speedButton(btnPlayCD, "btnPlayCD", "Play track", 444, row, 98, &TfrmMain::bPlayCDClick, skin);
  speedButton(btnStopCD, "btnStopCD", "Stop play", 546, row, 98, &TfrmMain::bStopCDClick, skin);
  btnPlayCD->SetEnabled(false);
  btnStopCD->SetEnabled(false);

  gbInfo = Place<kiv::TkivGroupBox>(*this, skin, "gbInfo", 7, top + 327, 637, 118);
  gbInfo->SetCaption("Track Information");
  const auto infoEdit = [&](kiv::TkivEdit*& field, const char* name, const char* label, const char* labelName,
                            int left, int top, int width) {
    PlaceLabel(*this, gbInfo, labelName, label, left, top + 4);
    // Room after the longest label, "Category:".
    field = Place<kiv::TkivEdit>(*this, gbInfo, name, left + 64, top, width, 22);
    field->SetReadOnly(true);
  };
  infoEdit(edtAlbum, "edtAlbum", "Album:", "lbAlbum", 12, 24, 294);
  infoEdit(edtArtist, "edtArtist", "Artist:", "lbArtist", 12, 53, 294);
  infoEdit(edtTitle, "edtTitle", "Title:", "lbTitle", 12, 82, 294);
  infoEdit(edtYear, "edtYear", "Year:", "lbYear", 384, 24, 70);
  infoEdit(edtCategory, "edtCategory", "Category:", "lbCategory", 384, 53, 177);
  edtYear->SetText(kNoTrackYear);
  speedButton(btnEdit, "btnEdit", "Edit track Info.", 448, 82, 177, nullptr, gbInfo);

  Panel2 = Place<ui::TPanel>(*this, skin, "Panel2", 0, 478, 651, 26);
  Panel2->SetAlign(ui::alBottom);
  Panel2->SetBevelOuter(ui::bvNone);
  Image2 = PlacePicture(*this, Panel2, "Image2", "STATUS_GROUND", ui::alClient, 0, 26);
  lbOutputPath = PlaceLabel(*this, Panel2, "lbOutputPath", "Output Path:", 8, 6);
  lbPlayInfo = Place<ui::TLabel>(*this, Panel2, "lbPlayInfo", 393, 6, 250, 16);
  lbPlayInfo->SetTransparent(true);
  lbPlayInfo->SetAlignment(ui::taRightJustify);
  lbPlayInfo->SetCaption("Stop");

  tmPlay = ui::Create<ui::TTimer>(this);
  tmPlay->SetName("tmPlay");
  tmPlay->SetEnabled(false);
  tmPlay->SetInterval(100);
  tmPlay->OnTimer = [this](ui::TComponent* sender) { tmPlayTimer(sender); };

  kivMessageDialog = ui::Create<kiv::TkivMessageDialog>(this);
  kivMessageDialog->SetName("kivMessageDialog");
  kivMessageDialog->SetUIStyle(kiv::TkivUIStyle::DeepBlue);
  kivMessageDialog->SetPosition(ui::poScreenCenter);
  kivMessageDialog->SetButtonCursor(ui::crHandPoint);
  BindRipHandlers();
}

}  // namespace app
