#include "OptionUt.h"

#include "Application.h"
#include "FormPlacing.h"
#include "Main.h"
#include "PathSelect.h"
#include "ZEVDiscRipper.h"

namespace app {

namespace {

constexpr const char* kFileNameRule =
    "FileName and subdirectory can be created according to the name \r\nrule, in which <aritist> stand for "
    "artist name and so on.";

// Every page's rows: a label in the first column, the control in the second, a unit after it.
constexpr int kLabelLeft = 16, kFieldLeft = 130, kRowTop = 16, kRowStep = 34;
int RowTop(int row) { return kRowTop + row * kRowStep; }

}  // namespace

TfrmOption::TfrmOption(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmOption", "Options", 480, 372, kiv::TkivUIStyle::Protein) {
  context.frmOption = this;
  BuildLayout();
  FormCreate();
}

void TfrmOption::BuildLayout() {
  ui::TLayoutLoading loading(*this);
  const int top = kivForm->TitleBar().Height();
  kivPageControl = ui::Create<kiv::TkivPageControl>(this);
  kivPageControl->SetName("kivPageControl");
  kivPageControl->SetParent(kivForm);
  kivPageControl->SetBounds(8, top + 8, 462, 286);
  kivPageControl->SetUIStyle(kiv::TkivUIStyle::BlueGlass);
  const auto page = [this](kiv::TkivTabSheet*& field, const char* name, const char* caption) {
    field = ui::Create<kiv::TkivTabSheet>(this);
    field->SetName(name);
    field->SetCaption(caption);
    field->SetParent(kivPageControl);
  };
  page(tbsOutput, "tbsOutput", "Output");
  page(tbsFreeDB, "tbsFreeDB", "Free CDDB");
  page(tbsOgg, "tbsOgg", "Ogg");
  page(tbsMp3, "tbsMp3", "Mp3");
  BuildOutputPage();
  BuildFreeDBPage();
  BuildOggPage();
  BuildMp3Page();
  kivPageControl->SetActivePage(tbsOutput);

  const int buttonsTop = top + 304;
  bOk = PlaceButton(*this, kivForm, "bOk", "Ok", 290, buttonsTop, 85);
  bOk->OnClick = [this](ui::TComponent* sender) { bOkClick(sender); };
  bCancel = PlaceButton(*this, kivForm, "bCancel", "Cancel", 385, buttonsTop, 85);
  bCancel->SetModalResult(ui::mrCancel);
  SetDialogKeys(bOk, bCancel);
}

void TfrmOption::BuildOutputPage() {
  PlaceLabel(*this, tbsOutput, "lbAlwaysSave", "Always save to:", kLabelLeft, RowTop(0));
  edtOutput = Place<kiv::TkivEdit>(*this, tbsOutput, "edtOutput", kLabelLeft, RowTop(0) + 18, 380, 22);
  // The button beside the box is as high as the box and level with it, as a browse button is.
  bSetOutput = PlaceButton(*this, tbsOutput, "bSetOutput", "...", kLabelLeft + 388, RowTop(0) + 18, 30);
  bSetOutput->SetHeight(edtOutput->Height());
  bSetOutput->OnClick = [this](ui::TComponent* sender) { bSetOutputClick(sender); };
  cmbFilename = PlaceList(*this, tbsOutput, "cmbFilename", NamingSchemeItems(), kLabelLeft, RowTop(2), 300);
  // All ten schemes at once: the user compares them.
  cmbFilename->SetDropDownCount(static_cast<int>(NamingSchemeItems().size()));
  // Two lines: the text breaks where it says.
  lbFileName = Place<ui::TLabel>(*this, tbsOutput, "lbFileName", kLabelLeft, RowTop(2) + 30, 420, 32);
  lbFileName->SetAutoSize(false);
  lbFileName->SetWordWrap(true);
  PlaceLabel(*this, tbsOutput, "lbSameFile", "If the same as an exist file:", kLabelLeft, RowTop(4) + 10);
  rbAddNew = Place<kiv::TkivRadioButton>(*this, tbsOutput, "rbAddNew", kLabelLeft + 16, RowTop(5), 260, 20);
  rbAddNew->SetCaption("Add 'new' after filename");
  rbAddNew->SetChecked(true);
  rbOverwrite = Place<kiv::TkivRadioButton>(*this, tbsOutput, "rbOverwrite", kLabelLeft + 16, RowTop(5) + 26, 260, 20);
  rbOverwrite->SetCaption("Overwrite the exist file");
}

void TfrmOption::BuildFreeDBPage() {
  PlaceLabel(*this, tbsFreeDB, "lbFreeDBServer", "FreeDB Sever:", kLabelLeft, RowTop(0) + 3);
  cmbFreeDBServer = PlaceList(*this, tbsFreeDB, "cmbFreeDBServer", CddbServerItems(), kFieldLeft, RowTop(0), 260);
  PlaceLabel(*this, tbsFreeDB, "lbFreeDBMail", "EMail:", kLabelLeft, RowTop(1) + 3);
  edtFreeDBMail = Place<kiv::TkivEdit>(*this, tbsFreeDB, "edtFreeDBMail", kFieldLeft, RowTop(1), 260, 22);
  PlaceLabel(*this, tbsFreeDB, "lbFreeDBCgi", "Cgi Script:", kLabelLeft, RowTop(2) + 3);
  edtFreeDBCgi = Place<kiv::TkivEdit>(*this, tbsFreeDB, "edtFreeDBCgi", kFieldLeft, RowTop(2), 260, 22);
  PlaceLabel(*this, tbsFreeDB, "lbFreeDBTimeOut", "FreeDB TimeOut:", kLabelLeft, RowTop(3) + 3);
  edtFreeDBTimeOut = Place<kiv::TkivEdit>(*this, tbsFreeDB, "edtFreeDBTimeOut", kFieldLeft, RowTop(3), 100, 22);
}

void TfrmOption::BuildOggPage() {
  PlaceLabel(*this, tbsOgg, "lbOggBitrate", "Bitrate:", kLabelLeft, RowTop(0) + 3);
  cmbOggBitrate = PlaceList(*this, tbsOgg, "cmbOggBitrate", BitrateItems(), kFieldLeft, RowTop(0), 100);
  PlaceLabel(*this, tbsOgg, "lbOggKbit", "Kbit/s", kFieldLeft + 108, RowTop(0) + 3);
  PlaceLabel(*this, tbsOgg, "lbOggFreq", "Frequency:", kLabelLeft, RowTop(1) + 3);
  cmbOggFreq = PlaceList(*this, tbsOgg, "cmbOggFreq", FrequencyItems(), kFieldLeft, RowTop(1), 100);
  PlaceLabel(*this, tbsOgg, "lbOggHz", "Hz", kFieldLeft + 108, RowTop(1) + 3);
  PlaceLabel(*this, tbsOgg, "lbOggChannel", "Stereo Mode:", kLabelLeft, RowTop(2) + 3);
  cmbOggChannel = PlaceList(*this, tbsOgg, "cmbOggChannel", OggChannelItems(), kFieldLeft, RowTop(2), 160);
  PlaceLabel(*this, tbsOgg, "lbOggQuality", "Quality:", kLabelLeft, RowTop(3) + 3);
  cmbOggQuality = PlaceList(*this, tbsOgg, "cmbOggQuality", QualityItems(), kFieldLeft, RowTop(3), 100);
}

void TfrmOption::BuildMp3Page() {
  PlaceLabel(*this, tbsMp3, "lbMp3MinBitrate", "Mp3 Bitrate:", kLabelLeft, RowTop(0) + 3);
  cmbMp3MinBitrate = PlaceList(*this, tbsMp3, "cmbMp3MinBitrate", BitrateItems(), kFieldLeft, RowTop(0), 100);
  PlaceLabel(*this, tbsMp3, "lbMp3Kbit", "Kbit/s", kFieldLeft + 108, RowTop(0) + 3);
  PlaceLabel(*this, tbsMp3, "lbMp3Freq", "Frequency:", kLabelLeft, RowTop(1) + 3);
  cmbMp3Freq = PlaceList(*this, tbsMp3, "cmbMp3Freq", FrequencyItems(), kFieldLeft, RowTop(1), 100);
  PlaceLabel(*this, tbsMp3, "lbMp3Hz", "Hz", kFieldLeft + 108, RowTop(1) + 3);
  PlaceLabel(*this, tbsMp3, "lbMp3Channel", "Stereo Mode:", kLabelLeft, RowTop(2) + 3);
  cmbMp3Channel = PlaceList(*this, tbsMp3, "cmbMp3Channel", Mp3ChannelItems(), kFieldLeft, RowTop(2), 160);
  PlaceLabel(*this, tbsMp3, "lbMp3MpegQuality", "Quality:", kLabelLeft, RowTop(3) + 3);
  cmbMp3MpegQuality =
      PlaceList(*this, tbsMp3, "cmbMp3MpegQuality", MpegQualityItems(), kFieldLeft, RowTop(3), 100);
  chkMp3VBR = Place<kiv::TkivCheckBox>(*this, tbsMp3, "chkMp3VBR", kLabelLeft, RowTop(4) + 4, 120, 20);
  chkMp3VBR->SetCaption("Enable VBR");
  chkMp3VBR->OnClick = [this](ui::TComponent* sender) { chkMp3VBRClick(sender); };
  chkMp3WriteVBRHeader =
      Place<kiv::TkivCheckBox>(*this, tbsMp3, "chkMp3WriteVBRHeader", kFieldLeft + 150, RowTop(4) + 4, 150, 20);
  chkMp3WriteVBRHeader->SetCaption(" Write VBR Header");
  PlaceLabel(*this, tbsMp3, "lbMp3MaxBitrate", "VBR. Bitrate:", kLabelLeft, RowTop(5) + 3);
  cmbMp3MaxBitrate = PlaceList(*this, tbsMp3, "cmbMp3MaxBitrate", BitrateItems(), kFieldLeft, RowTop(5), 100);
  PlaceLabel(*this, tbsMp3, "lbMp3VbrKbit", "Kbit/s", kFieldLeft + 108, RowTop(5) + 3);
  PlaceLabel(*this, tbsMp3, "lbMp3VBRQuality", "VBR Quality:", kLabelLeft, RowTop(6) + 3);
  cmbMp3VBRQuality = PlaceList(*this, tbsMp3, "cmbMp3VBRQuality", QualityItems(), kFieldLeft, RowTop(6), 100);
}

void TfrmOption::FormCreate() {
  lbFileName->SetCaption(kFileNameRule);
  context_.Shared.SettingsFile = kSettingsFileName;
  // One encoder settings object for the whole run; without it MP3 keeps the ripper's own
  // settings, which the ripper reports when a rip needs them.
  const HRESULT created = CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(AudioCDRipperLameMP3Encoder.put()));
  if (FAILED(created))
    ui::Application().MessageBox("The MP3 encoder settings could not be made: the MP3 options have no effect.",
                                 "Options", MB_OK | MB_ICONWARNING);
  LoadSettings();
  ApplySettings();
}

