// The HTTP exchange with a real server on loopback: the exact request bytes of GET, POST and
// POST through a proxy, and what the answer holds when the server misbehaves.
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

std::string Send() { return SendCDDBRequest(kScript, kQuery, nullptr); }

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
  std::string answer = Send();

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
  SendCDDBRequest(kScript, kQuery, "Proxy-Authorization: Basic eDp5\r\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0].find("1.06\r\nProxy-Authorization: Basic eDp5\r\nContent-Length: "),
            std::string::npos);
}

TEST(CddbRequest, GetsWithTheShortFormAndReadsTheHeaderlessAnswer) {
  CddbTestServer server;
  UseServer(server.port(), false);
  std::string answer = Send();

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
  const std::string answer = PostCDDBViaProxy(kScript, kQuery);

  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0],
            std::string("POST http://cddb.example.org/~cddb/cddb.cgi HTTP/1.0\r\n"
                        "Content-Type: application/x-www-form-urlencoded\r\n"
                        "User-Agent: ZEVAudioGrabber 1.05\r\n"
                        "Content-Length: ") +
                std::to_string(std::strlen(kQuery) + 2) + "\r\n\r\n" + kQuery + "\r\n");
  EXPECT_STREQ(SkipHTTPHeader(answer.c_str()), "200 rock 0200c601 Quiet Harbour / One Long Song\r\n");
}

TEST(CddbRequestFailure, LeavesAnEmptyReplyWhenNobodyListensOrNoHostIsNamed) {
  UseServer(RefusingPort(), true);
  EXPECT_EQ(Send(), "");
  UseServer(0, true);
  SetCDDBSetting(kServerHost, "", 0);
  EXPECT_EQ(Send(), "");
}

TEST(CddbRequestFailure, LeavesAnEmptyReplyWhenTheServerClosesAtOnce) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::CloseAtOnce);
  UseServer(server.port(), true);
  EXPECT_EQ(Send(), "");
}

TEST(CddbRequestFailure, GivesUpOnAStalledServerWithinTheTimeOut) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Stall);
  UseServer(server.port(), true);
  SetCDDBTimeOut(600);  // 200 ms to send, 400 ms to receive
  std::string answer = "unset";
  double seconds = SecondsFor([&] { answer = Send(); });
  EXPECT_EQ(answer, "");
  EXPECT_GE(seconds, 0.35);
  EXPECT_LT(seconds, 1.5);
}

TEST(CddbRequestFailure, GivesUpOnAStalledProxyWithinTheTimeOut) {
  CddbTestServer proxy;
  proxy.SetBehaviour(CddbTestServer::Behaviour::Stall);
  SetCDDBSetting(kProxyHost, "127.0.0.1", 0);
  SetCDDBSetting(kProxyPort, nullptr, proxy.port());
  SetCDDBTimeOut(600);
  std::string answer = "unset";
  double seconds = SecondsFor([&] { answer = PostCDDBViaProxy(kScript, kQuery); });
  EXPECT_EQ(answer, "");
  EXPECT_LT(seconds, 1.5);
  EXPECT_EQ(proxy.Requests().size(), 1u);
}

TEST(CddbRequestFailure, ATimeOutTooShortToSplitStillEndsTheWait) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Stall);
  UseServer(server.port(), true);
  SetCDDBTimeOut(0);
  std::string answer = "unset";
  EXPECT_LT(SecondsFor([&] { answer = Send(); }), 1.0);
  EXPECT_EQ(answer, "");
}

TEST(CddbRequestFailure, GivesUpOnATricklingServerWithinTheTimeOut) {
  CddbTestServer server;
  server.SetBehaviour(CddbTestServer::Behaviour::Trickle);
  UseServer(server.port(), false);
  SetCDDBTimeOut(600);
  std::string answer;
  double seconds = SecondsFor([&] { answer = Send(); });
  EXPECT_LT(seconds, 1.5);
  EXPECT_LE(answer.size(), 5u);
}

TEST(CddbRequestFailure, TakesAnswersUpToTheLimitWholeAndRefusesLongerOnes) {
  CddbTestServer server;
  UseServer(server.port(), false);
  const std::string head = "211 Found inexact matches\r\n";
  for (std::size_t size : {kReplyLimit, kReplyLimit + 1, std::size_t(1) << 20}) {
    server.SetCannedReply(head + std::string(size - head.size(), 'x'));
    EXPECT_EQ(Send().size(), size <= kReplyLimit ? size : 0) << size;
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
    CddbMatch matches[5] = {};
    CddbMatchList list{5, matches};
    EXPECT_EQ(ParseCDDBQueryReply(Send().c_str(), &list), 0);
  }
}
