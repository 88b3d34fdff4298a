// A read buffer with room for a number of frames, in one block as the rip engine allocates it.
#pragma once

#include <cstdint>
#include <vector>

#include "AudioReads.h"

class ReadBufferBlock {
 public:
  explicit ReadBufferBlock(int frames, int startAddress = 0)
      : storage_(sizeof(drive::ReadBuffer) + std::size_t(frames) * drive::kFrameBytes) {
    drive::ReadBuffer& header = *get();
    header.startAddress = startAddress;
    header.frameCount = frames;
    header.bufferSize = frames * drive::kFrameBytes;
  }
  drive::ReadBuffer* get() { return reinterpret_cast<drive::ReadBuffer*>(storage_.data()); }
  drive::ReadBuffer* operator->() { return get(); }
  std::uint8_t* data() { return get()->data(); }

 private:
  std::vector<std::uint8_t> storage_;
};
