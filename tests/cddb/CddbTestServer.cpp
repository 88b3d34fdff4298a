#include "CddbTestServer.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Entry files may have either line end; the wire wants CR LF.
std::string ReadEntry(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text, line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text += line + "\r\n";
  }
  return text;
}

std::vector<std::string> FolderNames(const std::string& pattern, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && found.cFileName[0] != '.') names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string DiscTitle(const std::string& entry) {
  std::size_t at = entry.find("DTITLE=");
  if (at == std::string::npos) return "";
  at += 7;
  return entry.substr(at, entry.find("\r\n", at) - at);
}

// "cmd=cddb+query+...&hello=...&proto=3" -> "cddb query ..."
std::string CommandOf(const std::string& form) {
  std::size_t at = form.find("cmd=");
  if (at == std::string::npos) return "";
  std::string command = form.substr(at + 4, form.find('&', at) - at - 4);
  for (char& c : command) {
    if (c == '+') c = ' ';
  }
  return command;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Reads one request: the short GET form ends with its first line, a POST with its body.
std::string ReadRequest(SOCKET client) {
  std::string request;
  char chunk[512];
  for (;;) {
    if (request.rfind("GET ", 0) == 0 && request.find("\r\n") != std::string::npos) break;
    std::size_t headerEnd = request.find("\r\n\r\n");
    if (headerEnd != std::string::npos) {
      std::size_t length = 0;
      std::size_t field = request.find("Content-Length: ");
      if (field != std::string::npos) length = std::stoul(request.substr(field + 16));
      if (request.size() >= headerEnd + 4 + length) break;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(client, &ready);
    timeval wait{2, 0};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) break;
    int received = recv(client, chunk, sizeof chunk, 0);
    if (received <= 0) break;
    request.append(chunk, static_cast<std::size_t>(received));
  }
  return request;
}

// Sends in pieces, giving up when the client stops taking them: a client that has what it
// wants closes without reading the rest of a huge answer.
void SendAll(SOCKET client, const std::string& bytes) {
  constexpr std::size_t kPiece = 4096;
  for (std::size_t sent = 0; sent < bytes.size();) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(client, &ready);
    timeval wait{0, 500000};
    if (select(0, nullptr, &ready, nullptr, &wait) <= 0) return;
    const std::size_t piece = std::min(kPiece, bytes.size() - sent);
    int result = send(client, bytes.data() + sent, static_cast<int>(piece), 0);
    if (result > 0) {
      sent += static_cast<std::size_t>(result);
    } else if (WSAGetLastError() != WSAEWOULDBLOCK) {
      return;
    }
  }
}

}  // namespace

std::string CddbTestServer::DefaultDatabase() { return TALVO_CDDB_FIXTURES; }

CddbTestServer::CddbTestServer(const std::string& databaseFolder) {
  for (const std::string& category : FolderNames(databaseFolder + "\\*", true)) {
    const std::string folder = databaseFolder + "\\" + category;
    for (const std::string& id : FolderNames(folder + "\\*", false)) {
      entries_[id][category] = ReadEntry(folder + "\\" + id);
    }
  }
  if (entries_.empty()) throw std::runtime_error("no CDDB entries in " + databaseFolder);

  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(listener_);
    WSACleanup();
    throw std::runtime_error("the CDDB test server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  answersFree_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  thread_ = std::thread([this] { Serve(); });
}

CddbTestServer::~CddbTestServer() {
  Stop();
  closesocket(listener_);
  CloseHandle(stopEvent_);
  CloseHandle(answersFree_);
  WSACleanup();
}

void CddbTestServer::Stop() {
  SetEvent(stopEvent_);
  if (thread_.joinable()) thread_.join();
}

void CddbTestServer::SetBehaviour(Behaviour behaviour) {
  std::lock_guard<std::mutex> hold(lock_);
  behaviour_ = behaviour;
}

void CddbTestServer::SetCannedReply(std::string bytes) {
  std::lock_guard<std::mutex> hold(lock_);
  canned_ = std::move(bytes);
  behaviour_ = Behaviour::Canned;
}

void CddbTestServer::SetReadReply(std::string bytes, bool reset) {
  std::lock_guard<std::mutex> hold(lock_);
  readReply_ = std::move(bytes);
  resetAfterRead_ = reset;
}

void CddbTestServer::SetQueryReply(std::string bytes) {
  std::lock_guard<std::mutex> hold(lock_);
  queryReply_ = std::move(bytes);
}

void CddbTestServer::HoldAnswers(bool hold) {
  if (hold) ResetEvent(answersFree_);
  else SetEvent(answersFree_);
}

bool CddbTestServer::WaitForRequests(std::size_t count, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  while (Requests().size() < count) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(5);
  }
  return true;
}

