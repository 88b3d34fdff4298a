#include "AspiHost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Diagnostics.h"

namespace simdrive {
namespace {

constexpr int kMinCdbLength = 6;
constexpr int kMaxCdbLength = 16;

std::string Hex(const std::uint8_t* bytes, int count) {
  std::string text;
  char byte[4];
  for (int i = 0; i < count; ++i) {
    std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", bytes[i]);
    text += byte;
  }
  return text;
}

std::string Hex(std::uint8_t value) { return Hex(&value, 1); }

void CopyField(std::uint8_t* field, std::size_t size, const char* text) {
  std::memset(field, ' ', size);
  std::memcpy(field, text, std::min(size, std::strlen(text)));
}

void WriteSense(aspi::SRB_ExecSCSICmd& request, const Sense& sense) {
  std::uint8_t data[18] = {};
  data[0] = 0x70;
  data[2] = sense.key;
  data[7] = 10;
  data[12] = sense.asc;
  data[13] = sense.ascq;
  const std::size_t bytes = std::min<std::size_t>(request.SRB_SenseLen, sizeof request.SenseArea);
  std::memcpy(request.SenseArea, data, bytes);
}

}  // namespace

AspiHost::AspiHost(SimConfig config) : config_(std::move(config)) {
  for (const DriveSetup& setup : config_.drives) drives_.push_back(std::make_unique<SimDrive>(setup, config_));
  if (!config_.logPath.empty()) log_.emplace(config_.logPath);
  if (!config_.controlPath.empty()) control_.emplace(config_.controlPath);
}

DWORD AspiHost::SupportInfo() const {
  const auto count = static_cast<DWORD>(config_.adapters.size());
  return count == 0 ? DWORD(aspi::SS_NO_ADAPTERS) << 8 : (DWORD(aspi::SS_COMP) << 8 | count);
}

SimDrive* AspiHost::FindDrive(int adapter, int target, int lun) {
  const Address address{adapter, target, lun};
  for (const auto& drive : drives_) {
    if (drive->Setup().address == address) return drive.get();
  }
  return nullptr;
}

void AspiHost::Log(const std::string& line) {
  if (log_) log_->Write(line);
}

void AspiHost::ApplyControlFile() {
  if (!control_) return;
  for (const ControlLine& line : control_->TakeChanges()) {
    SimDrive* drive = FindDrive(line.address.adapter, line.address.target, line.address.lun);
    const auto disc = config_.FindDisc(line.disc);
    if (drive == nullptr || (!line.disc.empty() && !disc)) {
      ReportProblem(config_.controlPath + ": no drive " + FormatAddress(line.address) + " or no disc \"" + line.disc + "\"");
      continue;
    }
    if (line.kind == ControlLine::Kind::kGone) {
      drive->GoAway(line.goneOpens);
      Log("control " + FormatAddress(line.address) + " gone=" + std::to_string(line.goneOpens));
      continue;
    }
    drive->ChangeDisc(disc);
    Log("control " + FormatAddress(line.address) + " disc=" + (line.disc.empty() ? "none" : line.disc));
  }
}

Delivery AspiHost::Handle(void* request) {
  auto* header = static_cast<aspi::SRB_Header*>(request);
  Delivery delivery;
  switch (header->SRB_Cmd) {
    case aspi::SC_HA_INQUIRY:
      header->SRB_Status = AdapterInquiry(*static_cast<aspi::SRB_HAInquiry*>(request));
      break;
    case aspi::SC_GET_DEV_TYPE:
      header->SRB_Status = DeviceType(*static_cast<aspi::SRB_GDEVBlock*>(request));
      break;
    case aspi::SC_EXEC_SCSI_CMD:
      return Execute(*static_cast<aspi::SRB_ExecSCSICmd*>(request));
    default:
      header->SRB_Status = aspi::SS_INVALID_CMD;
      Log("command " + Hex(header->SRB_Cmd) + " status=" + Hex(header->SRB_Status));
      break;
  }
  delivery.status = header->SRB_Status;
  return delivery;
}

std::uint8_t AspiHost::AdapterInquiry(aspi::SRB_HAInquiry& request) {
  const int adapter = request.SRB_HaId;
  request.HA_Count = static_cast<std::uint8_t>(config_.adapters.size());
  std::uint8_t status = aspi::SS_COMP;
  if (!ValidAdapter(adapter)) {
    status = aspi::SS_INVALID_HA;
  } else if (config_.adapters[std::size_t(adapter)].inquiryFails) {
    status = aspi::SS_ERR;
  } else {
    request.HA_SCSI_ID = 7;
    CopyField(request.HA_ManagerId, sizeof request.HA_ManagerId, "TALVO SIMDRIVE");
    CopyField(request.HA_Identifier, sizeof request.HA_Identifier, ("SIM ADAPTER " + std::to_string(adapter)).c_str());
    std::memset(request.HA_Unique, 0, sizeof request.HA_Unique);
    request.HA_Unique[3] = static_cast<std::uint8_t>(config_.adapters[std::size_t(adapter)].targets);
    const std::uint32_t maxTransfer = 0x10000 * 16;
    std::memcpy(request.HA_Unique + 4, &maxTransfer, sizeof maxTransfer);
  }
  Log("hainquiry " + std::to_string(adapter) + " status=" + Hex(status));
  return status;
}

std::uint8_t AspiHost::DeviceType(aspi::SRB_GDEVBlock& request) {
  const Address address{request.SRB_HaId, request.SRB_Target, request.SRB_Lun};
  std::uint8_t status = aspi::SS_COMP;
  request.SRB_DeviceType = 0x1F;
  ApplyControlFile();
  SimDrive* drive = ValidAdapter(address.adapter) ? FindDrive(address.adapter, address.target, address.lun) : nullptr;
  if (!ValidAdapter(address.adapter)) {
    status = aspi::SS_INVALID_HA;
  } else if (drive != nullptr && drive->AnswerDeviceType()) {
    request.SRB_DeviceType = static_cast<std::uint8_t>(drive->Setup().deviceType);
  } else {
    status = aspi::SS_NO_DEVICE;
  }
  Log("devtype " + FormatAddress(address) + " status=" + Hex(status) + " type=" + Hex(request.SRB_DeviceType));
  return status;
}

Delivery AspiHost::Execute(aspi::SRB_ExecSCSICmd& request) {
  Delivery delivery;
  delivery.request = &request;
  if ((request.SRB_Flags & aspi::SRB_EVENT_NOTIFY) != 0) delivery.event = request.SRB_PostProc;
  const Address address{request.SRB_HaId, request.SRB_Target, request.SRB_Lun};
  const int cdbLength = request.SRB_CDBLen;
  request.SRB_HaStat = aspi::HASTAT_OK;
  request.SRB_TargStat = aspi::STATUS_GOOD;
  std::string line = "exec " + FormatAddress(address);

  SimDrive* drive = ValidAdapter(address.adapter) ? FindDrive(address.adapter, address.target, address.lun) : nullptr;
  if (!ValidAdapter(address.adapter)) {
    delivery.status = aspi::SS_INVALID_HA;
  } else if (drive == nullptr) {
    delivery.status = aspi::SS_NO_DEVICE;
  } else if (cdbLength < kMinCdbLength || cdbLength > kMaxCdbLength || (request.SRB_Flags & aspi::SRB_POSTING) != 0) {
    // Posting callbacks are not offered: callers wait on events.
    delivery.status = aspi::SS_INVALID_SRB;
  }
  if (delivery.status != aspi::SS_COMP) {
    Log(line + " status=" + Hex(delivery.status));
    return delivery;
  }

  ApplyControlFile();
  delivery.completion = drive->Setup().completion;
  delivery.delayMs = drive->Setup().delayMs;
  std::uint8_t cdb[kMaxCdbLength] = {};
  std::memcpy(cdb, request.CDBByte, std::size_t(cdbLength));
  line += " #" + std::to_string(drive->CommandCount() + 1) + " flags=" + Hex(request.SRB_Flags) +
          " len=" + std::to_string(request.SRB_BufLen) + " cdb=" + Hex(cdb, cdbLength);
  if (delivery.completion == Completion::Never) {
    delivery.status = aspi::SS_PENDING;
    Log(line + " status=00 never");
    return delivery;
  }

  const std::uint32_t capacity = request.SRB_BufPointer != nullptr ? request.SRB_BufLen : 0;
  const ScsiOutcome outcome = drive->Execute(cdb, request.SRB_BufPointer, capacity);
  delivery.status = outcome.good ? aspi::SS_COMP : aspi::SS_ERR;
  line += " status=" + Hex(delivery.status);
  if (outcome.overrun) {
    request.SRB_HaStat = aspi::HASTAT_DO_DU;
    line += " hastat=" + Hex(request.SRB_HaStat);
  } else if (!outcome.good) {
    request.SRB_TargStat = aspi::STATUS_CHKCOND;
    WriteSense(request, outcome.sense);
    line += " sense=" + Hex(outcome.sense.key) + "/" + Hex(outcome.sense.asc) + "/" + Hex(outcome.sense.ascq);
  }
  line += " moved=" + std::to_string(outcome.transferred);
  if (delivery.completion == Completion::Pending) line += " pending";
  Log(line);
  return delivery;
}

}  // namespace simdrive
