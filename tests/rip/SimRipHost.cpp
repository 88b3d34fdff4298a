#include "SimRipHost.h"

#include <windows.h>

#include "AudioReads.h"
#include "DriveCommands.h"
#include "DriveTransport.h"
#include "RipPresets.h"

namespace riptest {

namespace {

// The ripper pauses 500 ms in a reload; the simulated drive needs no rest, and the tests
// count reloads rather than time them.
constexpr DWORD kReloadPauseMs = 20;

}  // namespace

SimRipHost::SimRipHost(int preset, std::uint32_t start, std::uint32_t length) {
  const rip::RipPreset& values = *rip::FindRipPreset(preset);
  job = {preset, values.blockFrames, values.readStrategy, values.retries, values.spinUpTime, values.driveSpeed,
         false, start, length};
}

SimRipHost::~SimRipHost() {
  tickerRuns_ = false;
  if (ticker_.joinable()) ticker_.join();
  ReleaseCDHandle();
  UnloadSCSIManager();
}

void SimRipHost::LockDrive() {
  driveLock_.lock();
  ++driveLockDepth_;
}

void SimRipHost::UnlockDrive() {
  --driveLockDepth_;
  driveLock_.unlock();
}

void SimRipHost::Record(const RipEvent& event) {
  if (driveLockDepth_ > 0) eventUnderLock_ = true;
  std::lock_guard lock(mutex_);
  events_.push_back(event);
}

std::vector<RipEvent> SimRipHost::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<int> SimRipHost::Retries() const {
  std::vector<int> retries;
  for (const RipEvent& event : Events())
    if (event.kind == RipEvent::kRetry) retries.push_back(event.value);
  return retries;
}

std::vector<int> SimRipHost::Progress() const {
  std::vector<int> progress;
  for (const RipEvent& event : Events())
    if (event.kind == RipEvent::kProgress || event.kind == RipEvent::kRipOver) progress.push_back(event.value);
  return progress;
}

std::vector<std::string> SimRipHost::LogLines() const {
  std::lock_guard lock(mutex_);
  return log_;
}

void SimRipHost::Line(const char* text) {
  std::lock_guard lock(mutex_);
  log_.emplace_back(text);
}

void SimRipHost::Line(const char* text, long number) {
  std::lock_guard lock(mutex_);
  log_.push_back(std::string(text) + " " + std::to_string(number));
}

void SimRipHost::RipProgress(int percent) {
  Record({RipEvent::kProgress, percent});
  if (percent >= stopAtPercent) stop = true;
}

void SimRipHost::ReleaseCDHandle() {
  if (handle_ != 0) drive::CloseCDDrive(handle_);
  handle_ = 0;
}

void SimRipHost::UnloadSCSIManager() {
  if (loaded_) drive::InitCDLayer(0, 0);
  loaded_ = false;
}

bool SimRipHost::LoadSCSIManager() {
  if (!loaded_) loaded_ = drive::InitCDLayer(1, 0) == 1;
  return loaded_;
}

void SimRipHost::CreateCDHandle() {
  if (!loaded_) return;
  const rip::RipPreset& preset = *rip::FindRipPreset(job.preset);
  drive::OpenRequest request{};
  request.size = sizeof request;
  request.version = 1;
  request.target = 1;
  request.readClass = static_cast<std::uint8_t>(readClass);
  request.jitterMatchFrames = static_cast<std::uint8_t>(preset.jitterMatchFrames);
  request.jitterReadBackFrames = static_cast<std::uint8_t>(preset.jitterReadBackFrames);
  handle_ = drive::OpenCDDrive(&request);
}

void SimRipHost::CheckTransport() {
  if (drive::IsTransportReady() != 1) ReloadManager();
}

void SimRipHost::ReloadManager() {
  ++reloads_;
  ReleaseCDHandle();
  UnloadSCSIManager();
  Sleep(kReloadPauseMs);
  LoadSCSIManager();
  CreateCDHandle();
}

rip::Readiness SimRipHost::TestDriveReady() {
  return handle_ != 0 ? rip::ReadinessOf(drive::TestCDUnitReady(handle_)) : rip::Readiness::kNotReady;
}

void SimRipHost::EnableTick(bool enabled) {
  std::lock_guard lock(tickMutex_);
  tickEnabled_ = enabled;
}

void SimRipHost::SetTickMode(rip::TickMode mode) {
  std::lock_guard lock(tickMutex_);
  convertMode_ = mode == rip::TickMode::kConvert;
}

void SimRipHost::StartTicker(rip::PcmHandOver& pcm, rip::SampleWriter& writer) {
  tickerRuns_ = true;
  ticker_ = std::thread([this, &pcm, &writer] { TickLoop(pcm, writer); });
}

void SimRipHost::TickLoop(rip::PcmHandOver& pcm, rip::SampleWriter& writer) {
  while (tickerRuns_) {
    Sleep(20);
    std::lock_guard lock(tickMutex_);
    if (tickEnabled_ && convertMode_) rip::ConvertTick(pcm, writer, *this, stop);
  }
}

}  // namespace riptest
