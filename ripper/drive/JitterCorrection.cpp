#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "AudioReads.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "TransportInternals.h"

namespace drive {

namespace {

bool AllZero(const std::uint8_t* bytes, std::int64_t length) {
  return std::all_of(bytes, bytes + std::max<std::int64_t>(length, 0),
                     [](std::uint8_t byte) { return byte == 0; });
}

bool ValidDataAllZero(const ReadBuffer& buffer) {
  return AllZero(buffer.data() + buffer.dataOffset, buffer.bytesValid);
}

void ClearOverlap(ReadBuffer& overlap) {
  overlap.startAddress = 0;
  overlap.frameCount = 0;
  overlap.bytesValid = 0;
}

// First offset at which the pattern lies wholly inside the data, or -1. A Knuth-Morris-Pratt
// scan: it never looks at a data byte twice, whatever the audio holds, and while no prefix is
// matched it jumps straight to the next occurrence of the pattern's first byte.
std::ptrdiff_t FindFirst(const std::uint8_t* data, std::ptrdiff_t dataLength,
                         const std::uint8_t* pattern, std::ptrdiff_t patternLength) {
  if (patternLength == 0) return dataLength >= 0 ? 0 : -1;
  if (dataLength < patternLength) return -1;
  std::vector<std::ptrdiff_t> border(static_cast<std::size_t>(patternLength));
  border[0] = 0;
  for (std::ptrdiff_t index = 1, length = 0; index < patternLength; ++index) {
    while (length > 0 && pattern[index] != pattern[length]) length = border[length - 1];
    if (pattern[index] == pattern[length]) ++length;
    border[index] = length;
  }
  std::ptrdiff_t matched = 0;
  for (std::ptrdiff_t index = 0; index < dataLength; ++index) {
    if (matched == 0) {
      const void* next = std::memchr(data + index, pattern[0], dataLength - index);
      if (!next) return -1;
      index = static_cast<const std::uint8_t*>(next) - data;
    }
    while (matched > 0 && data[index] != pattern[matched]) matched = border[matched - 1];
    if (data[index] == pattern[matched]) ++matched;
    if (matched == patternLength) return index - patternLength + 1;
  }
  return -1;
}

// Keeps the last matchFrames frames before the end of the valid data for the next read.
void KeepTail(const ReadBuffer& buffer, ReadBuffer& overlap, int matchFrames) {
  const std::int64_t tailBytes = std::int64_t{matchFrames} * kFrameBytes;
  const std::int64_t end = std::int64_t{buffer.dataOffset} + buffer.bytesValid;
  if (end < tailBytes) {
    // A read shorter than the tail has nothing to line the next read up with.
    ClearOverlap(overlap);
    return;
  }
  std::memcpy(overlap.data(), buffer.data() + (end - tailBytes), static_cast<std::size_t>(tailBytes));
  overlap.frameCount = matchFrames;
  overlap.startAddress = buffer.startAddress + buffer.frameCount - matchFrames;
  overlap.bytesValid = static_cast<std::int32_t>(tailBytes);
  overlap.dataOffset = 0;
}

}  // namespace

int MatchOverlap(ReadBuffer* buffer, const ReadBuffer* overlap, int matchFrames) {
  if (overlap->bytesValid <= 0 || ValidDataAllZero(*overlap)) return 1;
  const std::ptrdiff_t patternLength = std::ptrdiff_t{matchFrames} * kFrameBytes;
  // The last place searched leaves at least one byte of new data behind the match.
  const std::ptrdiff_t found =
      FindFirst(buffer->data(), std::ptrdiff_t{buffer->bytesValid} - 1,
                overlap->data() + overlap->dataOffset, patternLength);
  if (found >= 0) {
    const auto consumed = static_cast<std::int32_t>(found + patternLength);
    buffer->dataOffset = consumed;
    buffer->bytesValid -= consumed;
    buffer->startAddress = overlap->startAddress + matchFrames;
  }
  buffer->frameCount = buffer->bytesValid / kFrameBytes;
  buffer->bytesValid = buffer->frameCount * kFrameBytes;
  return found >= 0 ? 1 : 0;
}

int ReadCDAudioLBAJitter(int handle, ReadBuffer* buffer, ReadBuffer* overlap) {
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  if (!buffer || !overlap) {
    SetCDLayerError(kErrBufferTooSmall);
    return kLayerFailure;
  }
  const int matchFrames = record->jitterMatchFrames;
  const int readBackFrames = record->jitterReadBackFrames;

  if (overlap->bufferSize < std::int64_t{matchFrames} * kFrameBytes) {
    const int result = record->readFunction(handle, buffer);
    ClearOverlap(*overlap);
    return result;
  }

  bool matching = false;
  if (!ValidDataAllZero(*overlap)) {
    const bool joins = overlap->startAddress && overlap->frameCount && overlap->bytesValid &&
                       overlap->startAddress == buffer->startAddress - matchFrames;
    if (joins) {
      buffer->startAddress -= readBackFrames;
      if (buffer->frameCount < readBackFrames &&
          buffer->bufferSize >= std::int64_t{readBackFrames + buffer->frameCount} * kFrameBytes)
        buffer->frameCount += readBackFrames;
    } else {
      ClearOverlap(*overlap);
    }
    matching = true;
  }

  const int result = record->readFunction(handle, buffer);
  if (result != kLayerSuccess) return result;
  if (matching && !MatchOverlap(buffer, overlap, matchFrames)) {
    SetCDLayerError(kErrNoOverlapMatch);
    return kLayerFailure;
  }
  KeepTail(*buffer, *overlap, matchFrames);
  return kLayerSuccess;
}

}  // namespace drive
