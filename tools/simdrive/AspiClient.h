// A minimal caller of WNASPI32.DLL for the tools and tests of the simulated host: loads the
// library by name as the drive layer does and sends requests, waiting on each request's event
// when it is pending.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "AspiRequests.h"
#include "com/Handles.h"

namespace simdrive {

struct ExecResult {
  DWORD returned = 0;  // what SendASPI32Command returned
  bool waited = false;  // the request was pending and the caller waited on its event
  bool signalled = false;  // the event was signalled while waiting
  aspi::SRB_ExecSCSICmd request{};  // the request as it stands after completion
};

class AspiClient {
 public:
  AspiClient();  // loads "WNASPI32.DLL"

  bool Loaded() const { return send_ != nullptr && supportInfo_ != nullptr; }
  DWORD SupportInfo() const { return supportInfo_(); }
  DWORD Send(void* request) const { return send_(request); }
  HMODULE Module() const { return library_.get(); }

  std::uint8_t AdapterInquiry(int adapter, aspi::SRB_HAInquiry& request) const;
  std::uint8_t DeviceType(int adapter, int target, int lun, std::uint8_t& type) const;

  // One execute request with sense length 14 and, when `flags` ask for event notification,
  // its own event; a pending request is waited for at most `waitMs`.
  ExecResult Execute(int adapter, int target, int lun, std::uint8_t flags, const std::vector<std::uint8_t>& cdb,
                     void* buffer, std::uint32_t length, DWORD waitMs = 4000) const;

 private:
  com::unique_library library_;
  aspi::GetASPI32SupportInfoFn supportInfo_ = nullptr;
  aspi::SendASPI32CommandFn send_ = nullptr;
};

}  // namespace simdrive
