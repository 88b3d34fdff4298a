// The HTTP exchange with a real server on loopback: the exact request bytes of GET, POST and
// POST through a proxy, and what a reply buffer holds when the server misbehaves.
#include "CddbHttp.h"
#include "CddbReply.h"
#include "CddbSettings.h"
#include "CddbTestServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

using namespace cddb;

namespace {

constexpr char kScript[] = "/~cddb/cddb.cgi";
constexpr char kQuery[] = "cmd=cddb+query+0200c601+1+150+200&hello=user+localhost+tester+1.0&proto=3";

void UseServer(int port, bool post) {
  SetCDDBSetting(kServerHost, "127.0.0.1", 0);
  SetCDDBSetting(kServerPort, nullptr, port);
  SetCDDBSetting(kUseProxy, nullptr, 0);
  SetCDDBSetting(kUsePost, nullptr, post ? 1 : 0);
  SetCDDBTimeOut(3000);
}

// A reply buffer followed by bytes that must survive the exchange.
class ReplyBuffer {
 public:
  explicit ReplyBuffer(int size) : size_(size), bytes_(static_cast<std::size_t>(size) + 64, '\x5A') {}
  char* data() { return bytes_.data(); }
  int size() const { return size_; }
  std::string text() const { return bytes_.data(); }
  bool intact() const {
    return std::memchr(bytes_.data(), '\0', static_cast<std::size_t>(size_)) != nullptr &&
           std::string(bytes_.end() - 64, bytes_.end()) == std::string(64, '\x5A');
  }

 private:
  int size_;
  std::vector<char> bytes_;
};

std::string Send(ReplyBuffer& reply) {
  SendCDDBRequest(kScript, kQuery, nullptr, reply.data(), reply.size());
  EXPECT_TRUE(reply.intact());
  return reply.text();
}

int RefusingPort() {
  CddbTestServer server;
  int port = server.port();
  return port;  // closed again when the server goes
}

template <typename Exchange>
double SecondsFor(Exchange exchange) {
  auto start = std::chrono::steady_clock::now();
  exchange();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(CddbRequest, PostsAnHttp10RequestWithTheCommandAndItsLineEndCounted) {
  CddbTestServer server;
  UseServer(server.port(), true);
  ReplyBuffer reply(2048);
  std::string answer = Send(reply);

  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            std::string("POST http://127.0.0.1/~cddb/cddb.cgi HTTP/1.0\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\n"
                        "User-Agent: ZEVAudioGrabber 1.06\r\n"
                        "Content-Length: ") +
                std::to_string(std::strlen(kQuery) + 2) + "\r\n\r\n" + kQuery + "\r\n");
  EXPECT_STREQ(SkipHTTPHeader(answer.c_str()), "200 rock 0200c601 Quiet Harbour / One Long Song\r\n");
}

TEST(CddbRequest, PutsExtraHeaderLinesBeforeTheContentLength) {
  CddbTestServer server;
  UseServer(server.port(), true);
  ReplyBuffer reply(2048);
  SendCDDBRequest(kScript, kQuery, "Proxy-Authorization: Basic eDp5\r\n", reply.data(), reply.size());
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0].find("1.06\r\nProxy-Authorization: Basic eDp5\r\nContent-Length: "),
            std::string::npos);
}

TEST(CddbRequest, GetsWithTheShortFormAndReadsTheHeaderlessAnswer) {
  CddbTestServer server;
  UseServer(server.port(), false);
  ReplyBuffer reply(2048);
  std::string answer = Send(reply);

  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], std::string("GET /~cddb/cddb.cgi?") + kQuery + "\r\n");
  EXPECT_EQ(answer, "200 rock 0200c601 Quiet Harbour / One Long Song\r\n");
}

TEST(CddbRequest, PostsThroughTheProxyNamingTheServerInTheRequestLine) {
  CddbTestServer proxy;
  UseServer(RefusingPort(), false);  // the server itself is never contacted
  SetCDDBSetting(kServerHost, "cddb.example.org", 0);
  SetCDDBSetting(kProxyHost, "127.0.0.1", 0);
  SetCDDBSetting(kProxyPort, nullptr, proxy.port());
  SetCDDBSetting(kUseProxy, nullptr, 1);
  ReplyBuffer reply(2048);
  PostCDDBViaProxy(kScript, kQuery, reply.data(), reply.size());

  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0],
            std::string("POST http://cddb.example.org/~cddb/cddb.cgi HTTP/1.0\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\n"
                        "User-Agent: ZEVAudioGrabber 1.05\r\n"
                        "Content-Length: ") +
                std::to_string(std::strlen(kQuery) + 2) + "\r\n\r\n" + kQuery + "\r\n");
  EXPECT_STREQ(SkipHTTPHeader(reply.text().c_str()), "200 rock 0200c601 Quiet Harbour / One Long Song\r\n");
}

