// The fixture of the tests of the application's windows against the real ripper on a simulated
// drive: the main window (on a fake CD audio device), then the progress, edit, options and
// folder selection windows, made in the program's order with one shared context, the settings
// file and the output folder in a scratch folder of the test's own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EditUt.h"
#include "Main.h"
#include "OptionUt.h"
#include "PathSelect.h"
#include "ProgressUt.h"

#include "RipperTest.h"

// The tags of a file as the tag component reads them back.
struct FileTags {
  bool opened = false;
  std::string title, artist, album;
  short genre = -2;
  long year = -1;
};
FileTags TagsOf(const std::string& path);

class AppWindowsTest : public RipperTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the windows on drive 0:1:0 holding the disc "album" of these tracks (see the drive's
  // configuration file), with no settings file yet and the output folder `output` under the
  // scratch folder, made empty.
  void Open(const std::vector<std::string>& tracks, const std::string& output = "out");
  // The folder the rips go to, with a trailing backslash.
  const std::string& Output() const { return output_; }

  // Checks the rows (0-based) and only those.
  void CheckRows(const std::vector<int>& rows);
  // Presses "Options" and runs the action on the options dialog, then its "Ok".
  void ChangeOptions(const std::function<void(app::TfrmOption&)>& change);
  // Presses "Rip Now" with the format (0 WAV, 1 MP3, 2 Ogg), waits until the job ends, and
  // closes the dialog by its button; the button's caption at the end ("Extract Finished!" or
  // "Close" after an error). `during` runs while the job runs, at its first progress; when it
  // closes the dialog, nothing more is done. A picture of the dialog at the end is saved
  // under `capture` when one is given.
  std::string RipChecked(int format, const std::function<void()>& during = nullptr, const std::string& capture = "");

  std::vector<std::string> RowTitles();

  app::AppContext context_;
  app::TfrmMain* main_ = nullptr;
  std::unique_ptr<app::TfrmProgress> progress_;
  std::unique_ptr<app::TfrmEdit> edit_;
  std::unique_ptr<app::TfrmOption> option_;
  std::unique_ptr<app::TfrmPathSelect> pathSelect_;

 private:
  std::string output_;
};
