// The simulated ASPI host of one configuration: its adapters and drives, the answers to the
// three request commands, the command log and the control file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "AspiRequests.h"
#include "CommandLog.h"
#include "ControlFile.h"
#include "SimConfig.h"
#include "SimDrive.h"

namespace simdrive {

// How an execute request's status reaches the caller, decided by its drive.
struct Delivery {
  aspi::SRB_ExecSCSICmd* request = nullptr;  // null: the status is already in place
  std::uint8_t status = aspi::SS_COMP;
  HANDLE event = nullptr;  // signalled on completion when the request asked for it
  Completion completion = Completion::Sync;
  std::uint32_t delayMs = 0;
};

class AspiHost {
 public:
  explicit AspiHost(SimConfig config);

  DWORD SupportInfo() const;
  // Carries out the request; the status is delivered by `Deliver`.
  Delivery Handle(void* request);

 private:
  SimDrive* FindDrive(int adapter, int target, int lun);
  bool ValidAdapter(int adapter) const { return adapter >= 0 && adapter < static_cast<int>(config_.adapters.size()); }
  void ApplyControlFile();
  std::uint8_t AdapterInquiry(aspi::SRB_HAInquiry& request);
  std::uint8_t DeviceType(aspi::SRB_GDEVBlock& request);
  Delivery Execute(aspi::SRB_ExecSCSICmd& request);
  void Log(const std::string& line);

  SimConfig config_;
  std::vector<std::unique_ptr<SimDrive>> drives_;
  std::optional<CommandLog> log_;
  std::optional<ControlFile> control_;
};

}  // namespace simdrive
