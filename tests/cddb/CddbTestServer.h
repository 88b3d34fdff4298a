// A CDDB server on 127.0.0.1 for tests: speaks HTTP/1.0 (and the header-less short GET form),
// answers "cddb query" and "cddb read" from a folder of entry files laid out as CDDB databases
// are (<category>/<discid>), records every raw request, and can be told to misbehave.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CddbTestServer {
 public:
  enum class Behaviour {
    Database,     // answer from the entry files
    Canned,       // answer every request with the canned bytes
    CloseAtOnce,  // accept and close without reading or answering
    Stall,        // read the request and answer nothing until stopped
    Trickle,      // answer one byte every 100 ms until the client goes or the server stops
  };

  explicit CddbTestServer(const std::string& databaseFolder = DefaultDatabase());
  ~CddbTestServer();
  CddbTestServer(const CddbTestServer&) = delete;
  CddbTestServer& operator=(const CddbTestServer&) = delete;

  // The fixture database of this source tree.
  static std::string DefaultDatabase();

  int port() const { return port_; }
  void SetBehaviour(Behaviour behaviour);
  void SetCannedReply(std::string bytes);  // also switches to Canned
  // From now on a "cddb read" is answered with these bytes after the headers, while queries
  // are still answered from the entry files; with `reset` the server then resets the
  // connection instead of closing it.
  void SetReadReply(std::string bytes, bool reset = false);
  // From now on a "cddb query" is answered with these bytes after the headers, while reads are
  // still answered from the entry files.
  void SetQueryReply(std::string bytes);
  // While held, every request is read and recorded but its answer waits until the answers are
  // let go (or the server stops): a server as slow as the test needs it to be.
  void HoldAnswers(bool hold);
  std::vector<std::string> Requests() const;
  // Waits until the server has heard `count` requests; false when the time is up first.
  bool WaitForRequests(std::size_t count, DWORD timeoutMs = 10000) const;
  void Stop();

 private:
  void Serve();
  void Answer(SOCKET client);
  std::string AnswerCommand(const std::string& command) const;
  bool Waiting(DWORD milliseconds) const;  // false once the server is stopping

  std::map<std::string, std::map<std::string, std::string>> entries_;  // id -> category -> text
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  HANDLE stopEvent_ = nullptr;
  HANDLE answersFree_ = nullptr;  // manual reset; signalled unless the answers are held
  std::thread thread_;
  mutable std::mutex lock_;
  Behaviour behaviour_ = Behaviour::Database;
  std::string canned_;
  std::string readReply_;
  std::string queryReply_;
  bool resetAfterRead_ = false;
  std::vector<std::string> requests_;
};
