#include "DiscReading.h"

#include "com/Bstr.h"

#include "ZEVDiscRipper.h"

#include "TextRoutines.h"

namespace app {

namespace {

long LongOf(IAudioCDRipper& ripper, HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*getter)(long*)) {
  long value = 0;
  return SUCCEEDED((ripper.*getter)(&value)) ? value : 0;
}

std::string TextOf(IAudioCDRipper& ripper, HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*getter)(BSTR*)) {
  com::bstr value;
  return SUCCEEDED((ripper.*getter)(value.put())) ? com::to_ansi(value.get()) : std::string();
}

std::string OrDefault(std::string text, const char* fallback) { return text.empty() ? fallback : text; }

}  // namespace

std::optional<std::string> DiscTypeText(long cdType) {
  switch (cdType) {
    case 0: return "No Disk";
    case 1: return "CD-DA (Audio Disc)";
    case 2:
    case 3: return "Data CD";
    case 4: return "CD-Interactive";
    case 5: return "CD-Extra";
    default: return std::nullopt;
  }
}

DriveAndDisc ReadDriveAndDisc(IAudioCDRipper& ripper, long chosenDrive) {
  DriveAndDisc result;
  if (chosenDrive > 0) ripper.put_driveNum(chosenDrive);
  ripper.Refresh();
  ripper.put_driveReadType(CDRT_ANY);
  CDDiskTypeConstants type{};  // stays 0, "No Disk", when the getter fails
  ripper.get_cdType(&type);
  result.discType = DiscTypeText(type);
  const long count = LongOf(ripper, &IAudioCDRipper::get_driveCount);
  for (long k = 1; k <= count; ++k) {
    ripper.put_driveNum(k);
    result.drives.push_back(TextOf(ripper, &IAudioCDRipper::get_driveLetter) + " " +
                            TextOf(ripper, &IAudioCDRipper::get_driveName));
  }
  if (result.drives.empty()) result.drives.push_back(kNoDrives);
  return result;
}

void ReadTrackLists(IAudioCDRipper& ripper, long driveNum, TrackLists& lists) {
  lists.Clear();
  ripper.put_driveNum(driveNum);
  const long count = LongOf(ripper, &IAudioCDRipper::get_trackCount);
  for (long t = 1; t <= count; ++t) {
    ripper.put_trackNum(t);
    lists.TrackTitles.push_back(OrDefault(TextOf(ripper, &IAudioCDRipper::get_cddbInfoTitle),
                                          ("Track " + TwoDigits(t)).c_str()));
    lists.TrackDurations.push_back(FormatDuration(LongOf(ripper, &IAudioCDRipper::get_trackDuration)));
    lists.TrackAlbums.push_back(OrDefault(TextOf(ripper, &IAudioCDRipper::get_cddbInfoAlbum), "Unknown"));
    lists.TrackArtists.push_back(OrDefault(TextOf(ripper, &IAudioCDRipper::get_cddbInfoArtist), "Unknown"));
    lists.TrackYears.push_back("2003");
    lists.TrackGenres.push_back("1");
  }
}

std::vector<TrackRow> TrackRows(const TrackLists& lists) {
  std::vector<TrackRow> rows;
  for (std::size_t i = 0; i < lists.Count(); ++i)
    rows.push_back({TwoDigits(static_cast<long>(i) + 1), lists.TrackTitles[i], lists.TrackDurations[i]});
  return rows;
}

}  // namespace app
