// The three steps that read the drive and the disc through the ripper into what the main
// window shows: the disc type and the drive list, the per-track lists, and the rows of the
// track list. Every value read from the ripper starts initialised, because a failing getter
// leaves its out value unwritten: no drive or a failing ripper reads as "No Disk", "No CD
// Driver!" and no tracks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "SharedState.h"

struct IAudioCDRipper;

namespace app {

inline constexpr const char* kNoDrives = "No CD Driver!";

struct DriveAndDisc {
  std::optional<std::string> discType;  // none leaves the label as it is
  std::vector<std::string> drives;      // "D: name", or the single item kNoDrives
};

// The label text of a CDDiskTypeConstants value; none for a value without one.
std::optional<std::string> DiscTypeText(long cdType);

// Step 1. chosenDrive (1-based) is the drive the user chose, made current before the disc is
// read so the type shown is that drive's disc; 0 keeps the ripper's current drive.
DriveAndDisc ReadDriveAndDisc(IAudioCDRipper& ripper, long chosenDrive);

// Step 2: the per-track lists of drive driveNum (1-based), titles from the ripper's CDDB
// results where it has them, else "Track 01" ...; album and artist "Unknown", year "2003",
// genre "1".
void ReadTrackLists(IAudioCDRipper& ripper, long driveNum, TrackLists& lists);

// One row of the track list: number, title, length.
struct TrackRow {
  std::string number;
  std::string title;
  std::string duration;
};
// Step 3: the rows as the lists give them.
std::vector<TrackRow> TrackRows(const TrackLists& lists);

}  // namespace app
