// The state the application's windows share: the settings taken from the settings file, the
// application folder, the known disc serial, the ripping flag, and one list per kind of track
// information, an entry per track of the current disc (index 0 is track 1). Program main makes
// one of each and hands them to the windows; nothing here touches COM or the controls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace app {

// Default CDDB settings, stored at start-up before the settings file is read.
inline constexpr const char* kDefaultCddbServer = "freedb.talvo-audio.com";
inline constexpr const char* kDefaultCddbCgiScript = "/~cddb/cddb.cgi";
inline constexpr const char* kDefaultCddbUserEMail = "user@talvo-audio.com";
inline constexpr const char* kSettingsFileName = "OmbrelCon.ini";

// Ends the folder with exactly one backslash, however many separators it held: names and
// sub-folders are appended to it directly. An empty folder stays empty.
std::string WithOneTrailingBackslash(const std::string& folder);

class SharedSettings {
 public:
  std::string CddbServer;
  std::string CddbCgiScript;
  std::string CddbUserEMail;
  int CddbTimeOut = 0;
  int NamingScheme = 0;
  std::string AppFolder;  // ends in a backslash
  std::string SettingsFile;
  std::string DiscSerial;  // 8 upper-case hexadecimal digits, or empty
  bool Ripping = false;

  const std::string& OutputFolder() const { return outputFolder_; }
  void SetOutputFolder(const std::string& folder) { outputFolder_ = WithOneTrailingBackslash(folder); }
  // The settings file's full name.
  std::string SettingsPath() const { return AppFolder + SettingsFile; }

 private:
  std::string outputFolder_;
};

// Entries are text, as the windows show and edit them.
struct TrackLists {
  std::vector<std::string> TrackDurations;  // "mm:ss"
  std::vector<std::string> TrackAlbums;
  std::vector<std::string> TrackArtists;
  std::vector<std::string> TrackTitles;
  std::vector<std::string> TrackYears;   // decimal
  std::vector<std::string> TrackGenres;  // decimal index into the tag component's genre list

  void Clear();
  std::size_t Count() const { return TrackTitles.size(); }
};

}  // namespace app
