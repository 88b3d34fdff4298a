// Execute requests: one SCSI command sent through the transport with its own event, waited for
// at most 4000 ms and judged by its status byte.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

namespace drive {

// Request flags the layer sends.
constexpr std::uint8_t kFlagsDataIn = 0x48;   // data in, event notification
constexpr std::uint8_t kFlagsDataOut = 0x50;  // data out, event notification
constexpr std::uint8_t kFlagsNoData = 0x40;   // event notification, no direction
constexpr std::uint8_t kFlagsRestore = 0x44;  // event notification, residual count

struct ScsiCommand {
  std::uint8_t adapter = 0;
  std::uint8_t target = 0;
  std::uint8_t lun = 0;
  std::uint8_t flags = 0;
  std::uint8_t cdbLength = 0;
  std::array<std::uint8_t, 16> cdb{};
  std::uint8_t* data = nullptr;
  std::uint32_t dataLength = 0;

  ScsiCommand(int adapterId, int targetId, int lunId, std::uint8_t requestFlags,
              std::initializer_list<std::uint8_t> bytes);
  ScsiCommand& withData(void* buffer, std::uint32_t length);
};

// Whether the send, the wait and the status check are written to the layer log.
enum class Trace { Quiet, Steps };

// Sends the command and returns the request's status byte (1 = done without error). A request
// still running after the wait keeps its own copy of the data and of the request block until
// the host finishes it, so the caller's buffer is never written after this returns.
std::uint8_t ExecuteScsiCommand(const ScsiCommand& command, Trace trace = Trace::Quiet);

// Whether the last request sent was still running when its wait ended: a drive that does not
// answer, which waiting longer or sending again does not help.
bool LastRequestTimedOut();

}  // namespace drive
