// The player window's layout: every component named, placed and given its stored values, with
// its handlers bound, as a window layout is read. The folder tree runs down the left side; on
// the right lie the play list, the progress slider, the volume row, and side by side the
// equalizer with its preset buttons and the level display with its display types.
#include "KIVButton.h"
#include "KIVForm.h"
#include "KIVGroupBox.h"
#include "KIVTrackBar.h"
#include "Label.h"
#include "Player.h"
#include "BmpPicture.h"
#include "FormPlacing.h"

#include "ZEVAudioDisplay.h"

namespace app {

namespace {

ui::TOleControl* PlaceOle(ui::TForm& form, ui::TWinControl* parent, const char* name, const CLSID& classId,
                          const IID& events, RECT bounds) {
  auto* control = new ui::TOleControl(&form, classId, events);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBoundsRect(bounds);
  return control;
}

}  // namespace

void TfrmPlayer::BuildLayout() {
  ui::TLayoutLoading loading(*this);
  OnShow = [this](ui::TComponent* sender) { FormShow(sender); };
  OnClose = [this](ui::TComponent* sender, ui::TCloseAction& action) { FormClose(sender, action); };
  ui::TWinControl* skin = kivForm;
  const int top = kivForm->TitleBar().Height();
  const int right = ClientWidth() - 2 * kivForm->BorderWidth();

  auto* images = ui::Create<ui::TCustomImageList>(this, 32, 32);
  images->SetName("ImageList1");
  // One strip of the tool-bar pictures, drawn with the main window's, magenta left out.
  ui::TBitmap strip;
  if (LoadBmpResource("PLAYER_TOOLBAR_PICTURES", strip)) images->AddMasked(strip, ui::clFuchsia);
  kivToolBar1 = Place<kiv::TkivToolBar>(*this, skin, "kivToolBar1", 0, top, right, 58);
  kivToolBar1->SetFlat(true);
  kivToolBar1->SetShowCaptions(true);
  kivToolBar1->SetImages(images);
  kivToolBar1->SetButtonWidth(62);
  kivToolBar1->SetButtonHeight(54);
  kivToolBar1->SetWrapable(false);
  int image = 0;
  const auto button = [&](ui::TToolButton*& field, const char* name, const char* caption, const char* hint,
                          void (TfrmPlayer::*handler)(ui::TComponent*)) {
    field = PlaceToolButton(*this, kivToolBar1, name, caption, hint, image++, handler);
  };
  button(btnPlay, "btnPlay", "Play", "", &TfrmPlayer::btnPlayClick);
  button(bPause, "bPause", "Pause", "", &TfrmPlayer::bPauseClick);
  button(bStop, "bStop", "Stop", "", &TfrmPlayer::bStopClick);
  button(bOutputPath, "bOutputPath", "    Folder    ", "Go to folder", &TfrmPlayer::bOutputPathClick);
  button(bRipper, "bRipper", "Ripper", "", &TfrmPlayer::bRipperClick);
  button(ToolButton1, "ToolButton1", "Recorder", "", &TfrmPlayer::ToolButton1Click);
  button(ToolButton2, "ToolButton2", "Converter", "", &TfrmPlayer::ToolButton2Click);
  button(bHelp, "bHelp", "Help", "", &TfrmPlayer::btnHelpClick);
  button(bHome, "bHome", "Home", "Talvo Home Site", &TfrmPlayer::btnHomeClick);
  button(bAbout, "bAbout", "About", "About Ombrel", &TfrmPlayer::btnAboutClick);

  const int body = top + 62;
  const int bottom = ClientHeight() - kivForm->BorderWidth() - 6;
  STV = Place<ui::TShellTreeView>(*this, skin, "STV", 6, body, 216, bottom - body);
  STV->SetHideSelection(false);
  STV->OnClick = [this](ui::TComponent* sender) { STVClick(sender); };
  STV->OnChange = [this](ui::TComponent* sender, ui::TTreeNode* node) { STVChange(sender, node); };
  STV->OnChanging = [this](ui::TComponent* sender, ui::TTreeNode* node, bool& allow) {
    STVChanging(sender, node, allow);
  };

  const int x = 228, width = right - x - 6;
  lvPlayList = Place<kiv::TkivListView>(*this, skin, "lvPlayList", x, body, width, 200);
  lvPlayList->SetViewStyle(ui::vsReport);
  lvPlayList->SetGridLines(true);
  lvPlayList->SetRowSelect(true);
  lvPlayList->SetReadOnly(true);
  lvPlayList->SetHideSelection(false);
  const struct {
    const char* caption;
    int width;
    ui::TAlignment alignment;
  } columns[] = {{"File name", 163, ui::taLeftJustify},
                 {"Format", 48, ui::taLeftJustify},
                 {"Duration", 90, ui::taRightJustify},
                 {"File size", 70, ui::taRightJustify},
                 {"Status", 180, ui::taCenter}};
  for (const auto& c : columns) {
    ui::TListColumn* column = lvPlayList->Columns().Add();
    column->SetCaption(c.caption);
    column->SetWidth(c.width);
    column->SetAlignment(c.alignment);
  }
  lvPlayList->OnColumnClick = [this](ui::TComponent* sender, ui::TListColumn* column) {
    lvPlayListColumnClick(sender, column);
  };
  lvPlayList->OnCompare = [this](ui::TComponent* sender, ui::TListItem* a, ui::TListItem* b, int data, int& result) {
    lvPlayListCompare(sender, a, b, data, result);
  };

  int y = body + 206;
  tbPlaybackProgress = Place<kiv::TkivTrackBar>(*this, skin, "tbPlaybackProgress", x, y, width, 20);
  tbPlaybackProgress->SetMin(0);
  tbPlaybackProgress->SetMax(1000);
  tbPlaybackProgress->SetPageSize(50);
  tbPlaybackProgress->SetPosition(0);
  tbPlaybackProgress->OnMouseUp = [this](ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift,
                                         int X, int Y) { tbPlaybackProgressMouseUp(sender, button, shift, X, Y); };

  y += 28;
  auto* lbVolume = Place<ui::TLabel>(*this, skin, "lbVolume", x, y + 3, 50, 16);
  lbVolume->SetCaption("Volume:");
  lbVolume->SetTransparent(true);
  tbPlaybackVolume = Place<kiv::TkivTrackBar>(*this, skin, "tbPlaybackVolume", x + 54, y, 200, 20);
  tbPlaybackVolume->SetMin(0);
  tbPlaybackVolume->SetMax(65535);
  tbPlaybackVolume->SetPageSize(4096);
  tbPlaybackVolume->SetHint("Adjust playback volume");
  tbPlaybackVolume->OnChange = [this](ui::TComponent* sender) { tbPlaybackVolumeChange(sender); };
  // A drag's last place is announced only at a further move: the release sets it too.
  tbPlaybackVolume->OnMouseUp = [this](ui::TComponent* sender, ui::TMouseButton, ui::TShiftState, int, int) {
    tbPlaybackVolumeChange(sender);
  };
  cboxMute = Place<kiv::TkivCheckBox>(*this, skin, "cboxMute", x + 272, y + 1, 70, 18);
  cboxMute->SetCaption("Mute");
  cboxMute->SetTransparent(true);
  cboxMute->SetHint("Mute the playback");
  cboxMute->OnClick = [this](ui::TComponent* sender) { cboxMuteClick(sender); };
  cboxEQ = Place<kiv::TkivCheckBox>(*this, skin, "cboxEQ", x + 352, y + 1, 80, 18);
  cboxEQ->SetCaption("Use EQ");
  cboxEQ->SetTransparent(true);
  cboxEQ->SetChecked(true);
  cboxEQ->SetHint("Check to use EQ,");
  cboxEQ->OnClick = [this](ui::TComponent* sender) { cboxEQClick(sender); };

  y += 30;
  const int groupHeight = bottom - y;
  gbEqualizer = Place<kiv::TkivGroupBox>(*this, skin, "gbEqualizer", x, y, 322, groupHeight);
  gbEqualizer->SetCaption("Equalizer");
  AE = PlaceOle(*this, gbEqualizer, "AE", CLSID_ZEVEqualizer, DIID__IZEVEqualizerEvents,
                RECT{11, 22, 311, 172});
  AE->SetEvent(1, [this](const DISPPARAMS& params) {
    if (params.cArgs == 1 && params.rgvarg[0].vt == VT_I4) AEValueChange(params.rgvarg[0].lVal);
  });
  const char* presetHints[] = {"Pop", "Disco", "Background", "Movie", "News"};
  kiv::TkivButton** presets[] = {&sbtnMode1, &sbtnMode2, &sbtnMode3, &sbtnMode4, &sbtnMode5};
  for (int i = 0; i < 5; ++i) {
    const std::string name = "sbtnMode" + std::to_string(i + 1);
    auto* preset = Place<kiv::TkivButton>(*this, gbEqualizer, name.c_str(), 11 + 36 * i, 180, 32, 22);
    preset->SetCaption(std::to_string(i + 1));
    preset->SetHint(presetHints[i]);
    preset->OnClick = [this](ui::TComponent* sender) { sbtnMode1Click(sender); };
    *presets[i] = preset;
  }
  sbtnFlat = Place<kiv::TkivButton>(*this, gbEqualizer, "sbtnFlat", 279, 180, 32, 22);
  sbtnFlat->SetCaption("F");
  sbtnFlat->SetHint("Flat EQ");
  sbtnFlat->OnClick = [this](ui::TComponent* sender) { sbtnFlatClick(sender); };

  const int displayX = x + 328, displayWidth = width - 328;
  gbDisplay = Place<kiv::TkivGroupBox>(*this, skin, "gbDisplay", displayX, y, displayWidth, groupHeight);
  gbDisplay->SetCaption("Display");
  AD = PlaceOle(*this, gbDisplay, "AD", CLSID_ZEVAudioDisplay, IID_NULL, RECT{11, 22, displayWidth - 11, 152});
  const char* types[] = {"Outline", "Scope", "Fire", "Glass", "Kryptonite"};
  kiv::TkivRadioButton** radios[] = {&kivRadioButton1, &kivRadioButton2, &kivRadioButton3, &kivRadioButton4,
                                     &kivRadioButton5};
  for (int i = 0; i < 5; ++i) {
    const std::string name = "kivRadioButton" + std::to_string(i + 1);
    // "Kryptonite" ends the second row, where it has room.
    auto* radio = Place<kiv::TkivRadioButton>(*this, gbDisplay, name.c_str(), 11 + (i % 3) * 72,
                                              160 + (i / 3) * 22, i == 4 ? 100 : 70, 18);
    radio->SetCaption(types[i]);
    radio->SetTransparent(true);
    radio->SetChecked(i == 2);
    radio->OnClick = [this, i](ui::TComponent*) { DisplayTypeClick(i); };
    *radios[i] = radio;
  }

  AP = PlaceOle(*this, skin, "AP", CLSID_AudioPlayer, DIID__IAudioPlayerEvents, RECT{0, 0, 24, 24});
  AP->SetEvent(1, [this](const DISPPARAMS&) { APRequestOnLoadBlock(); });
  AP->SetEvent(2, [this](const DISPPARAMS&) { APRequestOnLoadBlock(); });
  AP->SetEvent(3, [this](const DISPPARAMS&) { APEndPlay(); });
  AP->SetEvent(4, [this](const DISPPARAMS& params) {
    // Arguments arrive last to first: CurrentSamples is the third from the end.
    if (params.cArgs == 3 && params.rgvarg[2].vt == VT_I4) APTimer(params.rgvarg[2].lVal);
  });
}

}  // namespace app
