// The main window's rip and track-information handlers: "Rip Now" hands the checked tracks to
// the progress dialog's rip loop, which the ripper's events reach through here; "Get CDDB"
// asks the ripper for the disc's titles; "Edit track Info." opens the edit dialog.
#include "Main.h"

#include <dbt.h>

#include "com/Bstr.h"
#include "com/LateBound.h"

#include "EditUt.h"
#include "KIVDlg.h"
#include "ModalWait.h"
#include "ProgressUt.h"
#include "ZEVDiscRipper.h"

namespace app {

namespace {

// The ripper's agent name sent to CDDB servers.
constexpr const char* kCddbAgentName = "Quorrel";

}  // namespace

void TfrmMain::BindRipHandlers() {
  bExtract->OnClick = [this](ui::TComponent* sender) { bExtractClick(sender); };
  ToolButton2->OnClick = [this](ui::TComponent* sender) { ToolButton6Click(sender); };
  btnEdit->OnClick = [this](ui::TComponent* sender) { bEditClick(sender); };
  AudioCDRipper1.OnRipProgress = [this](long percent) { AudioCDRipper1RipProgress(percent); };
  AudioCDRipper1.OnError = [this](long code) { AudioCDRipper1Error(code); };
}

int TfrmMain::AskUser(const std::string& caption, const std::string& text, kiv::TkivIconType icon,
                      bool withOk) {
  kivMessageDialog->SetCaption(caption);
  kivMessageDialog->SetText(text);
  kivMessageDialog->SetIconType(icon);
  kivMessageDialog->SetButtonCount(withOk ? 2 : 1);
  kivMessageDialog->SetButton1Caption(withOk ? "Ok" : "Cancel");
  kivMessageDialog->SetButton1ModalResult(withOk ? ui::mrOk : ui::mrCancel);
  kivMessageDialog->SetButton2Caption("Cancel");
  kivMessageDialog->SetButton2ModalResult(ui::mrCancel);
  return kivMessageDialog->ShowModal();
}

void TfrmMain::bExtractClick(ui::TComponent*) {
  playback_.StopForDiscWork();
  SelectedTracks.clear();
  for (int i = 0; i < lvCD->Items().Count(); ++i)
    if (lvCD->Items()[i]->Checked()) SelectedTracks.push_back(i + 1);
  TfrmProgress* progress = context_.frmProgress;
  progress->kivProgressBarNow->SetPosition(0);
  progress->kivProgressBarTotal->SetPosition(0);
  if (SelectedTracks.empty()) {
    AskUser("Please Select!", "Now you must select some track to ripper!", kiv::TkivIconType::kivWarning, false);
    return;
  }
  const int format = cmbOutput->ItemIndex();
  progress->RunJob(SelectedTracks, static_cast<RipFormat>(format < 0 ? 1 : format),
                   format < 0 ? std::string("Mp3") : cmbOutput->Items()[format]);
}

void TfrmMain::AudioCDRipper1RipProgress(long Percent) {
  if (context_.frmProgress) context_.frmProgress->RipProgress(Percent);
}

void TfrmMain::AudioCDRipper1Error(long Errcode) {
  if (context_.frmProgress) context_.frmProgress->RipError(Errcode);
}

void TfrmMain::RipJobEnded() {
  if (!discChangedDuringRip_) return;
  discChangedDuringRip_ = false;
  // The job ends inside one of the ripper's events, where the ripper reads no disc: the
  // change is answered from the message loop.
  PostMessageA(Handle(), WM_DEVICECHANGE, DBT_CONFIGCHANGED, 0);
}

void TfrmMain::DiscLostDuringRip() {
  discChangedDuringRip_ = true;
  // The same disc put back has the same serial; an empty one reads the drive in any case.
  context_.Shared.DiscSerial.clear();
}

bool TfrmMain::LookUpTitles(IAudioCDRipper& ripper) {
  const SharedSettings& shared = context_.Shared;
  // The four texts by name, as a script would set them.
  const auto text = [&ripper](const wchar_t* name, const std::string& value) {
    const com::bstr wide = com::bstr::from_ansi(value);
    com::putProperty(&ripper, name, com::variant(std::wstring_view(wide.get(), SysStringLen(wide.get()))));
  };
  text(L"cddbServerAddress", shared.CddbServer);
  text(L"cddbCGIScript", shared.CddbCgiScript);
  text(L"cddbAgentName", kCddbAgentName);
  text(L"cddbUserEMail", shared.CddbUserEMail);
  ripper.put_cddbTimeOut(shared.CddbTimeOut);
  // The ripper serves its other threads' calls while the server answers, and with them this
  // thread's messages: the window repaints, but takes no input until the look-up is over.
  const ModalWait wait;
  VARIANT_BOOL found = VARIANT_FALSE;
  return SUCCEEDED(ripper.GetCDDBInfo(ALL, &found)) && found == VARIANT_TRUE;
}

void TfrmMain::ToolButton6Click(ui::TComponent*) {
  IAudioCDRipper* ripper = AudioCDRipper1.get();
  bool found = ripper && LookUpTitles(*ripper);
  if (deviceChangedDuringLookUp_) {
    deviceChangedDuringLookUp_ = false;
    // What was found is for the disc that was asked about, not for one read since.
    if (DeviceChanged()) found = false;
  }
  if (!found) {
    AskUser("Get CDDB Information!", "Now can not find this CD Information!", kiv::TkivIconType::kivWarning, false);
    return;
  }
  com::bstr album;  // a failing getter leaves it empty
  ripper->get_cddbInfoAlbum(album.put());
  // The album found starts a line of its own: wrapped where the line is full, the question
  // would part it from its "<".
  if (AskUser("Get CDDB Information!",
              "Now get this CD Information:\r\n< " + com::to_ansi(album.get()) + " >\r\nDo you want to use it?",
              kiv::TkivIconType::kivInformation, true) != ui::mrOk)
    return;
  ReadTrackLists();
  ShowTrackRows();
}

void TfrmMain::bEditClick(ui::TComponent*) {
  if (ui::TListItem* row = lvCD->Selected()) context_.frmEdit->EditTrack(row->Index());
}

}  // namespace app
