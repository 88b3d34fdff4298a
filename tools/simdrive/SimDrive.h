// One simulated drive: its INQUIRY identity, the disc in it, tray and block-size state, and
// the SCSI/MMC commands it answers, with its injected faults.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "DiscImage.h"
#include "ScsiOutcome.h"
#include "SectorReader.h"
#include "SimConfig.h"

namespace simdrive {

class SimDrive {
 public:
  SimDrive(const DriveSetup& setup, const SimConfig& config);
  SimDrive(const SimDrive&) = delete;
  SimDrive& operator=(const SimDrive&) = delete;

  const DriveSetup& Setup() const { return setup_; }
  // Number of the last command executed (1 for the first since the configuration loaded).
  std::uint64_t CommandCount() const { return commands_; }

  // Puts `disc` in (null takes the disc out) with the tray closed.
  void ChangeDisc(std::shared_ptr<const Disc> disc);

  // The drive drops off the host for its next `opens` opens: that many device-type requests
  // find no drive at its address. Its commands are answered as before meanwhile.
  void GoAway(int opens) { goneOpens_ = opens; }
  // A device-type request for the drive: false while it is gone, which uses up one open.
  bool AnswerDeviceType();

  ScsiOutcome Execute(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity);

 private:
  bool NotReadyNow() const;
  bool Rejects(std::uint8_t opcode) const;
  ScsiOutcome Dispatch(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity);
  ScsiOutcome Inquiry(const std::uint8_t* cdb, std::uint8_t* buffer, std::uint32_t capacity) const;
  ScsiOutcome ModeSelect(const std::uint8_t* cdb, const std::uint8_t* buffer, std::uint32_t capacity);
  ScsiOutcome StartStop(const std::uint8_t* cdb);
  ScsiOutcome MediumCheck() const;

  DriveSetup setup_;
  std::vector<std::pair<std::uint64_t, std::shared_ptr<const Disc>>> changes_;
  std::shared_ptr<const Disc> disc_;
  bool trayOpen_ = false;
  bool removalPrevented_ = false;
  std::uint32_t blockLength_ = 2048;
  std::uint64_t commands_ = 0;
  int goneOpens_ = 0;
  SectorReader reader_;
};

}  // namespace simdrive
