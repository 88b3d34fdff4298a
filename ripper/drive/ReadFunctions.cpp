#include <cstdint>
#include <string>

#include "AudioReads.h"
#include "BlockSize.h"
#include "DriveCommands.h"
#include "DriveHandles.h"
#include "DriveTransport.h"
#include "ReadFrame.h"
#include "ScsiExecute.h"
#include "TransportInternals.h"

namespace drive {

namespace {

constexpr int kMaxFramesPerRead = 255;

// The low 24 bits of the start address, as the CDBs carry them.
struct Address {
  std::uint8_t high, middle, low;
};

// How much of the data area the transport is told to fill.
enum class Transfer { WholeBuffer, FramesAsked };

// Runs the read class's set-up before its first read. Only a failing block-size set-up of the
// READ(6)/READ(10) classes stops the read; a failing pause is of no consequence.
int RunSetUp(int handle, const DriveRecord& record) {
  switch (record.readClass) {
    case CDRT_READ6:
    case CDRT_READ10: return SetAudioBlockSize(handle);
    case CDRT_READ10_2: return SetAudioBlockSize2(handle);
    case CDRT_READ_D8:
    case CDRT_READ_D4: PauseResumeCD(handle, 1); return kLayerSuccess;
    case CDRT_READ_D4_1:
      PauseResumeCD(handle, 1);
      SetD4BlockMode(handle);
      return kLayerSuccess;
    default: return kLayerSuccess;
  }
}

template <typename BuildCommand>
int ReadFrames(const char* name, int handle, ReadBuffer* buffer, Transfer transfer, Trace trace,
               BuildCommand build) {
  WriteCDLayerLog((std::string(name) + ". Check Pointer...").c_str());
  if (!HasSendCommandEntry()) {
    WriteCDLayerLog("Pointer error!");
    SetTransportReady(0);
    return kLayerFailure;
  }
  SetTransportReady(1);
  WriteCDLayerLog("Success");

  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  if (!BufferTakesFrames(buffer)) return kLayerFailure;
  if (!record->blockModeSet) {
    if (RunSetUp(handle, *record) != kLayerSuccess) return kLayerFailure;
    record->blockModeSet = 1;
  }

  const auto start = static_cast<std::uint32_t>(buffer->startAddress);
  const Address address{static_cast<std::uint8_t>(start >> 16), static_cast<std::uint8_t>(start >> 8),
                        static_cast<std::uint8_t>(start)};
  const auto count = static_cast<std::uint8_t>(buffer->frameCount);
  const std::uint32_t length = transfer == Transfer::WholeBuffer
                                   ? static_cast<std::uint32_t>(buffer->bufferSize)
                                   : static_cast<std::uint32_t>(buffer->frameCount) * kFrameBytes;
  ScsiCommand command = build(*record, address, count);
  const std::uint8_t status = ExecuteScsiCommand(command.withData(buffer->data(), length), trace);
  if (RequestResult(status) != kLayerSuccess) return kLayerFailure;
  buffer->dataOffset = 0;
  buffer->bytesValid = buffer->frameCount * kFrameBytes;
  buffer->readStatus = 1;
  return kLayerSuccess;
}

}  // namespace

bool BufferTakesFrames(const ReadBuffer* buffer) {
  // Counts beyond the CDB's count byte would be read as fewer frames than reported valid.
  if (buffer && buffer->frameCount >= 0 && buffer->frameCount <= kMaxFramesPerRead &&
      buffer->bufferSize >= buffer->frameCount * kFrameBytes)
    return true;
  SetCDLayerError(kErrBufferTooSmall);
  return false;
}

int ReadCDAudioLBA(int handle, ReadBuffer* buffer) {
  WriteCDLayerLog("ReadCDAudioLBA");
  if (handle >= 1 && handle <= kMaxDriveHandles) WriteCDLayerLog("Check Handles");
  DriveRecord* record = OpenDriveOrFail(handle);
  if (!record) return kLayerFailure;
  WriteCDLayerLog("Success");
  return record->readFunction(handle, buffer);
}

int ReadCDAudioLBA_ATAPI(int handle, ReadBuffer* buffer) {
  return ReadFrames("ReadCDAudioLBA_ATAPI", handle, buffer, Transfer::WholeBuffer, Trace::Steps,
                    [](const DriveRecord& record, Address at, std::uint8_t count) {
                      return CommandTo(record, kFlagsDataIn,
                                       {0xBE, 0, 0, at.high, at.middle, at.low, 0, 0, count,
                                        ControlByte(record), 0, 0});
                    });
}

int ReadCDAudioLBA_D4(int handle, ReadBuffer* buffer) {
  return ReadFrames("ReadCDAudioLBA_D4", handle, buffer, Transfer::WholeBuffer, Trace::Quiet,
                    [](const DriveRecord& record, Address at, std::uint8_t count) {
                      return CommandTo(record, kFlagsDataIn,
                                       {0xD4, 0, 0, at.high, at.middle, at.low, 0, 0, count, 0});
                    });
}

int ReadCDAudioLBA_D8(int handle, ReadBuffer* buffer) {
  return ReadFrames("ReadCDAudioLBA_D8", handle, buffer, Transfer::FramesAsked, Trace::Quiet,
                    [](const DriveRecord& record, Address at, std::uint8_t count) {
                      return CommandTo(record, kFlagsDataIn,
                                       {0xD8, 0, 0, at.high, at.middle, at.low, 0, 0, 0, count, 0, 0});
                    });
}

int ReadCDAudioLBA_READ10(int handle, ReadBuffer* buffer) {
  return ReadFrames("ReadCDAudioLBA_READ10", handle, buffer, Transfer::WholeBuffer, Trace::Quiet,
                    [](const DriveRecord& record, Address at, std::uint8_t count) {
                      const auto lun = static_cast<std::uint8_t>(record.lun << 5);
                      return CommandTo(record, kFlagsDataIn,
                                       {0x28, lun, 0, at.high, at.middle, at.low, 0, 0, count, 0});
                    });
}

}  // namespace drive
