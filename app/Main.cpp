#include "Main.h"

#include <windows.h>

#include <cstdio>

#include "Application.h"
#include "ComponentRegistration.h"
#include "DiscReading.h"
#include "DiscSerial.h"
#include "KIVButton.h"
#include "KIVDlg.h"
#include "MciCdAudio.h"
#include "OptionUt.h"
#include "Player.h"
#include "WindowActions.h"

#include "com/Bstr.h"

namespace app {

namespace {

std::string ProgramFolder() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      const std::string file(path.data(), length);
      return file.substr(0, file.rfind('\\') + 1);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

TfrmMain::TfrmMain(ui::TComponent* AOwner, AppContext& context, std::unique_ptr<CdAudioDevice> device)
    : TForm(AOwner),
      context_(context),
      device_(device ? std::move(device) : std::make_unique<MciCdAudio>()),
      playback_(*device_, *this) {
  context_.frmMain = this;
  BuildLayout();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  // The lists go with the window; a playing device is stopped and closed.
  playback_.StopForDiscWork();
  context_.Tracks.Clear();
  if (context_.frmMain == this) context_.frmMain = nullptr;
}

void TfrmMain::FormCreate() {
  RegisterComponentLibraries(GetSystemFolder() + "\\");
  context_.Shared.AppFolder = ProgramFolder();
  context_.Shared.CddbServer = kDefaultCddbServer;
  context_.Shared.CddbCgiScript = kDefaultCddbCgiScript;
  context_.Shared.CddbUserEMail = kDefaultCddbUserEMail;
  context_.Tracks.Clear();
  SelectedTracks.clear();

  cmbOutput->Items().Clear();
  for (const char* format : {"Wav", "Mp3", "Ogg"}) cmbOutput->Items().Add(format);
  cmbOutput->SetItemIndex(1);

  const HRESULT created = AudioCDRipper1.Connect();
  if (SUCCEEDED(created)) {
    AudioCDRipper1.get()->DriverOpen();
    AudioCDRipper1.get()->put_driveReadType(CDRT_ANY);
    AudioCDRipper1.get()->put_ripModePreset(BURST);
  } else {
    // Without the ripper the window still opens, so the user learns why nothing can be read.
    SetDiscActionsEnabled(false);
    ReportNoRipper(created);
  }
  ReadDriveAndDisc();
  ReadTrackLists();
  ShowTrackRows();
  ShowOutputPath();
  context_.Shared.DiscSerial = ReadVolumeSerial(CurrentDriveLetter());
  lvCD->SetDoubleBuffered(true);
}

void TfrmMain::ReportNoRipper(HRESULT failure) {
  char code[9];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(failure));
  kivMessageDialog->SetCaption("Ombrel");
  kivMessageDialog->SetIconType(kiv::TkivIconType::kivStop);
  kivMessageDialog->SetButtonCount(1);
  kivMessageDialog->SetButton1Caption("OK");
  kivMessageDialog->SetButton1ModalResult(ui::mrOk);
  kivMessageDialog->SetText("The CD ripper component could not be started (error 0x" + std::string(code) +
                            "). Reinstall Ombrel to read and rip CDs.");
  kivMessageDialog->ShowModal();
}

void TfrmMain::SetDiscActionsEnabled(bool enabled) {
  for (ui::TControl* control : std::initializer_list<ui::TControl*>{
           bExtract, bRefresh, ToolButton2, CmbDevice, btnEdit, btnPlayCD, btnStopCD})
    control->SetEnabled(enabled);
}

void TfrmMain::ReadDriveAndDisc(long chosenDrive) {
  DriveAndDisc read;
  if (AudioCDRipper1) {
    read = app::ReadDriveAndDisc(*AudioCDRipper1.get(), chosenDrive);
  } else {
    read.discType = DiscTypeText(0);
    read.drives = {kNoDrives};
  }
  if (read.discType) lbCDType->SetCaption(*read.discType);
  CmbDevice->Items().Clear();
  for (const std::string& drive : read.drives) CmbDevice->Items().Add(drive);
  const long chosen = chosenDrive >= 1 && chosenDrive <= static_cast<long>(read.drives.size()) ? chosenDrive : 1;
  CmbDevice->SetItemIndex(static_cast<int>(chosen) - 1);
}

void TfrmMain::ReadTrackLists() {
  if (AudioCDRipper1) app::ReadTrackLists(*AudioCDRipper1.get(), CmbDevice->ItemIndex() + 1, context_.Tracks);
  else context_.Tracks.Clear();
  lvCD->Items().BeginUpdate();
  lvCD->Items().Clear();
  for (const TrackRow& row : TrackRows(context_.Tracks)) {
    ui::TListItem* item = lvCD->Items().Add();
    item->SetCaption(row.number);
    item->SubItems().Add(row.title);
    item->SubItems().Add(row.duration);
  }
  lvCD->Items().EndUpdate();
  ShowNoTrackChosen();
}

void TfrmMain::ShowNoTrackChosen() {
  // The new rows are none chosen: nothing of the tracks that went is shown or acted on.
  for (kiv::TkivEdit* box : {edtAlbum, edtArtist, edtTitle, edtCategory}) box->SetText("");
  edtYear->SetText(kNoTrackYear);
  btnEdit->SetEnabled(false);
  if (!playback_.Playing()) {
    btnPlayCD->SetEnabled(false);
    btnStopCD->SetEnabled(false);
  }
}

void TfrmMain::ShowTrackRows() {
  const std::vector<TrackRow> rows = TrackRows(context_.Tracks);
  for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(lvCD->Items().Count()); ++i) {
    ui::TListItem* item = lvCD->Items()[static_cast<int>(i)];
    item->SetCaption(rows[i].number);
    item->SubItems().SetString(0, rows[i].title);
    item->SubItems().SetString(1, rows[i].duration);
  }
  lvCD->Invalidate();
  lvCD->Update();
}

