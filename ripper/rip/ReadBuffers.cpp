#include "ReadBuffers.h"

#include <windows.h>

#include "RipArithmetic.h"

namespace rip {

namespace {

void SetFrames(drive::ReadBuffer* buffer, int frames) {
  buffer->frameCount = frames;
  buffer->bufferSize = frames * kFrameBytes;
}

}  // namespace

HeapReadBuffer::HeapReadBuffer(int frames)
    : block_(static_cast<drive::ReadBuffer*>(
          HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(drive::ReadBuffer) + std::size_t(frames) * kFrameBytes))) {
  // A header with the real capacity from the start: the drive layer trusts it.
  if (block_) SetFrames(block_.get(), frames);
}

void HeapReadBuffer::HeapFree::operator()(drive::ReadBuffer* block) const {
  ::HeapFree(GetProcessHeap(), 0, block);
}

void HeapReadBuffer::Aim(std::int32_t start, int frames) {
  block_->startAddress = start;
  block_->frameCount = frames;
  block_->bytesValid = 0;
  block_->dataOffset = 0;
}

void BufInit(RipLog& log, drive::ReadBuffer* buffer, int frames) {
  log.Line("BufInit Method. Num frames:", frames);
  buffer->startAddress = 0;
  SetFrames(buffer, frames);
  buffer->bytesValid = 0;
  buffer->readStatus = 0;
  buffer->dataOffset = 0;
  log.Line("BufInit Method End.");
}

}  // namespace rip
