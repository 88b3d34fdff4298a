#include "CddbClient.h"

#include "CdPlayerIni.h"
#include "CddbHttp.h"
#include "CddbReply.h"
#include "CddbSettings.h"
#include "DiscId.h"
#include "DiscIdRing.h"
#include "DriveTransport.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace cddb {
namespace {

constexpr char kIniCategory[] = "cdplayerini";

template <std::size_t N>
std::string Field(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// "&hello=<e-mail>+<client>&proto=3" after `head`, with no '@' or blank past the first character.
std::string WithHello(const std::string& head, const CddbSettings& settings) {
  std::string tail = head + "&hello=" + settings.userEMail + "+" + settings.clientName + "&proto=3";
  EscapeHelloText(tail, 1);
  return tail;
}

std::string QueryCommand(const std::int32_t* record, const CddbSettings& settings) {
  const int tracks = record[1];
  char head[40];
  std::snprintf(head, sizeof head, "cmd=cddb+query+%08x+%d+", static_cast<unsigned>(record[0]), tracks);
  std::string command = head;
  for (int k = 0; k < tracks; ++k) command += std::to_string(record[2 + k]) + "+";
  return command + WithHello(std::to_string(record[tracks + 2]), settings);
}

std::string ReadCommand(const CddbMatch& match, const CddbSettings& settings) {
  return "cmd=cddb+read+" + Field(match.category) + "+" + Field(match.discId) + WithHello("", settings);
}

std::string SendCommand(const std::string& command, const CddbSettings& settings) {
  if (settings.useProxy) return PostCDDBViaProxy(settings.cgiScript.c_str(), command.c_str());
  return SendCDDBRequest(settings.cgiScript.c_str(), command.c_str(), nullptr);
}

void FindInIni(std::uint32_t key, CddbMatchList* list) {
  char section[16];
  std::snprintf(section, sizeof section, "%X", static_cast<unsigned>(key));
  if (list->count < 1 || list->matches == nullptr || HasIniEntry(section) <= 0) {
    list->count = 0;
    return;
  }
  CddbMatch& match = list->matches[0];
  std::strcpy(match.category, kIniCategory);
  std::strcpy(match.discId, section);
  match.exact = 1;
  list->count = 1;
}

}  // namespace

int QueryCDDB(int handle, CddbMatchList* list, int online, int timeout) {
  SetCDDBTimeOut(timeout);
  if (list == nullptr) return drive::kLayerFailure;
  QueryDisc disc;
  if (!ReadQueryDisc(handle, &disc)) {
    list->count = 0;
    return drive::kLayerFailure;
  }
  return QueryCDDB(disc, list, online, timeout);
}

bool ReadQueryDisc(int handle, QueryDisc* disc) {
  bool audioDisc = false;
  return disc != nullptr && ReadDiscIdentity(handle, disc->record.data(), &disc->iniKey, &audioDisc) && audioDisc;
}

int QueryCDDB(const QueryDisc& disc, CddbMatchList* list, int online, int timeout) {
  SetCDDBTimeOut(timeout);
  if (list == nullptr) return drive::kLayerFailure;
  try {
    if (online != 0) {
      const CddbSettings settings = CurrentCDDBSettings();
      // The whole answer: a list of matches longer than any buffer still gives each of them.
      const std::string reply = SendCommand(QueryCommand(disc.record.data(), settings), settings);
      ParseCDDBQueryReply(reply.c_str(), list);
    } else {
      FindInIni(disc.iniKey, list);
    }
    // Whichever identifier the server answered with, its entry belongs under this disc's key.
    if (online == 1) {
      for (int i = 0; i < list->count; ++i) {
        RememberDiscId(disc.iniKey, DiscIdOfText(list->matches[i].discId), disc.record[1]);
      }
    }
    return drive::kLayerSuccess;
  } catch (const std::bad_alloc&) {
    list->count = 0;
    return drive::kLayerFailure;
  }
}

int ReadCDDBEntry(CddbMatch* match, char* text, int textSize) {
  const bool online = match != nullptr && Field(match->category) != kIniCategory;
  const int read = FetchCDDBEntry(match, text, textSize);
  if (online && read == drive::kLayerSuccess) StoreCDDBEntry(*match, text);
  return read;
}

void StoreCDDBEntry(const CddbMatch& match, const char* text) {
  if (CurrentCDDBSettings().writeIni && text != nullptr && *text != '\0') WriteIniEntry(&match, text);
}

int FetchCDDBEntry(CddbMatch* match, char* text, int textSize) {
  if (match == nullptr || text == nullptr || textSize < 1) return drive::kLayerFailure;
  try {
    if (Field(match->category) == kIniCategory) return ReadIniEntry(match, text, textSize);
    const CddbSettings settings = CurrentCDDBSettings();
    const std::string reply = SendCommand(ReadCommand(*match, settings), settings);
    const char* answer = SkipHTTPHeader(reply.c_str());
    if (std::strncmp(answer, "210", 3) != 0) return drive::kLayerFailure;
    const char* lineEnd = std::strchr(answer, '\n');
    const char* entry = lineEnd != nullptr ? lineEnd + 1 : answer + std::strlen(answer);
    // An entry without its "." line was cut off: what came of it is no entry.
    const char* dotLine = FindTerminatingLine(entry);
    if (dotLine == nullptr) return drive::kLayerFailure;
    const char* entryEnd = dotLine + (std::strncmp(dotLine, ".\r\n", 3) == 0 ? 3 : 1);
    const auto length = static_cast<std::size_t>(entryEnd - entry);
    if (length < static_cast<std::size_t>(textSize)) {
      std::memcpy(text, entry, length);
      text[length] = '\0';
    }
    return drive::kLayerSuccess;
  } catch (const std::bad_alloc&) {
    return drive::kLayerFailure;
  }
}

}  // namespace cddb