std::string TfrmMain::CurrentDriveLetter() {
  if (!AudioCDRipper1) return {};
  com::bstr letter;
  return SUCCEEDED(AudioCDRipper1.get()->get_driveLetter(letter.put())) ? com::to_ansi(letter.get()) : std::string();
}

void TfrmMain::ShowOutputPath() { lbOutputPath->SetCaption("Output Path:  " + context_.Shared.OutputFolder()); }

void TfrmMain::FormShow(ui::TComponent*) { SetActiveControl(lvCD); }

void TfrmMain::CmbDeviceChange(ui::TComponent*) {
  ReadDriveAndDisc(CmbDevice->ItemIndex() + 1);
  ReadTrackLists();
  ShowTrackRows();
}

void TfrmMain::bRefreshClick(ui::TComponent*) {
  playback_.StopForDiscWork();
  ReadDriveAndDisc(CmbDevice->ItemIndex() + 1);
  ReadTrackLists();
  ShowTrackRows();
}

void TfrmMain::lvCDSelectItem(ui::TComponent*, ui::TListItem* Item, bool Selected) {
  if (Selected && Item) {
    const auto index = static_cast<std::size_t>(Item->Index());
    const TrackLists& tracks = context_.Tracks;
    if (index < tracks.Count()) {
      edtAlbum->SetText(tracks.TrackAlbums[index]);
      edtArtist->SetText(tracks.TrackArtists[index]);
      edtTitle->SetText(tracks.TrackTitles[index]);
      edtYear->SetText(tracks.TrackYears[index]);
      // A genre index outside the genre list shows no category rather than another one.
      const int genre = std::atoi(tracks.TrackGenres[index].c_str());
      edtCategory->SetText(genre >= 0 && genre < static_cast<int>(GenreNames.size()) ? GenreNames[genre] : "");
    }
    btnEdit->SetEnabled(true);
    if (!playback_.Playing()) {
      btnPlayCD->SetEnabled(true);
      btnStopCD->SetEnabled(false);
    }
  } else if (!lvCD->Selected()) {
    btnEdit->SetEnabled(false);
    if (!playback_.Playing()) {
      btnPlayCD->SetEnabled(false);
      btnStopCD->SetEnabled(false);
    }
  }
}

void TfrmMain::bSelectAllClick(ui::TComponent*) {
  for (int i = 0; i < lvCD->Items().Count(); ++i) lvCD->Items()[i]->SetChecked(true);
}

void TfrmMain::bUnSelectAllClick(ui::TComponent*) {
  for (int i = 0; i < lvCD->Items().Count(); ++i) lvCD->Items()[i]->SetChecked(false);
}

void TfrmMain::bInvertClick(ui::TComponent*) {
  for (int i = 0; i < lvCD->Items().Count(); ++i) lvCD->Items()[i]->SetChecked(!lvCD->Items()[i]->Checked());
}

void TfrmMain::bOptionClick(ui::TComponent*) {
  context_.frmOption->ShowModal();
  ShowOutputPath();
}

void TfrmMain::bPlayerClick(ui::TComponent*) { context_.frmPlayer->Show(); }
void TfrmMain::bAboutClick(ui::TComponent*) { ShowAbout(context_); }
void TfrmMain::bRecorderClick(ui::TComponent*) { ShowAdvert(context_, 1); }
void TfrmMain::bConverterClick(ui::TComponent*) { ShowAdvert(context_, 2); }
void TfrmMain::bFolderClick(ui::TComponent*) { OpenOutputFolder(context_); }
void TfrmMain::bHelpClick(ui::TComponent*) { OpenHelp(context_); }
void TfrmMain::bHomeClick(ui::TComponent*) { OpenHomePage(); }

}  // namespace app
