// The ASPI for Win32 request interface of WNASPI32.DLL: request blocks, commands, flags and
// status bytes, as the drive layer sends them and as a host library answers them.
// Layouts are byte-packed; on 32-bit Windows their sizes are the published ones.
#pragma once

#include <windows.h>

#include <cstdint>

namespace aspi {

// Request commands.
constexpr std::uint8_t SC_HA_INQUIRY = 0x00;
constexpr std::uint8_t SC_GET_DEV_TYPE = 0x01;
constexpr std::uint8_t SC_EXEC_SCSI_CMD = 0x02;

// Request status bytes.
constexpr std::uint8_t SS_PENDING = 0x00;
constexpr std::uint8_t SS_COMP = 0x01;
constexpr std::uint8_t SS_ABORTED = 0x02;
constexpr std::uint8_t SS_ERR = 0x04;
constexpr std::uint8_t SS_INVALID_CMD = 0x80;
constexpr std::uint8_t SS_INVALID_HA = 0x81;
constexpr std::uint8_t SS_NO_DEVICE = 0x82;
constexpr std::uint8_t SS_INVALID_SRB = 0xE0;
constexpr std::uint8_t SS_NO_ASPI = 0xE3;  // what the substitute entry points answer
constexpr std::uint8_t SS_NO_ADAPTERS = 0xE8;

// Request flags.
constexpr std::uint8_t SRB_POSTING = 0x01;
constexpr std::uint8_t SRB_ENABLE_RESIDUAL_COUNT = 0x04;
constexpr std::uint8_t SRB_DIR_IN = 0x08;
constexpr std::uint8_t SRB_DIR_OUT = 0x10;
constexpr std::uint8_t SRB_EVENT_NOTIFY = 0x40;

// Host adapter and target status of an execute request.
constexpr std::uint8_t HASTAT_OK = 0x00;
constexpr std::uint8_t HASTAT_DO_DU = 0x12;  // data over-run or under-run
constexpr std::uint8_t STATUS_GOOD = 0x00;
constexpr std::uint8_t STATUS_CHKCOND = 0x02;

constexpr int SENSE_LEN = 14;

#pragma pack(push, 1)

struct SRB_Header {
  std::uint8_t SRB_Cmd;
  std::uint8_t SRB_Status;
  std::uint8_t SRB_HaId;
  std::uint8_t SRB_Flags;
  std::uint32_t SRB_Hdr_Rsvd;
};

struct SRB_HAInquiry {
  std::uint8_t SRB_Cmd;
  std::uint8_t SRB_Status;
  std::uint8_t SRB_HaId;
  std::uint8_t SRB_Flags;
  std::uint32_t SRB_Hdr_Rsvd;
  std::uint8_t HA_Count;
  std::uint8_t HA_SCSI_ID;
  std::uint8_t HA_ManagerId[16];
  std::uint8_t HA_Identifier[16];
  std::uint8_t HA_Unique[16];  // bytes 0-1: buffer alignment mask; byte 2: adapter flags; byte 3: max
                               // targets; bytes 4-7: maximum transfer length (little-endian)
  std::uint16_t HA_Rsvd1;
};

struct SRB_GDEVBlock {
  std::uint8_t SRB_Cmd;
  std::uint8_t SRB_Status;
  std::uint8_t SRB_HaId;
  std::uint8_t SRB_Flags;
  std::uint32_t SRB_Hdr_Rsvd;
  std::uint8_t SRB_Target;
  std::uint8_t SRB_Lun;
  std::uint8_t SRB_DeviceType;
  std::uint8_t SRB_Rsvd1;
};

struct SRB_ExecSCSICmd {
  std::uint8_t SRB_Cmd;
  std::uint8_t SRB_Status;
  std::uint8_t SRB_HaId;
  std::uint8_t SRB_Flags;
  std::uint32_t SRB_Hdr_Rsvd;
  std::uint8_t SRB_Target;
  std::uint8_t SRB_Lun;
  std::uint16_t SRB_Rsvd1;
  std::uint32_t SRB_BufLen;
  std::uint8_t* SRB_BufPointer;
  std::uint8_t SRB_SenseLen;
  std::uint8_t SRB_CDBLen;
  std::uint8_t SRB_HaStat;
  std::uint8_t SRB_TargStat;
  void* SRB_PostProc;  // with SRB_EVENT_NOTIFY: the event handle signalled on completion
  std::uint8_t SRB_Rsvd2[20];
  std::uint8_t CDBByte[16];
  std::uint8_t SenseArea[SENSE_LEN + 2];
};

struct ASPI32BUFF {
  std::uint8_t* AB_BufPointer;
  std::uint32_t AB_BufLen;
  std::uint32_t AB_ZeroFill;
  std::uint32_t AB_Reserved;
};

#pragma pack(pop)

static_assert(sizeof(SRB_Header) == 8);
static_assert(sizeof(SRB_HAInquiry) == 60);
static_assert(sizeof(SRB_GDEVBlock) == 12);
#if !defined(_WIN64)
static_assert(sizeof(SRB_ExecSCSICmd) == 80);
static_assert(sizeof(ASPI32BUFF) == 16);
#endif

// The entry points, as exported by the library (C linkage, cdecl).
using GetASPI32SupportInfoFn = DWORD(__cdecl*)();
using SendASPI32CommandFn = DWORD(__cdecl*)(void* request);
using GetASPI32BufferFn = BOOL(__cdecl*)(ASPI32BUFF* buffer);
using FreeASPI32BufferFn = BOOL(__cdecl*)(ASPI32BUFF* buffer);
using TranslateASPI32AddressFn = BOOL(__cdecl*)(DWORD* path, DWORD* devNode);
using GetASPI32DLLVersionFn = DWORD(__cdecl*)();

}  // namespace aspi
