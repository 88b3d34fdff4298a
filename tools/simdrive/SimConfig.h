// The configuration of the simulated host: adapters, drives with their behaviour and
// faults, and the discs they hold. Parsed from the text of the file that SIMDRIVE_CONFIG names;
// README.md documents the format.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DiscImage.h"
#include "IniText.h"

namespace simdrive {

constexpr const char* kConfigVariable = "SIMDRIVE_CONFIG";

struct Address {
  int adapter = 0;
  int target = 0;
  int lun = 0;
  auto operator<=>(const Address&) const = default;
};

std::optional<Address> ParseAddress(std::string_view text);  // "adapter:target:lun"
std::string FormatAddress(const Address& address);

// The read commands a drive may accept, as bits.
enum ReadCommand : unsigned {
  kReadCd = 1,   // READ CD (BE)
  kReadD4 = 2,   // vendor read D4
  kReadD8 = 4,   // vendor read D8
  kRead10 = 8,   // READ(10) (28), audio only once MODE SELECT set 2352-byte blocks
};

enum class Completion { Sync, Pending, Never };

struct FrameRange {
  std::int32_t first = 0;
  std::int32_t last = 0;
  int failures = 0;  // reads that fail before the range reads well; 0 = always
};

struct CommandRange {
  std::uint64_t first = 0;
  std::uint64_t last = 0;
};

struct DiscChange {
  std::uint64_t command = 0;
  std::string disc;  // empty: the disc is taken out
};

struct DriveSetup {
  Address address;
  int deviceType = 5;
  std::string vendor = "TALVO";
  std::string product = "SIMDRIVE CD-ROM";
  std::string revision = "1.0";
  unsigned reads = kReadCd;
  unsigned emptyReads = 0;             // accepted with good status, but no data moves
  std::vector<std::uint8_t> rejected;  // opcodes answered as unknown
  std::string disc;                    // empty: no disc
  Completion completion = Completion::Sync;
  std::uint32_t delayMs = 0;
  std::vector<FrameRange> unreadable;
  std::vector<int> jitter;  // frames a read lands off, one value per read in turn
  std::vector<CommandRange> notReady;
  std::vector<DiscChange> changes;
};

struct AdapterSpec {
  int targets = 8;  // reported in the adapter inquiry
  bool inquiryFails = false;
};

struct SimConfig {
  std::string logPath;      // empty: no command log
  std::string controlPath;  // empty: no control file
  std::vector<AdapterSpec> adapters;
  std::vector<DriveSetup> drives;
  std::map<std::string, std::shared_ptr<const Disc>> discs;

  std::shared_ptr<const Disc> FindDisc(const std::string& name) const;  // null for ""
};

// `folder` (ending in a path separator, or empty) resolves relative file names.
std::optional<SimConfig> ParseConfig(std::string_view text, const std::string& folder, TextError& error);

}  // namespace simdrive