std::vector<std::string> CddbTestServer::Requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

bool CddbTestServer::Waiting(DWORD milliseconds) const {
  return WaitForSingleObject(stopEvent_, milliseconds) == WAIT_TIMEOUT;
}

void CddbTestServer::Serve() {
  while (Waiting(0)) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{0, 20000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    // Never blocked by a client that stops reading: every wait is a select with a time limit.
    u_long nonBlocking = 1;
    ioctlsocket(client, FIONBIO, &nonBlocking);
    Answer(client);
    closesocket(client);
  }
}

void CddbTestServer::Answer(SOCKET client) {
  Behaviour behaviour;
  std::string canned;
  std::string readReply;
  std::string queryReply;
  bool resetAfterRead = false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    behaviour = behaviour_;
    canned = canned_;
    readReply = readReply_;
    queryReply = queryReply_;
    resetAfterRead = resetAfterRead_;
  }
  if (behaviour == Behaviour::CloseAtOnce) return;

  const std::string request = ReadRequest(client);
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(request);
  }
  const HANDLE stopOrFree[] = {stopEvent_, answersFree_};
  if (WaitForMultipleObjects(2, stopOrFree, FALSE, INFINITE) == WAIT_OBJECT_0) return;
  switch (behaviour) {
    case Behaviour::Stall:
      Waiting(INFINITE);
      return;
    case Behaviour::Trickle:
      while (Waiting(100) && send(client, "2", 1, 0) == 1) {
      }
      return;
    case Behaviour::Canned:
      SendAll(client, canned);
      return;
    default:
      break;
  }
  // A POST is an HTTP/1.0 request and gets headers; the short GET form gets the bare answer.
  const bool shortForm = request.rfind("GET ", 0) == 0;
  const std::string form = shortForm ? request.substr(request.find('?') + 1) : request.substr(request.find("\r\n\r\n") + 4);
  const std::string command = CommandOf(form);
  const bool cannedRead = !readReply.empty() && command.rfind("cddb read", 0) == 0;
  const bool cannedQuery = !queryReply.empty() && command.rfind("cddb query", 0) == 0;
  std::string reply = cannedRead ? readReply : cannedQuery ? queryReply : AnswerCommand(command);
  if (!shortForm) reply = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + reply;
  SendAll(client, reply);
  if (cannedRead && resetAfterRead) {
    // Closing with a zero linger time resets the connection.
    const linger abort{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
  }
}

std::string CddbTestServer::AnswerCommand(const std::string& command) const {
  const std::vector<std::string> words = Words(command);
  if (words.size() >= 3 && words[0] == "cddb" && words[1] == "query") {
    auto found = entries_.find(words[2]);
    if (found == entries_.end()) return "202 No match for disc ID " + words[2] + ".\r\n";
    const auto& categories = found->second;
    if (categories.size() == 1) {
      const auto& [category, entry] = *categories.begin();
      return "200 " + category + " " + words[2] + " " + DiscTitle(entry) + "\r\n";
    }
    std::string reply = "211 Found inexact matches, list follows (until terminating `.')\r\n";
    for (const auto& [category, entry] : categories) {
      reply += category + " " + words[2] + " " + DiscTitle(entry) + "\r\n";
    }
    return reply + ".\r\n";
  }
  if (words.size() >= 4 && words[0] == "cddb" && words[1] == "read") {
    const std::string& category = words[2];
    const std::string& id = words[3];
    auto found = entries_.find(id);
    if (found == entries_.end() || found->second.count(category) == 0) {
      return "401 " + category + " " + id + " No such CD entry in database.\r\n";
    }
    return "210 " + category + " " + id + " CD database entry follows (until terminating `.')\r\n" +
           found->second.at(category) + ".\r\n";
  }
  return "500 Unrecognized command.\r\n";
}
