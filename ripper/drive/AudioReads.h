// Audio sector reads: CD drives opened as handles 1..16, each with a read class that picks the
// command it reads audio with (or detects one with test reads), the block-size set-up some
// classes need, and jitter correction by matching the tail of the previous read.
#pragma once

#include <cstdint>

namespace drive {

constexpr int kFrameBytes = 2352;
constexpr int kMaxDriveHandles = 16;

// Read classes, as the ripper's type library numbers them.
constexpr int CDRT_ANY = 0;
constexpr int CDRT_ATAPI1 = 1;
constexpr int CDRT_ATAPI2 = 2;
constexpr int CDRT_READ6 = 3;
constexpr int CDRT_READ10 = 4;
constexpr int CDRT_READ_D8 = 5;
constexpr int CDRT_READ_D4 = 6;
constexpr int CDRT_READ_D4_1 = 7;
constexpr int CDRT_READ10_2 = 8;

#pragma pack(push, 1)
struct OpenRequest {
  std::uint8_t size;     // at least 12
  std::uint8_t version;  // 1
  std::uint8_t hostAdapter;
  std::uint8_t target;
  std::uint8_t lun;
  std::uint8_t readClass;
  std::uint8_t jitterCorrection[4];  // not read by the layer
  std::uint8_t jitterMatchFrames;
  std::uint8_t jitterReadBackFrames;
};
#pragma pack(pop)
static_assert(sizeof(OpenRequest) == 12);

// The header of a read buffer; bufferSize bytes of data follow it in the same block.
struct ReadBuffer {
  std::int32_t startAddress;  // LBA of the first frame
  std::int32_t frameCount;    // at most 255
  std::int32_t bufferSize;    // bytes of the data area
  std::int32_t bytesValid;
  std::int32_t readStatus;    // 1 after a successful read
  std::int32_t dataOffset;    // where the valid data begins in the data area

  std::uint8_t* data() { return reinterpret_cast<std::uint8_t*>(this + 1); }
  const std::uint8_t* data() const { return reinterpret_cast<const std::uint8_t*>(this + 1); }
};
static_assert(sizeof(ReadBuffer) == 24);

// The handle 1..16, or 0 with the cause in the last error.
int OpenCDDrive(const OpenRequest* request);
// 1, or 0 for a handle that is not open.
int CloseCDDrive(int handle);
// Option codes: ' ' drive speed, '$' TOC addresses as MSF (1) or LBA (0), '%' jitter read-back
// frames, '&' jitter match frames, '\'' accepted without effect. 1 when taken, else 0.
int SetDriveOption(int handle, int code, int value);

int ReadCDAudioLBA(int handle, ReadBuffer* buffer);
// overlap carries the tail of the previous read between calls.
int ReadCDAudioLBAJitter(int handle, ReadBuffer* buffer, ReadBuffer* overlap);

// The read functions behind the read classes.
int ReadCDAudioLBA_ATAPI(int handle, ReadBuffer* buffer);
int ReadCDAudioLBA_D4(int handle, ReadBuffer* buffer);
int ReadCDAudioLBA_D8(int handle, ReadBuffer* buffer);
int ReadCDAudioLBA_READ10(int handle, ReadBuffer* buffer);
int ReadCDAudioLBA_ANY(int handle, ReadBuffer* buffer);
int TestReadCDAudioLBA(int handle, ReadBuffer* buffer);

// Finds the overlap's matchFrames frames (the tail of the previous read) in the buffer's new
// data and moves the buffer's valid data to just behind them; 1 when matched or when the tail is
// empty or silent (nothing searched, nothing changed), else 0. After a search the valid data is
// cut to whole frames, matched or not.
int MatchOverlap(ReadBuffer* buffer, const ReadBuffer* overlap, int matchFrames);

}  // namespace drive
