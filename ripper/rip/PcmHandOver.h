// The PCM of an encoding rip on its way to the encoder. The worker appends each block it reads;
// every 20 ms the media-check thread's convert tick hands what has been added since its last
// tick to the encoder as one block of 16-bit samples, and counts it. The two events end the
// rip in order: the worker sets rip-over when it has read its last block, and the tick sets
// convert-over once it has nothing left to hand over.
//
// Only the worker moves the write position, only the tick moves the hand-over position and
// adds to the converted-bytes counter, and the write position moves only after the bytes are
// in the buffer.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "RipHost.h"
#include "com/Handles.h"

namespace rip {

// The outside encoder object as the rip uses it.
class SampleWriter {
 public:
  // A one-dimensional VT_I2 array of whole stereo sample frames; the caller destroys it.
  virtual void WriteSamples(SAFEARRAY* samples) = 0;
  // Completes the file; false when it could not be written completely.
  virtual bool CloseFile() = 0;
  // Closes the file and deletes it, leaving any earlier file of its name as it was: for a rip
  // that failed before it had any audio, or that failed or was stopped replacing a file.
  virtual void Discard() = 0;
  // Whether completing the file would replace a file that was there before the rip.
  virtual bool Replaces() const = 0;

 protected:
  ~SampleWriter() = default;
};

class PcmHandOver {
 public:
  // Worker, before the tick is switched to convert: room for a track of `frames` frames and
  // 100 frames to spare, zero-filled; both events made anew, not signalled. False when the
  // heap has no room (nothing else is then set up).
  bool Begin(std::uint32_t frames);
  // Worker, at the end of the rip: frees the buffer.
  void End();

  // Worker: appends read audio or zero samples (never beyond the buffer's end).
  void Append(const std::uint8_t* data, std::size_t bytes);
  void AppendSilence(std::size_t bytes);

  void SetRipOver() { SetEvent(ripOver_.get()); }
  bool RipOverSignalled(DWORD waitMs) const { return Signalled(ripOver_.get(), waitMs); }
  void SetConvertOver() { SetEvent(convertOver_.get()); }
  bool ConvertOverSignalled(DWORD waitMs) const { return Signalled(convertOver_.get(), waitMs); }

  // Whole sample frames added but not yet handed over, in bytes.
  std::size_t PendingBytes() const;
  // Hands the next `bytes` (a multiple of 4) to the writer as one sample block, advances the
  // hand-over position and adds to the converted-bytes counter; false when no array could be
  // made (nothing handed over then).
  bool HandOver(SampleWriter& writer, std::size_t bytes);

  std::size_t HandedOverBytes() const { return handedOver_.load(std::memory_order_acquire); }
  long ConvertedBytes() const { return convertedBytes_.load(); }
  // The converted-bytes counter reached the bytes of one percent of the track: clears it and
  // says so.
  bool TakePercentReached();

 private:
  struct HeapFree {
    void operator()(std::uint8_t* block) const;
  };

  static bool Signalled(HANDLE event, DWORD waitMs);
  void Advance(std::size_t bytes);

  std::unique_ptr<std::uint8_t, HeapFree> base_;
  std::size_t capacity_ = 0;
  std::atomic<std::size_t> written_{0};
  std::atomic<std::size_t> handedOver_{0};
  std::atomic<long> convertedBytes_{0};
  long bytesPerPercent_ = 0;
  com::unique_handle ripOver_;
  com::unique_handle convertOver_;
};

// Mode 1 of the media-check tick: hands the new PCM over and takes part in ending the rip.
void ConvertTick(PcmHandOver& pcm, SampleWriter& writer, RipLog& log, bool stopRequested);

}  // namespace rip