void TfrmOption::ShowSettings(const OptionSettings& s) {
  cmbMp3MinBitrate->SetItemIndex(s.Mp3MinBitrate);
  cmbMp3MaxBitrate->SetItemIndex(s.Mp3MaxBitrate);
  cmbMp3Freq->SetItemIndex(s.Mp3Freq);
  cmbMp3Channel->SetItemIndex(s.Mp3Channels);
  cmbMp3MpegQuality->SetItemIndex(s.Mp3MpegQuality);
  cmbMp3VBRQuality->SetItemIndex(s.Mp3VBRQuality);
  // SetChecked raises no click: the VBR controls follow by hand.
  chkMp3VBR->SetChecked(s.Mp3VBR);
  chkMp3WriteVBRHeader->SetChecked(s.Mp3VBRHeader);
  chkMp3VBRClick(chkMp3VBR);
  cmbOggBitrate->SetItemIndex(s.OggBitrate);
  cmbOggFreq->SetItemIndex(s.OggFreq);
  cmbOggChannel->SetItemIndex(s.OggChannel);
  cmbOggQuality->SetItemIndex(s.OggQuality);
  cmbFreeDBServer->SetItemIndex(s.FreeDBServer);
  edtFreeDBMail->SetText(s.FreeDBMail);
  edtFreeDBCgi->SetText(s.FreeDBCgi);
  edtFreeDBTimeOut->SetText(s.FreeDBTimeOut);
  edtOutput->SetText(s.RipperOutputPath);
  cmbFilename->SetItemIndex(s.FileName);
}

