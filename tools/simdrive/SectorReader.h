// The four read commands of a simulated drive (READ CD, the vendor reads D4 and D8, and
// READ(10)), with the drive's injected read faults: unreadable frame ranges, jitter and
// reads that move no data.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "DiscImage.h"
#include "ScsiOutcome.h"
#include "SimConfig.h"

namespace simdrive {

// Which bytes of each sector a read moves.
enum class SectorPart { Nothing, Raw, UserData, Cooked2048 };

struct ReadRequest {
  ReadCommand command = kReadCd;
  std::int64_t lba = 0;
  std::int64_t count = 0;
  SectorPart part = SectorPart::Raw;
  int sectorType = 0;  // READ CD's expected sector type; 0 = any
};

// The read command of `cdb`, or nullopt for an opcode that is not one of the four.
std::optional<ReadCommand> ReadCommandOf(std::uint8_t opcode);

// Decodes a read CDB; `blockLength` is the drive's current block length (READ(10)).
std::optional<ReadRequest> ParseRead(const std::uint8_t* cdb, std::uint32_t blockLength, Sense& error);

class SectorReader {
 public:
  explicit SectorReader(const DriveSetup& setup);

  ScsiOutcome Read(const Disc& disc, const ReadRequest& request, std::uint8_t* buffer, std::uint32_t capacity);

 private:
  bool FailsForFaults(const ReadRequest& request);
  int NextJitter();

  const DriveSetup& setup_;
  std::vector<int> failuresLeft_;  // per unreadable range
  std::size_t jitterCursor_ = 0;
  std::vector<std::uint8_t> frame_;
};

}  // namespace simdrive
