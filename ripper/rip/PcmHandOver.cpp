#include "PcmHandOver.h"

#include <algorithm>
#include <cstring>

#include "RipArithmetic.h"
#include "com/SafeArray.h"

namespace rip {

namespace {

constexpr std::size_t kSpareBytes = 100 * kFrameBytes;
constexpr std::size_t kSampleFrameBytes = 4;

}  // namespace

void PcmHandOver::HeapFree::operator()(std::uint8_t* block) const { ::HeapFree(GetProcessHeap(), 0, block); }

bool PcmHandOver::Begin(std::uint32_t frames) {
  const std::size_t trackBytes = std::size_t{frames} * kFrameBytes;
  base_.reset(static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, trackBytes + kSpareBytes)));
  if (!base_) return false;
  capacity_ = trackBytes + kSpareBytes;
  written_.store(0);
  handedOver_.store(0);
  convertedBytes_.store(0);
  bytesPerPercent_ = static_cast<long>(trackBytes / 100);
  ripOver_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  convertOver_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  return true;
}

void PcmHandOver::End() {
  base_.reset();
  capacity_ = 0;
  written_.store(0);
  handedOver_.store(0);
}

void PcmHandOver::Append(const std::uint8_t* data, std::size_t bytes) {
  const std::size_t at = written_.load(std::memory_order_relaxed);
  bytes = std::min(bytes, capacity_ - at);
  std::memcpy(base_.get() + at, data, bytes);
  written_.store(at + bytes, std::memory_order_release);
}

void PcmHandOver::AppendSilence(std::size_t bytes) {
  // The buffer was zero-filled and each byte is written once: skipping leaves zero samples.
  const std::size_t at = written_.load(std::memory_order_relaxed);
  written_.store(at + std::min(bytes, capacity_ - at), std::memory_order_release);
}

bool PcmHandOver::Signalled(HANDLE event, DWORD waitMs) {
  return event && WaitForSingleObject(event, waitMs) == WAIT_OBJECT_0;
}

std::size_t PcmHandOver::PendingBytes() const {
  const std::size_t pending = written_.load(std::memory_order_acquire) - handedOver_.load(std::memory_order_relaxed);
  return pending - pending % kSampleFrameBytes;
}

bool PcmHandOver::HandOver(SampleWriter& writer, std::size_t bytes) {
  com::safearray samples(SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(bytes / sizeof(SHORT))));
  if (!samples) return false;
  {
    com::safearray_data<SHORT> access(samples.get());
    if (!access) return false;
    std::memcpy(access.begin(), base_.get() + handedOver_.load(std::memory_order_relaxed), bytes);
  }
  writer.WriteSamples(samples.get());
  convertedBytes_.fetch_add(static_cast<long>(bytes));
  handedOver_.fetch_add(bytes, std::memory_order_release);
  return true;
}

bool PcmHandOver::TakePercentReached() {
  long converted = convertedBytes_.load();
  while (converted >= bytesPerPercent_)
    if (convertedBytes_.compare_exchange_weak(converted, 0)) return true;
  return false;
}

void ConvertTick(PcmHandOver& pcm, SampleWriter& writer, RipLog& log, bool stopRequested) {
  log.Line("Convert In Progress");
  const std::size_t bytes = pcm.PendingBytes();
  const bool handedOver = bytes > 0 && pcm.HandOver(writer, bytes);
  log.Line("Wait for RipOverEvent");
  if (!handedOver) log.Line("Size is 0!");
  // The worker sets rip-over before it waits and only this tick sets convert-over, so both
  // are looked at as they are: waiting for them would only stretch every tick of the rip.
  if (!pcm.RipOverSignalled(0)) return;
  log.Line("Rip Is Over!");
  // The read loop is over, so a hand-over that left nothing pending was the last one: the end
  // is told now, not one tick later.
  if ((!handedOver || pcm.PendingBytes() == 0) && (!pcm.ConvertOverSignalled(0) || stopRequested)) {
    pcm.SetConvertOver();
    log.Line("Set ConvertOverEvent");
  }
}

}  // namespace rip
