// What the rip engine needs of the ripper object it works for: its debug log, its operations
// on the drive layer, the object state a rip changes, and its events. The worker threads call
// these; the ripper fires the events on its own thread (through _OnEvent) before they return.
#pragma once

#include <cstdint>

#include "AspiRequests.h"

namespace rip {

class RipLog {
 public:
  virtual void Line(const char* text) = 0;
  virtual void Line(const char* text, long number) = 0;

 protected:
  ~RipLog() = default;
};

// The settings a rip runs with, taken when its worker has opened the drive.
struct RipJob {
  int preset;
  int blockFrames;
  int readStrategy;
  int retries;
  int spinUpTime;
  int driveSpeed;
  bool lockTray;
  std::uint32_t trackStart;   // TOC start address of the current audio track
  std::uint32_t trackLength;  // frames
};

enum class TickMode { kMediaCheck, kConvert };

// How a drive answers TEST UNIT READY: ready, not ready (no disc, tray open, spinning up), or
// not at all within the request's wait.
enum class Readiness { kReady, kNotReady, kNoAnswer };

// From the status of a TEST UNIT READY request: a request still pending when the wait ended
// was not answered.
constexpr Readiness ReadinessOf(int status) {
  if (status == aspi::SS_COMP) return Readiness::kReady;
  return status == aspi::SS_PENDING ? Readiness::kNoAnswer : Readiness::kNotReady;
}

class RipHost : public RipLog {
 public:
  virtual void FlushLog() = 0;

  // The engine works on the drive (reads, speed, tray) between these, so that no member of
  // the ripper uses the drive at the same time. It sends no event in between.
  virtual void LockDrive() = 0;
  virtual void UnlockDrive() = 0;

  // The ripper's own operations on the drive layer.
  virtual void ReleaseCDHandle() = 0;
  virtual void UnloadSCSIManager() = 0;
  virtual bool LoadSCSIManager() = 0;
  virtual void CreateCDHandle() = 0;
  virtual int CDHandle() = 0;  // 0 when no drive is open
  virtual void CheckTransport() = 0;
  virtual void ReloadManager() = 0;
  virtual Readiness TestDriveReady() = 0;

  virtual RipJob Job() = 0;
  // Read when a block has failed: the action may change during a rip.
  virtual int OnErrorAction() = 0;
  virtual bool StopRequested() = 0;

  virtual void SetRipInProgress(bool ripping) = 0;
  virtual void SetMediaIn() = 0;
  // Once disabled, no tick runs until it is enabled again.
  virtual void EnableTick(bool enabled) = 0;
  virtual void SetTickMode(TickMode mode) = 0;
  // Runs the next tick at once instead of when its period is over (once the tick that may be
  // running has ended).
  virtual void TickNow() = 0;

  // Events. ResetRipReport clears percent, retry number and the rip-over flag;
  // RipOver sends the RipProgress 100 that ends every rip.
  virtual void ResetRipReport() = 0;
  virtual void Error(int code) = 0;
  virtual void RipProgress(int percent) = 0;
  virtual void RipRetry(int retryNum) = 0;
  virtual void RipOver() = 0;

 protected:
  ~RipHost() = default;
};

class DriveLock {
 public:
  explicit DriveLock(RipHost& host) : host_(host) { host_.LockDrive(); }
  DriveLock(const DriveLock&) = delete;
  DriveLock& operator=(const DriveLock&) = delete;
  ~DriveLock() { host_.UnlockDrive(); }

 private:
  RipHost& host_;
};

}  // namespace rip
