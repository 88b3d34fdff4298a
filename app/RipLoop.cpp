// The rip loop of TfrmProgress: the job's tracks ripped one at a time, the next started from the
// report that the one before reached 100 percent, and the tags of every track ripped whole
// written when the job ends, however it ends.
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "com/Bstr.h"

#include "Application.h"
#include "Main.h"
#include "OptionUt.h"
#include "OutputNames.h"
#include "ProgressUt.h"
#include "RipPaths.h"
#include "TextRoutines.h"
#include "TrackTags.h"
#include "ZEVDiscRipper.h"

namespace app {

namespace {

// How long a new job waits for a stopped rip to report its end: the ripper ends a stopped rip
// at its next progress report and then waits at most four seconds for the drive.
constexpr DWORD kStoppedRipWaitMs = 10000;

std::string Percent(int value) { return std::to_string(value) + "%"; }

}  // namespace

const char* ExtensionOf(RipFormat format) {
  switch (format) {
    case RipFormat::Wav: return ".wav";
    case RipFormat::Ogg: return ".ogg";
    default: return ".mp3";
  }
}

std::string RipErrorText(long code, int track, const std::string& path) {
  std::string what;
  switch (code) {
    case INIT_FAILED: what = "the CD ripper component is not available"; break;
    case NO_DRIVES: what = "no CD drive was found"; break;
    case DRIVE_BUSY: what = "the CD drive is busy"; break;
    case ASPI_DRIVER: what = "the CD drive could not be opened"; break;
    case TIMEOUT: what = "the CD drive did not answer in time"; break;
    case OPERATION_FAILED: what = "the disc could not be read"; break;
    // The ripper also says so when the drive is not ready or does not answer about its disc.
    case MEDIA_CHANGED: what = "the disc was taken out or changed, or the drive is not ready"; break;
    case FILE_ACCESS: what = "the file " + path + " could not be written"; break;
    case FORMAT_NOT_SUPPORT: what = "the output format cannot be written here"; break;
    case OUT_OF_MEMORY: what = "there was not enough memory"; break;
    case INVALID_PARAM: what = "the ripper refused a setting"; break;
    default: what = "the ripper reported error " + std::to_string(code); break;
  }
  return "Track " + TwoDigits(track) + " was not ripped: " + what + ".";
}

std::string TfrmProgress::TitleOf(int track) const {
  const auto& titles = context_.Tracks.TrackTitles;
  return track >= 1 && static_cast<std::size_t>(track) <= titles.size() ? titles[track - 1] : "Track " + TwoDigits(track);
}

void TfrmProgress::RunJob(const std::vector<int>& tracks, RipFormat format, const std::string& formatText) {
  // "Rip Now" pressed again while the last stopped rip is awaited starts nothing more.
  if (waiting_) return;
  waiting_ = true;
  WaitForStoppedRip();
  waiting_ = false;
  tracks_ = tracks;
  paths_.clear();
  format_ = format;
  index_ = 0;
  kivProgressBarNow->SetPosition(0);
  kivProgressBarTotal->SetPosition(0);
  lbNow->SetCaption("Now Extract:");
  lbTotal->SetCaption("Total Extract:");
  kivForm->SetCaption("Extract CD Progress Output Format: " + formatText);
  bCancel->SetCaption("Cancel ...");
  context_.Shared.Ripping = true;
  // The first track starts before the dialog shows; an error starting it is shown in it.
  StartTrack();
  ShowModal();
  // The application ending ends the modal loop without closing the dialog: the job stops as
  // by "Cancel ...", and the ripper ends the stopped rip's file before the windows go.
  if (context_.Shared.Ripping) {
    StopJob();
    WaitForStoppedRip();
  }
}

void TfrmProgress::WaitForStoppedRip() {
  const DWORD start = GetTickCount();
  while (staleEnds_ > 0 && GetTickCount() - start < kStoppedRipWaitMs) {
    ui::Application().ProcessMessages();
    if (staleEnds_ > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  // A rip that still runs then refuses the new one as busy, which ends that job with a message.
  staleEnds_ = 0;
}

void TfrmProgress::StartTrack() {
  const int track = tracks_.at(index_);
  std::string path;
  starting_ = true;
  try {
    const std::string base =
        context_.Shared.OutputFolder() +
        BuildOutputName(context_.Shared.NamingScheme, track, context_.Tracks, context_.Shared.OutputFolder());
    const bool addNew = !context_.frmOption || context_.frmOption->rbAddNew->Checked();
    const std::string extension = ExtensionOf(format_);
    const std::string name = ChooseRipName(base, extension, addNew, paths_);
    path = name + extension;
    paths_.push_back(path);
    IAudioCDRipper* ripper = Ripper();
    if (!ripper) throw std::runtime_error("no ripper");
    ripper->put_trackNum(track);
    const com::bstr file = com::bstr::from_ansi(name);
    switch (format_) {
      case RipFormat::Wav: ripper->RipTrackToWav(file.get()); break;
      case RipFormat::Ogg: ripper->RipTrackToOGG(file.get()); break;
      default: ripper->RipTrackToMP3(file.get()); break;
    }
  } catch (const std::exception&) {
    starting_ = false;
    if (context_.Shared.Ripping) EndJob(RipErrorText(INIT_FAILED, track, path));
    return;
  }
  starting_ = false;
}

void TfrmProgress::RipProgress(long percent) {
  if (staleEnds_ > 0) {
    // The end of a rip that was stopped: it belongs to no job that runs now.
    if (percent >= 100) --staleEnds_;
    if (!context_.Shared.Ripping) SetPlayInfo("Extract Stop");
    ReadDiscIfChanged();
    return;
  }
  if (!context_.Shared.Ripping || index_ >= tracks_.size()) {
    context_.Shared.Ripping = false;
    SetPlayInfo("Extract Stop");
    return;
  }
  const int now = static_cast<int>(percent);
  kivProgressBarNow->SetPosition(now);
  const std::string title = TitleOf(tracks_[index_]) + " " + Percent(now);
  lbNow->SetCaption("Now Extract: " + title);
  SetPlayInfo("Now Extracting: " + title);
  kivProgressBarTotal->SetPosition((now + static_cast<int>(index_) * 100) / static_cast<int>(tracks_.size()));
  lbTotal->SetCaption("Total Extract: " + Percent(kivProgressBarTotal->Position()));
  if (percent < 100) return;
  if (++index_ < tracks_.size()) return StartTrack();
  FinishJob();
}

void TfrmProgress::RipError(long code) {
  if (!context_.Shared.Ripping) return;
  // An error while a rip call is made means no rip started; the worker failing to open the
  // drive ends it without a report. Any other error ends the rip with its RipProgress 100.
  if (!starting_ && code != ASPI_DRIVER && code != DRIVE_BUSY) ++staleEnds_;
  if (code == MEDIA_CHANGED && context_.frmMain) context_.frmMain->DiscLostDuringRip();
  const int track = index_ < tracks_.size() ? tracks_[index_] : 0;
  const std::string path = index_ < paths_.size() ? paths_[index_] : std::string();
  // The ripper refuses a file the encoder cannot write as a format it cannot write.
  if (code == FORMAT_NOT_SUPPORT && format_ != RipFormat::Wav && !FileMayBeWritten(path)) code = FILE_ACCESS;
  EndJob(RipErrorText(code, track, path));
}

void TfrmProgress::EndJob(const std::string& reason) {
  if (IAudioCDRipper* ripper = Ripper()) ripper->StopRip();
  const std::string tagging = EndRipping();
  lbNow->SetCaption(tagging.empty() ? reason : reason + " " + tagging);
  bCancel->SetCaption("Close");
  SetPlayInfo("Extract Stop");
  ReadDiscIfChanged();
}

void TfrmProgress::FinishJob() {
  const std::string tagging = EndRipping();
  bCancel->SetCaption("Extract Finished!");
  SetPlayInfo("Extract Finished!");
  if (!tagging.empty()) lbNow->SetCaption(tagging);
  ReadDiscIfChanged();
}

std::string TfrmProgress::EndRipping() {
  context_.Shared.Ripping = false;
  // The tracks before the current one reported 100 percent: their files are whole, however the
  // job ends. The current one's is a fragment, or nothing, unless the job finished.
  const std::size_t whole = std::min({index_, paths_.size(), tracks_.size()});
  if (whole == 0) return {};
  if (!tags_) CoCreateInstance(CLSID_AudioInformation, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(tags_.put()));
  int untagged = 0;
  for (std::size_t i = 0; i < whole; ++i)
    if (!tags_ || !WriteTrackTags(*tags_.get(), paths_[i], context_.Tracks, tracks_[i])) ++untagged;
  return untagged > 0 ? "The tags could not be written to " + std::to_string(untagged) + " of the files." : "";
}

void TfrmProgress::ReadDiscIfChanged() {
  // Only once the ripper has ended its last rip: it reads no disc while one runs.
  if (context_.frmMain && !context_.Shared.Ripping && staleEnds_ == 0) context_.frmMain->RipJobEnded();
}

}  // namespace app