OptionSettings TfrmOption::Settings() {
  OptionSettings s;
  s.Mp3MinBitrate = cmbMp3MinBitrate->ItemIndex();
  s.Mp3MaxBitrate = cmbMp3MaxBitrate->ItemIndex();
  s.Mp3Freq = cmbMp3Freq->ItemIndex();
  s.Mp3Channels = cmbMp3Channel->ItemIndex();
  s.Mp3MpegQuality = cmbMp3MpegQuality->ItemIndex();
  s.Mp3VBRQuality = cmbMp3VBRQuality->ItemIndex();
  s.Mp3VBR = chkMp3VBR->Checked();
  s.Mp3VBRHeader = chkMp3WriteVBRHeader->Checked();
  s.OggBitrate = cmbOggBitrate->ItemIndex();
  s.OggFreq = cmbOggFreq->ItemIndex();
  s.OggChannel = cmbOggChannel->ItemIndex();
  s.OggQuality = cmbOggQuality->ItemIndex();
  s.FreeDBServer = cmbFreeDBServer->ItemIndex();
  s.FreeDBMail = edtFreeDBMail->Text();
  s.FreeDBCgi = edtFreeDBCgi->Text();
  s.FreeDBTimeOut = edtFreeDBTimeOut->Text();
  s.RipperOutputPath = edtOutput->Text();
  s.FileName = cmbFilename->ItemIndex();
  return s;
}

