#include "ProgressUt.h"

#include "FormPlacing.h"
#include "Main.h"
#include "ZEVDiscRipper.h"

namespace app {

TfrmProgress::TfrmProgress(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmProgress", "Extract CD Progress", 346, 174, kiv::TkivUIStyle::Protein) {
  context.frmProgress = this;
  ui::TLayoutLoading loading(*this);
  kivForm->SetName("kivfrmProgress");
  const int top = kivForm->TitleBar().Height();
  const int width = 346 - 2 * kivForm->BorderWidth();
  kivGroupBox1 = Place<kiv::TkivGroupBox>(*this, kivForm, "kivGroupBox1", 8, top + 6, width - 16, 112);
  kivGroupBox1->SetCaption("");
  // Three lines for the track, or for why the job ended.
  lbNow = Place<ui::TLabel>(*this, kivGroupBox1, "lbNow", 12, 10, width - 40, 42);
  lbNow->SetAutoSize(false);
  lbNow->SetWordWrap(true);
  lbNow->SetCaption("Now Extract:");
  const auto bar = [&](kiv::TkivProgressBar*& field, const char* name, int barTop) {
    field = Place<kiv::TkivProgressBar>(*this, kivGroupBox1, name, 12, barTop, width - 40, kiv::TkivProgressBar::kThickness);
    field->SetMin(0);
    field->SetMax(100);
    field->SetShowCaption(true);
    field->SetUIStyle(kiv::TkivUIStyle::MacOS);
  };
  bar(kivProgressBarNow, "kivProgressBarNow", 54);
  lbTotal = Place<ui::TLabel>(*this, kivGroupBox1, "lbTotal", 12, 72, width - 40, 16);
  lbTotal->SetAutoSize(false);
  lbTotal->SetCaption("Total Extract:");
  bar(kivProgressBarTotal, "kivProgressBarTotal", 90);
  bCancel = PlaceButton(*this, kivForm, "bCancel", "Cancel ...", width - 128, top + 126, 120);
  bCancel->OnClick = [this](ui::TComponent* sender) { bCancelClick(sender); };
  // Escape stops the job as the button does.
  SetDialogKeys(nullptr, bCancel);
  // Closed by its title bar, the dialog acts as "Cancel ...": a job is never left running
  // behind a window that is gone.
  OnClose = [this](ui::TComponent*, ui::TCloseAction&) { StopJob(); };
}

IAudioCDRipper* TfrmProgress::Ripper() const {
  return context_.frmMain ? context_.frmMain->AudioCDRipper1.get() : nullptr;
}

void TfrmProgress::SetPlayInfo(const std::string& text) {
  if (context_.frmMain) context_.frmMain->lbPlayInfo->SetCaption(text);
}

void TfrmProgress::bCancelClick(ui::TComponent*) {
  StopJob();
  Close();
}

void TfrmProgress::StopJob() {
  if (IAudioCDRipper* ripper = Ripper()) ripper->StopRip();
  if (context_.Shared.Ripping) {
    // The track being ripped still reports its end.
    ++staleEnds_;
    const std::string tagging = EndRipping();
    if (!tagging.empty()) lbNow->SetCaption(tagging);
    SetPlayInfo("Extract Stop");
    ReadDiscIfChanged();
  }
  bCancel->SetCaption("Cancel ...");
}

}  // namespace app
