// The main window's CD playback and its answer to device changes.
#include "Main.h"

#include <dbt.h>

#include "DiscSerial.h"
#include "KIVButton.h"
#include "ModalWait.h"

namespace app {

void TfrmMain::bPlayCDClick(ui::TComponent*) {
  const ui::TListItem* row = lvCD->Selected();
  if (row) playback_.Play(row->Index());
}

void TfrmMain::bStopCDClick(ui::TComponent*) { playback_.Stop(); }

void TfrmMain::tmPlayTimer(ui::TComponent*) { playback_.Tick(lvCD->Selected() != nullptr); }

// "Play track" plays the chosen row: with none chosen it cannot be pressed, whatever stopped.
void TfrmMain::SetPlayEnabled(bool enabled) { btnPlayCD->SetEnabled(enabled && lvCD->Selected() != nullptr); }
void TfrmMain::SetStopEnabled(bool enabled) { btnStopCD->SetEnabled(enabled); }
void TfrmMain::SetPlayInfo(const std::string& text) { lbPlayInfo->SetCaption(text); }
void TfrmMain::SetPlayTimer(bool on) { tmPlay->SetEnabled(on); }

void TfrmMain::WndProc(ui::TMessage& Message) {
  // A CDDB look-up holds the window as a modal dialog would (MainRip.cpp): it cannot be closed
  // meanwhile, a device change is read once the look-up is over, and the wait cursor shows.
  const bool lookingUp = ModalWait::Active();
  switch (Message.Msg) {
    case WM_CLOSE:
      if (lookingUp) return;
      break;
    case WM_DEVICECHANGE:
      if (lookingUp) deviceChangedDuringLookUp_ = true;
      else DeviceChanged();
      break;
    case WM_SETCURSOR:
      if (!lookingUp) break;
      ::SetCursor(ModalWait::Cursor());
      Message.Result = TRUE;
      return;
    default:
      break;
  }
  TForm::WndProc(Message);
}

bool TfrmMain::DeviceChanged() {
  // The rip job works through the lists as they are: the disc is read when it ends.
  if (context_.Shared.Ripping) {
    discChangedDuringRip_ = true;
    return false;
  }
  // Any kind of device message: only another disc (or none known) reads the disc again.
  const std::string serial = ReadVolumeSerial(CurrentDriveLetter());
  if (!DiscChanged(serial, context_.Shared.DiscSerial)) return false;
  ReadDriveAndDisc(CmbDevice->ItemIndex() + 1);
  ReadTrackLists();
  ShowTrackRows();
  context_.Shared.DiscSerial = serial;
  return true;
}

}  // namespace app
