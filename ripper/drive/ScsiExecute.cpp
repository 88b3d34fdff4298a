#include "ScsiExecute.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "AspiRequests.h"
#include "DriveTransport.h"
#include "TransportInternals.h"
#include "com/Handles.h"

namespace drive {

namespace {

constexpr DWORD kRequestWaitMs = 4000;

// The request block and the data the host works on. Both live on the heap so a request the
// host has not finished can outlive the call that sent it.
struct Request {
  aspi::SRB_ExecSCSICmd block{};
  com::unique_handle done;
  std::vector<std::uint8_t> data;

  std::uint8_t status() { return std::atomic_ref<std::uint8_t>(block.SRB_Status).load(); }
};

// Requests given up on after the wait, kept until the host signals them finished.
std::mutex abandonedLock;
std::vector<std::unique_ptr<Request>> abandoned;

void ReleaseFinishedRequests() {
  std::lock_guard lock(abandonedLock);
  std::erase_if(abandoned, [](const std::unique_ptr<Request>& request) {
    return WaitForSingleObject(request->done.get(), 0) == WAIT_OBJECT_0;
  });
}

std::atomic<bool> lastTimedOut{false};

void Abandon(std::unique_ptr<Request> request) {
  std::lock_guard lock(abandonedLock);
  abandoned.push_back(std::move(request));
}

}  // namespace

ScsiCommand::ScsiCommand(int adapterId, int targetId, int lunId, std::uint8_t requestFlags,
                         std::initializer_list<std::uint8_t> bytes)
    : adapter(static_cast<std::uint8_t>(adapterId)),
      target(static_cast<std::uint8_t>(targetId)),
      lun(static_cast<std::uint8_t>(lunId)),
      flags(requestFlags),
      cdbLength(static_cast<std::uint8_t>(bytes.size())) {
  std::copy(bytes.begin(), bytes.end(), cdb.begin());
}

ScsiCommand& ScsiCommand::withData(void* buffer, std::uint32_t length) {
  data = static_cast<std::uint8_t*>(buffer);
  dataLength = length;
  return *this;
}

std::uint8_t ExecuteScsiCommand(const ScsiCommand& command, Trace trace) {
  ReleaseFinishedRequests();
  auto request = std::make_unique<Request>();
  if (command.data) request->data.assign(command.data, command.data + command.dataLength);

  aspi::SRB_ExecSCSICmd& block = request->block;
  block.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  block.SRB_HaId = command.adapter;
  block.SRB_Flags = command.flags;
  block.SRB_Target = command.target;
  block.SRB_Lun = command.lun;
  block.SRB_BufLen = command.data ? command.dataLength : 0;
  block.SRB_BufPointer = command.data ? request->data.data() : nullptr;
  block.SRB_SenseLen = aspi::SENSE_LEN;
  block.SRB_CDBLen = command.cdbLength;
  std::copy(command.cdb.begin(), command.cdb.end(), block.CDBByte);
  request->done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ResetEvent(request->done.get());
  block.SRB_PostProc = request->done.get();

  const bool traced = trace == Trace::Steps;
  if (traced) WriteCDLayerLog("SendASPI32Command");
  bool finished = true;
  if (SendAspiRequest(&block) == aspi::SS_PENDING) {
    if (traced) WriteCDLayerLog("Wait for single object");
    finished = WaitForSingleObject(request->done.get(), kRequestWaitMs) == WAIT_OBJECT_0;
  }
  if (traced) WriteCDLayerLog("Check returned state");

  const std::uint8_t status = request->status();
  if (status != aspi::SS_PENDING) std::copy(request->data.begin(), request->data.end(), command.data);
  lastTimedOut = !finished;
  if (!finished) Abandon(std::move(request));
  return status;
}

bool LastRequestTimedOut() { return lastTimedOut; }

}  // namespace drive

