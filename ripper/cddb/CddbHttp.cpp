#include "CddbHttp.h"

#include "CddbSettings.h"

#include <winsock2.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace cddb {
namespace {

// Each request starts and ends its own Windows Sockets use, so the client needs no set-up.
class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

class Socket {
 public:
  Socket() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return socket_; }

 private:
  SOCKET socket_;
};

constexpr int kReceiveChunk = 4096;

// Waits until the socket can be read (or written) or `milliseconds` have passed.
bool WaitForSocket(SOCKET s, bool forWriting, ULONGLONG milliseconds) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(s, &ready);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(s, &failed);
  timeval wait;
  wait.tv_sec = static_cast<long>(milliseconds / 1000);
  wait.tv_usec = static_cast<long>(milliseconds % 1000) * 1000;
  int result = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &wait);
  return result > 0 && FD_ISSET(s, &ready) && !FD_ISSET(s, &failed);
}

// A host that swallows the connection attempt must not hold the caller longer than a send may.
bool ConnectWithin(SOCKET s, const sockaddr_in& address, int milliseconds) {
  u_long nonBlocking = 1;
  if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0) return false;
  bool connected = connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
                   (WSAGetLastError() == WSAEWOULDBLOCK && WaitForSocket(s, true, milliseconds));
  u_long blocking = 0;
  return ioctlsocket(s, FIONBIO, &blocking) == 0 && connected;
}

// Reads until the server closes, an error or the receive time-out. The time-out bounds the
// whole answer, so a server that trickles bytes cannot hold the caller either; one that sends
// more than any answer holds is not read to its end.
std::string ReceiveReply(SOCKET s, int milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  std::string reply;
  char chunk[kReceiveChunk];
  for (;;) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline || !WaitForSocket(s, false, deadline - now)) return reply;
    int received = recv(s, chunk, kReceiveChunk, 0);
    if (received <= 0) return reply;
    reply.append(chunk, static_cast<std::size_t>(received));
    if (reply.size() > kReplyLimit) return std::string();
  }
}

std::string Exchange(const std::string& host, int port, int timeOut, const std::string& request) {
  if (host.empty()) return std::string();  // an empty name would resolve to this machine

  // A time-out too small to split in three still means "wait a little", never "wait forever".
  const int sendTimeOut = std::max(timeOut / 3, 1);
  const int receiveTimeOut = 2 * sendTimeOut;

  WinsockSession session;
  if (!session.started()) return std::string();
  Socket connection;
  if (connection.get() == INVALID_SOCKET) return std::string();
  DWORD option = static_cast<DWORD>(sendTimeOut);
  setsockopt(connection.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&option),
             sizeof option);
  option = static_cast<DWORD>(receiveTimeOut);
  setsockopt(connection.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&option),
             sizeof option);

  const hostent* entry = gethostbyname(host.c_str());
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr) {
    return std::string();
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  std::memcpy(&address.sin_addr, entry->h_addr_list[0], sizeof address.sin_addr);

  if (!ConnectWithin(connection.get(), address, sendTimeOut)) return std::string();
  if (send(connection.get(), request.data(), static_cast<int>(request.size()), 0) == SOCKET_ERROR) {
    return std::string();
  }
  return ReceiveReply(connection.get(), receiveTimeOut);
}

std::string PostRequest(const char* userAgent, const std::string& server, const char* path,
                        const char* command, const char* extraHeaders) {
  std::string body = command;
  std::string request = "POST http://" + server + path +
                        " HTTP/1.0\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\n"
                        "User-Agent: " +
                        userAgent + "\r\n";
  if (extraHeaders != nullptr) request += extraHeaders;
  request += "Content-Length: " + std::to_string(body.size() + 2) + "\r\n\r\n";
  request += body;
  request += "\r\n";
  return request;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

std::string SendCDDBRequest(const char* path, const char* command, const char* extraHeaders) {
  path = OrEmpty(path);
  command = OrEmpty(command);
  const CddbSettings settings = CurrentCDDBSettings();
  std::string request;
  if (settings.usePost) {
    request = PostRequest("ZEVAudioGrabber 1.06", settings.server, path, command, extraHeaders);
  } else {
    // The short form servers answer without headers: no protocol version, no header lines.
    request = std::string("GET ") + path + "?" + command + "\r\n";
  }
  return Exchange(settings.server, settings.serverPort, settings.timeOut, request);
}

std::string PostCDDBViaProxy(const char* path, const char* command) {
  path = OrEmpty(path);
  command = OrEmpty(command);
  const CddbSettings settings = CurrentCDDBSettings();
  const std::string request =
      PostRequest("ZEVAudioGrabber 1.05", settings.server, path, command, nullptr);
  return Exchange(settings.proxy, settings.proxyPort, settings.timeOut, request);
}

}  // namespace cddb
