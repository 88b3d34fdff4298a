#include "CddbSettings.h"

#include <cstring>
#include <mutex>

namespace cddb {
namespace {

std::mutex settingsLock;
CddbSettings settings;

void StoreText(std::string& field, const char* text, std::size_t limit) {
  if (text == nullptr) return;
  field.assign(text, strnlen(text, limit));
}

}  // namespace

void EscapeHelloText(std::string& text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '@' || text[i] == ' ') text[i] = '+';
  }
}

void SetCDDBSetting(int code, const char* text, int value) {
  std::lock_guard<std::mutex> hold(settingsLock);
  switch (code) {
    case kServerHost: StoreText(settings.server, text, 254); break;
    case kProxyHost: StoreText(settings.proxy, text, 254); break;
    case kUseProxy: settings.useProxy = value != 0; break;
    case kClientName:
      StoreText(settings.clientName, text, 59);
      EscapeHelloText(settings.clientName, 1);
      break;
    case kUserEMail:
      StoreText(settings.userEMail, text, 63);
      EscapeHelloText(settings.userEMail, 1);
      break;
    case kProxyPort: settings.proxyPort = value; break;
    case kCgiScript: StoreText(settings.cgiScript, text, 79); break;
    case kServerPort: settings.serverPort = value; break;
    case kWriteIni: settings.writeIni = value != 0; break;
    case kUsePost: settings.usePost = value != 0; break;
    default: break;
  }
}

void SetCDDBTimeOut(int milliseconds) {
  std::lock_guard<std::mutex> hold(settingsLock);
  settings.timeOut = milliseconds;
}

CddbSettings CurrentCDDBSettings() {
  std::lock_guard<std::mutex> hold(settingsLock);
  return settings;
}

}  // namespace cddb
