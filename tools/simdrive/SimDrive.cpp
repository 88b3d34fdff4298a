#include "SimDrive.h"

#include <algorithm>
#include <cstring>

#include "AudioGenerator.h"
#include "TocReplies.h"

namespace simdrive {
namespace {

constexpr std::uint8_t kTestUnitReady = 0x00;
constexpr std::uint8_t kInquiry = 0x12;
constexpr std::uint8_t kModeSelect6 = 0x15;
constexpr std::uint8_t kStartStopUnit = 0x1B;
constexpr std::uint8_t kPreventAllowRemoval = 0x1E;
constexpr std::uint8_t kReadToc = 0x43;
constexpr std::uint8_t kPauseResume = 0x4B;
constexpr std::uint8_t kReadTrackInformation = 0x52;
constexpr std::uint8_t kSetCdSpeed = 0xBB;

void PutPadded(std::vector<std::uint8_t>& out, std::size_t at, const std::string& text, std::size_t size) {
  std::memset(out.data() + at, ' ', size);
  std::memcpy(out.data() + at, text.data(), std::min(size, text.size()));
}

}  // namespace

SimDrive::SimDrive(const DriveSetup& setup, const SimConfig& config)
    : setup_(setup), disc_(config.FindDisc(setup.disc)), reader_(setup_) {
  for (const DiscChange& change : setup_.changes) changes_.emplace_back(change.command, config.FindDisc(change.disc));
}

void SimDrive::ChangeDisc(std::shared_ptr<const Disc> disc) {
  disc_ = std::move(disc);
  trayOpen_ = false;
}

bool SimDrive::AnswerDeviceType() {
  if (goneOpens_ == 0) return true;
  --goneOpens_;
  return false;
}

bool SimDrive::NotReadyNow() const {
  return std::any_of(setup_.notReady.begin(), setup_.notReady.end(),
                     [&](const CommandRange& range) { return commands_ >= range.first && commands_ <= range.last; });
}

bool SimDrive::Rejects(std::uint8_t opcode) const {
  if (std::find(setup_.rejected.begin(), setup_.rejected.end(), opcode) != setup_.rejected.end()) return true;
  const auto read = ReadCommandOf(opcode);
  return read && (setup_.reads & *read) == 0;
}

ScsiOutcome SimDrive::MediumCheck() const {
  if (trayOpen_) return ScsiOutcome::Check(sense::kNoMediumTrayOpen);
  if (!disc_) return ScsiOutcome::Check(sense::kNoMediumTrayClosed);
  return ScsiOutcome::Good();
}

ScsiOutcome SimDrive::Execute(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity) {
  ++commands_;
  for (const auto& [command, disc] : changes_) {
    if (command == commands_) ChangeDisc(disc);
  }
  const std::uint8_t opcode = cdb[0];
  if (Rejects(opcode)) return ScsiOutcome::Check(sense::kInvalidOpcode);
  if (opcode != kInquiry && NotReadyNow()) return ScsiOutcome::Check(sense::kNotReadyBecoming);
  return Dispatch(cdb, buffer, capacity);
}

ScsiOutcome SimDrive::Dispatch(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity) {
  Sense error;
  switch (cdb[0]) {
    case kInquiry:
      return Inquiry(cdb, buffer, capacity);
    case kTestUnitReady:
      return MediumCheck();
    case kModeSelect6:
      return ModeSelect(cdb, buffer, capacity);
    case kStartStopUnit:
      return StartStop(cdb);
    case kPreventAllowRemoval:
      removalPrevented_ = (cdb[4] & 0x01) != 0;
      return ScsiOutcome::Good();
    case kSetCdSpeed:
    case kPauseResume:
      return ScsiOutcome::Good();
    case kReadToc:
    case kReadTrackInformation: {
      if (const ScsiOutcome medium = MediumCheck(); !medium.good) return medium;
      const auto reply = cdb[0] == kReadToc ? TocReply(*disc_, cdb, error) : TrackInfoReply(*disc_, cdb, error);
      if (!reply) return ScsiOutcome::Check(error);
      return Transfer(*reply, BigEndian(cdb + 7, 2), buffer, capacity);
    }
    default:
      break;
  }
  if (ReadCommandOf(cdb[0])) {
    if (const ScsiOutcome medium = MediumCheck(); !medium.good) return medium;
    const auto request = ParseRead(cdb, blockLength_, error);
    if (!request) return ScsiOutcome::Check(error);
    return reader_.Read(*disc_, *request, buffer, capacity);
  }
  return ScsiOutcome::Check(sense::kInvalidOpcode);
}

ScsiOutcome SimDrive::Inquiry(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity) const {
  // Standard data plus the 20 vendor-specific bytes the drive layer copies.
  std::vector<std::uint8_t> reply(56);
  reply[0] = static_cast<std::uint8_t>(setup_.deviceType);
  reply[1] = setup_.deviceType == 5 ? 0x80 : 0x00;  // removable medium
  reply[2] = 0x02;
  reply[3] = 0x02;
  reply[4] = static_cast<std::uint8_t>(reply.size() - 5);
  PutPadded(reply, 8, setup_.vendor, 8);
  PutPadded(reply, 16, setup_.product, 16);
  PutPadded(reply, 32, setup_.revision, 4);
  return Transfer(reply, cdb[4], buffer, capacity);
}

// MODE SELECT(6): the block descriptor sets the block length READ(10) uses; pages are taken
// as they come.
ScsiOutcome SimDrive::ModeSelect(const std::uint8_t* cdb, const std::uint8_t* buffer, std::uint32_t capacity) {
  const std::uint32_t length = cdb[4];
  if (length > capacity) return ScsiOutcome::Overrun();
  if (length == 0) return ScsiOutcome::Good();
  if (length < 4) return ScsiOutcome::Check(sense::kInvalidParameter);
  const std::uint32_t descriptorLength = buffer[3];
  if (descriptorLength != 0 && descriptorLength != 8) return ScsiOutcome::Check(sense::kInvalidParameter);
  if (descriptorLength == 8) {
    if (length < 12) return ScsiOutcome::Check(sense::kInvalidParameter);
    const std::uint32_t blockLength = BigEndian(buffer + 9, 3);
    if (blockLength != 2048 && blockLength != kFrameBytes) return ScsiOutcome::Check(sense::kInvalidParameter);
    blockLength_ = blockLength;
  }
  return ScsiOutcome::Good(length);
}

ScsiOutcome SimDrive::StartStop(const std::uint8_t* cdb) {
  const bool loadEject = (cdb[4] & 0x02) != 0;
  const bool start = (cdb[4] & 0x01) != 0;
  if (!loadEject) return ScsiOutcome::Good();
  if (start) {
    trayOpen_ = false;
    return ScsiOutcome::Good();
  }
  if (removalPrevented_) return ScsiOutcome::Check(sense::kRemovalPrevented);
  trayOpen_ = true;
  return ScsiOutcome::Good();
}

}  // namespace simdrive
