// TfrmProgress, "Extract CD Progress": the rip loop's modal dialog with the bars of the track
// and of the whole job, and "Cancel ...". The loop itself (RipLoop.cpp) rips the job's tracks
// one after another, each started from the ripper's report that the one before reached 100
// percent, and tags every track ripped whole when the job ends, however it ends. Made at
// start-up in its place in the windows' creation order; the main window hands it the job and
// the ripper's events.
#pragma once

#include <string>
#include <vector>

#include "com/Ptr.h"

#include "AppForm.h"
#include "KIVButton.h"
#include "KIVGroupBox.h"
#include "KIVProgressBar.h"
#include "Label.h"
#include "ZEVAudioInformation.h"

struct IAudioCDRipper;

namespace app {

// The output formats of the main window's list, by index.
enum class RipFormat { Wav = 0, Mp3 = 1, Ogg = 2 };
const char* ExtensionOf(RipFormat format);

// What the user is told when the ripper reports code for the rip of track into path.
std::string RipErrorText(long code, int track, const std::string& path);

class TfrmProgress : public TAppForm {
  UI_CLASS(TfrmProgress, TAppForm)
 public:
  TfrmProgress(ui::TComponent* AOwner, AppContext& context);

  kiv::TkivGroupBox* kivGroupBox1 = nullptr;
  ui::TLabel *lbNow = nullptr, *lbTotal = nullptr;
  kiv::TkivProgressBar *kivProgressBarNow = nullptr, *kivProgressBarTotal = nullptr;
  kiv::TkivButton* bCancel = nullptr;

  // Rips the tracks (1-based numbers, in order) to the format and shows the dialog until the
  // user closes it. The caller has checked that the selection is not empty.
  void RunJob(const std::vector<int>& tracks, RipFormat format, const std::string& formatText);
  // The ripper's events, handed on by the main window.
  void RipProgress(long percent);
  void RipError(long code);
  void bCancelClick(ui::TComponent* Sender);

  // The job's tracks and the files their rips write, in order (a track not started yet has
  // no path).
  const std::vector<int>& JobTracks() const { return tracks_; }
  const std::vector<std::string>& RippedPaths() const { return paths_; }

 private:
  IAudioCDRipper* Ripper() const;
  void SetPlayInfo(const std::string& text);
  void WaitForStoppedRip();
  void StartTrack();
  void FinishJob();
  void EndJob(const std::string& reason);
  void StopJob();
  // Ends the job: every track ripped whole is tagged. What the user is told when tags could
  // not be written, else nothing.
  std::string EndRipping();
  void ReadDiscIfChanged();
  std::string TitleOf(int track) const;

  std::vector<int> tracks_;
  std::vector<std::string> paths_;
  RipFormat format_ = RipFormat::Mp3;
  std::size_t index_ = 0;
  // Rips stopped or failed whose closing RipProgress 100 has not come yet: their events are
  // not the running job's.
  int staleEnds_ = 0;
  // A rip call is being made: an error now means no rip was started.
  bool starting_ = false;
  // A new job waits for the end of a stopped rip (messages are handled meanwhile).
  bool waiting_ = false;
  com::ptr<IAudioInformation> tags_;
};

}  // namespace app
