#include "AspiClient.h"

#include <algorithm>
#include <cstring>

namespace simdrive {

AspiClient::AspiClient() : library_(LoadLibraryA("WNASPI32.DLL")) {
  if (!library_) return;
  supportInfo_ = reinterpret_cast<aspi::GetASPI32SupportInfoFn>(
      reinterpret_cast<void*>(GetProcAddress(library_.get(), "GetASPI32SupportInfo")));
  send_ = reinterpret_cast<aspi::SendASPI32CommandFn>(
      reinterpret_cast<void*>(GetProcAddress(library_.get(), "SendASPI32Command")));
}

std::uint8_t AspiClient::AdapterInquiry(int adapter, aspi::SRB_HAInquiry& request) const {
  request = {};
  request.SRB_Cmd = aspi::SC_HA_INQUIRY;
  request.SRB_HaId = static_cast<std::uint8_t>(adapter);
  Send(&request);
  return request.SRB_Status;
}

std::uint8_t AspiClient::DeviceType(int adapter, int target, int lun, std::uint8_t& type) const {
  aspi::SRB_GDEVBlock request{};
  request.SRB_Cmd = aspi::SC_GET_DEV_TYPE;
  request.SRB_HaId = static_cast<std::uint8_t>(adapter);
  request.SRB_Target = static_cast<std::uint8_t>(target);
  request.SRB_Lun = static_cast<std::uint8_t>(lun);
  Send(&request);
  type = request.SRB_DeviceType;
  return request.SRB_Status;
}

ExecResult AspiClient::Execute(int adapter, int target, int lun, std::uint8_t flags,
                               const std::vector<std::uint8_t>& cdb, void* buffer, std::uint32_t length,
                               DWORD waitMs) const {
  ExecResult result;
  aspi::SRB_ExecSCSICmd& request = result.request;
  const bool notify = (flags & aspi::SRB_EVENT_NOTIFY) != 0;
  const com::unique_handle event(notify ? CreateEventA(nullptr, TRUE, FALSE, nullptr) : nullptr);
  request.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  request.SRB_HaId = static_cast<std::uint8_t>(adapter);
  request.SRB_Target = static_cast<std::uint8_t>(target);
  request.SRB_Lun = static_cast<std::uint8_t>(lun);
  request.SRB_Flags = flags;
  request.SRB_BufLen = length;
  request.SRB_BufPointer = static_cast<std::uint8_t*>(buffer);
  request.SRB_SenseLen = aspi::SENSE_LEN;
  request.SRB_CDBLen = static_cast<std::uint8_t>(cdb.size());
  request.SRB_PostProc = event.get();
  std::memcpy(request.CDBByte, cdb.data(), std::min(cdb.size(), sizeof request.CDBByte));
  result.returned = Send(&request);
  if (result.returned == aspi::SS_PENDING) {
    result.waited = true;
    if (notify) {
      result.signalled = WaitForSingleObject(event.get(), waitMs) == WAIT_OBJECT_0;
    } else {
      // Without notification the status byte is polled.
      const ULONGLONG until = GetTickCount64() + waitMs;
      while (request.SRB_Status == aspi::SS_PENDING && GetTickCount64() < until) Sleep(1);
    }
  }
  return result;
}

}  // namespace simdrive