TEST(CddbRequestFailure, LeavesAnEmptyReplyWhenNobodyListensOrNoHostIsNamed) {
  ReplyBuffer reply(2048);
  UseServer(RefusingPort(), true);
  EXPECT_EQ(Send(reply), "");
  UseServer(0, true);
  SetCDDBSetting(kServerHost, "", 0);
  EXPECT_EQ(Send(reply), "");
}

TEST(CddbRequestFailure, LeavesAnEmptyReplyWhenTheServerClosesAtOnce) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::CloseAtOnce);
  UseServer(server.port(), true);
  ReplyBuffer reply(2048);
  EXPECT_EQ(Send(reply), "");
}

TEST(CddbRequestFailure, GivesUpOnAStalledServerWithinTheTimeOut) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Stall);
  UseServer(server.port(), true);
  SetCDDBTimeOut(600);  // 200 ms to send, 400 ms to receive
  ReplyBuffer reply(2048);
  double seconds = SecondsFor([&] { Send(reply); });
  EXPECT_EQ(reply.text(), "");
  EXPECT_GE(seconds, 0.35);
  EXPECT_LT(seconds, 1.5);
}

TEST(CddbRequestFailure, GivesUpOnAStalledProxyWithinTheTimeOut) {
  CddbTestServer proxy;
  proxy.SetBehaviour(CddbTestServer::Behaviour::Stall);
  SetCDDBSetting(kProxyHost, "127.0.0.1", 0);
  SetCDDBSetting(kProxyPort, nullptr, proxy.port());
  SetCDDBTimeOut(600);
  ReplyBuffer reply(2048);
  double seconds = SecondsFor([&] { PostCDDBViaProxy(kScript, kQuery, reply.data(), reply.size()); });
  EXPECT_EQ(reply.text(), "");
  EXPECT_LT(seconds, 1.5);
  EXPECT_EQ(proxy.Requests().size(), 1u);
}

TEST(CddbRequestFailure, ATimeOutTooShortToSplitStillEndsTheWait) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Stall);
  UseServer(server.port(), true);
  SetCDDBTimeOut(0);
  ReplyBuffer reply(2048);
  EXPECT_LT(SecondsFor([&] { Send(reply); }), 1.0);
  EXPECT_EQ(reply.text(), "");
}

TEST(CddbRequestFailure, GivesUpOnATricklingServerWithinTheTimeOut) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Trickle);
  UseServer(server.port(), false);
  SetCDDBTimeOut(600);
  ReplyBuffer reply(2048);
  double seconds = SecondsFor([&] { Send(reply); });
  EXPECT_LT(seconds, 1.5);
  EXPECT_LE(reply.text().size(), 5u);
}

TEST(CddbRequestFailure, CutsAHugeReplyWhenLessThanOneChunkOfRoomIsLeft) {
  CddbTestServer server;
  server.SetCannedReply("211 Found inexact matches\r\n" + std::string(1 << 20, 'x'));
  UseServer(server.port(), false);
  for (int size : {2048, 200, 129, 128, 1}) {
    ReplyBuffer reply(size);
    std::string answer = Send(reply);
    EXPECT_GT(static_cast<int>(answer.size()), size - 1 - 128) << size;
    EXPECT_LE(static_cast<int>(answer.size()), size - 1) << size;
  }
}

TEST(CddbRequestFailure, FindsNoMatchInAnswersWithoutCrLfOrWithBinaryBytes) {
  CddbTestServer server;
  UseServer(server.port(), false);
  std::string binary;
  for (int i = 0; i < 1500; ++i) binary += static_cast<char>((i * 37 + 11) % 256);
  for (const std::string& canned : {std::string("200 rock 0200c601 A / B\n"),
                                    std::string("211 list\nrock 1 A / B\nrock 2 C / D\n.\n"), binary}) {
    server.SetCannedReply(canned);
    ReplyBuffer reply(2048);
    Send(reply);
    CddbMatch matches[5] = {};
    CddbMatchList list{5, matches};
    EXPECT_EQ(ParseCDDBQueryReply(reply.text().c_str(), &list), 0);
  }
}
