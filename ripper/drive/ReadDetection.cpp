#include <cstdint>
#include <cstring>

#include "AudioReads.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "ReadFrame.h"

namespace drive {

namespace {

constexpr std::uint8_t kTestFill = 0xAA;
constexpr std::uint32_t kTestFillWord = 0xAAAAAAAA;
constexpr int kFillRunThatFails = 8;
constexpr int kTestReadsPerClass = 3;
constexpr int kDetectionOrder[] = {CDRT_ATAPI2,   CDRT_ATAPI1,   CDRT_READ10_2, CDRT_READ10,
                                   CDRT_READ_D8, CDRT_READ_D4, CDRT_READ_D4_1};

// A drive that takes the command but sends no data leaves the fill in place.
bool FillSurvived(const ReadBuffer& buffer) {
  const std::uint8_t* data = buffer.data() + buffer.dataOffset;
  const int words = buffer.bytesValid / 4;
  int run = 0;
  for (int index = 0; index < words; ++index) {
    std::uint32_t word;
    std::memcpy(&word, data + index * 4, sizeof word);
    run = word == kTestFillWord ? run + 1 : 0;
    if (run == kFillRunThatFails) return true;
  }
  return false;
}

}  // namespace

int TestReadCDAudioLBA(int handle, ReadBuffer* buffer) {
  WriteCDLayerLog("Test read CD Audio");
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  if (!BufferTakesFrames(buffer)) return kLayerFailure;
  std::memset(buffer->data(), kTestFill, static_cast<std::size_t>(buffer->frameCount) * kFrameBytes);
  const int result = record->readFunction(handle, buffer);
  if (result != kLayerSuccess) return result;
  return FillSurvived(*buffer) ? kLayerFailure : kLayerSuccess;
}

int ReadCDAudioLBA_ANY(int handle, ReadBuffer* buffer) {
  WriteCDLayerLog("ReadCDAudioLBA_ANY");
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  if (!BufferTakesFrames(buffer)) return kLayerFailure;

  int result = kLayerFailure;
  for (int readClass : kDetectionOrder) {
    // The class tried before is not restored: each candidate sets up the drive its own way.
    SelectReadClass(*record, readClass);
    record->restoreFunction = nullptr;
    record->blockModeSet = 0;
    for (int attempt = 0; attempt < kTestReadsPerClass; ++attempt) {
      result = TestReadCDAudioLBA(handle, buffer);
      if (result == kLayerSuccess) return result;
    }
  }
  SelectReadClass(*record, CDRT_ANY);
  return result;
}

}  // namespace drive
