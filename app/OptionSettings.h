// The options dialog's settings as plain data: what OmbrelCon.ini holds (combo boxes as item
// indexes), the item lists those indexes point into, reading and writing the file, and what
// the settings mean for the MP3 encoder settings object, the Ogg format and the shared
// settings. The dialog only moves these values in and out of its controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "SharedState.h"

struct IAudioCDRipper;
struct IAudioCDRipperLameMP3Encoder;

namespace app {

// The items of the dialog's lists, in index order.
const std::vector<std::string>& BitrateItems();       // 80 .. 320 kbit/s, MP3 and Ogg
const std::vector<std::string>& FrequencyItems();     // 8000 .. 48000 Hz, MP3 and Ogg
const std::vector<std::string>& Mp3ChannelItems();    // "Mono" .. "Dual Channels"
const std::vector<std::string>& OggChannelItems();    // "Mono", "Stereo"
const std::vector<std::string>& MpegQualityItems();   // "Phone" .. "R3Mix"
const std::vector<std::string>& QualityItems();       // "0" .. "9"
const std::vector<std::string>& CddbServerItems();    // item 0 is the default server
const std::vector<std::string>& NamingSchemeItems();  // "<Title>" .. schemes 0-9

inline constexpr const char* kDefaultCddbTimeOut = "7000";

struct OptionSettings {
  // [Mp3]
  int Mp3MinBitrate = 2;   // 112
  int Mp3MaxBitrate = 4;   // 160
  int Mp3Freq = 7;         // 44100
  int Mp3Channels = 1;     // Stereo
  int Mp3MpegQuality = 8;  // CD
  int Mp3VBRQuality = 4;
  bool Mp3VBR = false;
  bool Mp3VBRHeader = false;
  // [Ogg]
  int OggBitrate = 2;  // 112
  int OggFreq = 5;     // 24000
  int OggChannel = 1;  // Stereo
  int OggQuality = 4;
  // [FreeDB]
  int FreeDBServer = 0;
  std::string FreeDBMail = kDefaultCddbUserEMail;
  std::string FreeDBCgi = kDefaultCddbCgiScript;
  std::string FreeDBTimeOut = kDefaultCddbTimeOut;
  // [OutputPath]
  std::string RipperOutputPath;
  int FileName = 2;

  bool operator==(const OptionSettings&) const = default;
};

// The time-out text as milliseconds: decimal digits only, above 0 and within an int; none else.
std::optional<int> ParseCddbTimeOut(const std::string& text);

// Reads the file at path, every key with the table's default. A damaged file cannot break
// start-up: a missing or non-numeric key, an index outside its list and a time-out that is
// not a number all give the default. The output path defaults to currentOutput and, when it
// names no existing folder, becomes appFolder.
OptionSettings LoadSettingsFile(const std::string& path, const std::string& currentOutput,
                                const std::string& appFolder);
// Writes every key; false when the file could not be written.
bool SaveSettingsFile(const std::string& path, const OptionSettings& settings);

// The numbers the lists show at the settings' indexes.
int Mp3Bitrate(const OptionSettings& s);
int Mp3VbrBitrate(const OptionSettings& s);
int Mp3Frequency(const OptionSettings& s);

// Fills the encoder settings object from the MP3 settings; the first failing call's result.
HRESULT ApplyMp3Settings(IAudioCDRipperLameMP3Encoder& encoder, const OptionSettings& s);
// Hands the encoder settings object and the Ogg format to the ripper.
HRESULT ApplyFormats(IAudioCDRipper& ripper, IAudioCDRipperLameMP3Encoder& encoder, const OptionSettings& s);
// The CDDB settings, output folder (appFolder when none is given) and naming scheme. The
// time-out must have been checked with ParseCddbTimeOut; a bad one keeps the old value.
void ApplySharedSettings(SharedSettings& shared, const OptionSettings& s);

}  // namespace app
