// A ripper for the rip engine's tests: it drives the real drive layer on the simulated drives
// of WNASPI32.DLL, keeps the events, log lines and reloads, and runs the convert tick on a
// thread of its own every 20 ms as the media-check thread does.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PcmHandOver.h"
#include "RipHost.h"
#include "ZEVDiscRipper.h"

namespace riptest {

struct RipEvent {
  enum Kind { kError, kProgress, kRetry, kRipOver } kind;
  int value;
  bool operator==(const RipEvent&) const = default;
};

class SimRipHost final : public rip::RipHost {
 public:
  // The drive at 0:1:0; the job is the preset's, for the track starting at `start`.
  SimRipHost(int preset, std::uint32_t start, std::uint32_t length);
  ~SimRipHost();

  rip::RipJob job{};
  int onErrorAction = CUT;
  // A fixed read class: detection's test reads would blur the count of reads per attempt.
  int readClass = CDRT_ATAPI2;
  // Makes the stop flag rise once progress reaches this percent.
  int stopAtPercent = 101;
  std::atomic<bool> stop{false};

  std::vector<RipEvent> Events() const;
  std::vector<int> Retries() const;
  std::vector<int> Progress() const;
  std::vector<std::string> LogLines() const;
  int Reloads() const { return reloads_; }
  bool RipInProgress() const { return ripInProgress_; }
  bool TickEnabled() const { return tickEnabled_; }
  // The ripper's events wait for its own thread, which may be waiting for the drive lock.
  bool EventSentUnderDriveLock() const { return eventUnderLock_; }

  // Runs the convert tick on the given PCM hand-over and writer while the tick is enabled in
  // convert mode.
  void StartTicker(rip::PcmHandOver& pcm, rip::SampleWriter& writer);

  // RipHost
  void Line(const char* text) override;
  void Line(const char* text, long number) override;
  void FlushLog() override {}
  void LockDrive() override;
  void UnlockDrive() override;
  void ReleaseCDHandle() override;
  void UnloadSCSIManager() override;
  bool LoadSCSIManager() override;
  void CreateCDHandle() override;
  int CDHandle() override { return handle_; }
  void CheckTransport() override;
  void ReloadManager() override;
  rip::Readiness TestDriveReady() override;
  rip::RipJob Job() override { return job; }
  int OnErrorAction() override { return onErrorAction; }
  bool StopRequested() override { return stop; }
  void SetRipInProgress(bool ripping) override { ripInProgress_ = ripping; }
  void SetMediaIn() override {}
  void EnableTick(bool enabled) override;
  void SetTickMode(rip::TickMode mode) override;
  // The test ticker keeps its period: a rip ends at most one period later.
  void TickNow() override {}
  void ResetRipReport() override {}
  void Error(int code) override { Record({RipEvent::kError, code}); }
  void RipProgress(int percent) override;
  void RipRetry(int retryNum) override { Record({RipEvent::kRetry, retryNum}); }
  void RipOver() override { Record({RipEvent::kRipOver, 100}); }

 private:
  void Record(const RipEvent& event);
  void TickLoop(rip::PcmHandOver& pcm, rip::SampleWriter& writer);

  mutable std::mutex mutex_;
  std::vector<RipEvent> events_;
  std::vector<std::string> log_;
  int handle_ = 0;
  bool loaded_ = false;
  std::atomic<int> reloads_{0};
  std::atomic<bool> ripInProgress_{false};
  std::recursive_mutex driveLock_;
  std::atomic<int> driveLockDepth_{0};
  std::atomic<bool> eventUnderLock_{false};

  // The tick: enabled and mode change only between ticks.
  std::mutex tickMutex_;
  std::atomic<bool> tickEnabled_{false};
  std::atomic<bool> convertMode_{false};
  std::atomic<bool> tickerRuns_{false};
  std::thread ticker_;
};

}  // namespace riptest
