// Settings of the CDDB client: which server (or proxy) to ask, how to introduce ourselves, which
// script to call, how to send, and whether on-line results are kept in cdplayer.ini.
// They are process-wide, like the rest of the drive layer, and set by code number.
#pragma once

#include <string>

namespace cddb {

// The defaults a fresh process starts with; the ripper object stores the same ones when its
// driver opens.
inline constexpr char kDefaultServer[] = "gnudb.gnudb.org";
inline constexpr char kDefaultUserEMail[] = "user@localhost";
inline constexpr char kDefaultClientName[] = "zumal32dll 0.91";
inline constexpr char kDefaultCgiScript[] = "/~cddb/cddb.cgi";
inline constexpr int kDefaultServerPort = 80;
inline constexpr int kDefaultTimeOut = 7000;

// Setting codes of SetCDDBSetting.
enum CddbSettingCode : int {
  kServerHost = 0,
  kProxyHost = 1,
  kUseProxy = 2,
  kClientName = 3,
  kUserEMail = 4,
  kProxyPort = 5,
  kCgiScript = 6,
  kServerPort = 7,
  kWriteIni = 8,
  kUsePost = 9,
};

struct CddbSettings {
  std::string server = kDefaultServer;
  std::string proxy;
  bool useProxy = false;
  std::string clientName = kDefaultClientName;
  std::string userEMail = kDefaultUserEMail;
  int proxyPort = 0;
  std::string cgiScript = kDefaultCgiScript;
  int serverPort = kDefaultServerPort;
  bool writeIni = true;
  bool usePost = true;
  int timeOut = kDefaultTimeOut;  // milliseconds
};

// Text codes take `text` (null leaves the setting as it is), number codes take `value`;
// codes outside 0..9 do nothing.
void SetCDDBSetting(int code, const char* text, int value);
void SetCDDBTimeOut(int milliseconds);

// A consistent copy, so a request is built from one set of values even if another thread
// changes a setting meanwhile.
CddbSettings CurrentCDDBSettings();

// The hello data may not carry '@' or blanks: from `from` on they become '+'.
void EscapeHelloText(std::string& text, std::size_t from);

}  // namespace cddb