void TfrmOption::LoadSettings() {
  ShowSettings(LoadSettingsFile(context_.Shared.SettingsPath(), edtOutput->Text(), context_.Shared.AppFolder));
  context_.Shared.SetOutputFolder(edtOutput->Text());
}

bool TfrmOption::SaveSettings() { return SaveSettingsFile(context_.Shared.SettingsPath(), Settings()); }

void TfrmOption::ApplySettings() {
  const OptionSettings s = Settings();
  TfrmMain* main = context_.frmMain;
  IAudioCDRipper* ripper = main ? main->AudioCDRipper1.get() : nullptr;
  // The ripper reports its own failures through its Error event.
  if (ripper && AudioCDRipperLameMP3Encoder) ApplyFormats(*ripper, *AudioCDRipperLameMP3Encoder.get(), s);
  ApplySharedSettings(context_.Shared, s);
  if (main) main->ShowOutputPath();
}

void TfrmOption::bOkClick(ui::TComponent*) {
  // A time-out that is not a number is refused before anything is written or applied.
  if (!ParseCddbTimeOut(edtFreeDBTimeOut->Text())) {
    kivPageControl->SetActivePage(tbsFreeDB);
    ui::Application().MessageBox("FreeDB TimeOut must be a whole number of milliseconds, such as 7000.",
                                 "Options", MB_OK | MB_ICONWARNING);
    edtFreeDBTimeOut->SetFocus();
    return;
  }
  const bool saved = SaveSettings();
  ApplySettings();
  if (!saved)
    ui::Application().MessageBox("The settings are used now but could not be saved in " +
                                     context_.Shared.SettingsPath() + ".",
                                 "Options", MB_OK | MB_ICONWARNING);
  SetModalResult(ui::mrOk);
}

void TfrmOption::chkMp3VBRClick(ui::TComponent*) {
  const bool vbr = chkMp3VBR->Checked();
  cmbMp3MaxBitrate->SetEnabled(vbr);
  cmbMp3VBRQuality->SetEnabled(vbr);
  chkMp3WriteVBRHeader->SetEnabled(vbr);
}

void TfrmOption::bSetOutputClick(ui::TComponent*) {
  TfrmPathSelect* select = context_.frmPathSelect;
  if (!select) return;
  select->ShowModal();
  const std::string folder = select->Result;
  if (folder.empty()) return;
  if (!FolderTakesNewFile(folder)) {
    ui::Application().MessageBox("The path can't set as output path", "Options", MB_OK | MB_ICONWARNING);
    return;
  }
  edtOutput->SetText(folder);
}

}  // namespace app
