#include "DriveTransport.h"

#include <cstring>

#include "AspiRequests.h"
#include "DriveSystem.h"
#include "PassThrough.h"
#include "TransportInternals.h"

namespace drive {

namespace {

struct EntryPoints {
  aspi::GetASPI32SupportInfoFn getSupportInfo = nullptr;
  aspi::SendASPI32CommandFn sendCommand = nullptr;
  aspi::GetASPI32BufferFn getBuffer = nullptr;
  aspi::FreeASPI32BufferFn freeBuffer = nullptr;
  aspi::TranslateASPI32AddressFn translateAddress = nullptr;
  aspi::GetASPI32DLLVersionFn getDLLVersion = nullptr;
};

struct TransportState {
  int layerLoaded = 0;
  int transportReady = 0;
  int transportLoaded = 0;
  EntryPoints entry;
  LibraryHandle library;
  int lastError = 0;
  std::uint8_t lastStatus = 0;
};

TransportState state;

DWORD __cdecl StubGetASPI32SupportInfo() { return aspi::SS_NO_ASPI; }

DWORD __cdecl StubSendASPI32Command(void* request) {
  static_cast<aspi::SRB_Header*>(request)->SRB_Status = aspi::SS_NO_ASPI;
  return aspi::SS_NO_ASPI;
}

template <typename Result, typename... Args>
Result __cdecl StubASPI32Function(Args...) {
  return 0;
}

void InstallSubstitutes() {
  state.entry = {StubGetASPI32SupportInfo, StubSendASPI32Command,
                 StubASPI32Function<BOOL, aspi::ASPI32BUFF*>,
                 StubASPI32Function<BOOL, aspi::ASPI32BUFF*>,
                 StubASPI32Function<BOOL, DWORD*, DWORD*>, StubASPI32Function<DWORD>};
}

template <typename Function>
void LookUp(Function& entry, const char* name) {
  entry = reinterpret_cast<Function>(
      reinterpret_cast<void*>(DriveSystem().getProcAddress(state.library.get(), name)));
}

int LoadTransport(int forceASPI) {
  state.library.reset();
  if (!forceASPI && GetOSClass() > kOSWindowsME && InitPassThrough() > 0) {
    state.entry.getSupportInfo = PassThroughSupportInfo;
    state.entry.sendCommand = PassThroughSendCommand;
    state.transportLoaded = 1;
    state.transportReady = 1;
    return 1;
  }
  state.library.reset(DriveSystem().loadLibrary("WNASPI32.DLL"));
  if (!state.library) {
    state.lastError = kErrNoAspiLibrary;
    InstallSubstitutes();
    return 0;
  }
  LookUp(state.entry.getSupportInfo, "GetASPI32SupportInfo");
  LookUp(state.entry.sendCommand, "SendASPI32Command");
  LookUp(state.entry.getBuffer, "GetASPI32Buffer");
  LookUp(state.entry.freeBuffer, "FreeASPI32Buffer");
  LookUp(state.entry.translateAddress, "TranslateASPI32Address");
  LookUp(state.entry.getDLLVersion, "GetASPI32DLLVersion");
  if (!state.entry.getSupportInfo) {
    state.lastError = kErrNoSupportInfo;
    return 0;
  }
  if (!state.entry.sendCommand) {
    state.lastError = kErrNoSendCommand;
    return 0;
  }
  state.transportLoaded = 1;
  state.transportReady = 1;
  return 1;
}

void UnloadTransport(int forceASPI) {
  state.transportReady = 0;
  if (GetOSClass() > kOSWindowsME && !forceASPI) TermPassThrough();
  if (state.library) {
    state.transportLoaded = 0;
    state.entry = {};
    state.library.reset();
  }
}

DWORD QuerySupportInfo() {
  return state.entry.getSupportInfo ? state.entry.getSupportInfo() : StubGetASPI32SupportInfo();
}

}  // namespace

int InitCDLayer(int mode, int forceASPI) {
  WriteCDLayerLog("Extended Log Start");
  if (mode == 1) {
    if (state.layerLoaded) return 0;
    state.transportReady = 0;
    SetPassThroughLoaded(0);
    if (!LoadTransport(forceASPI)) return 0;
    state.layerLoaded = 1;
    return 1;
  }
  if (mode == 0) {
    if (!state.layerLoaded) return 0;
    UnloadTransport(forceASPI);
    state.layerLoaded = 0;
    state.transportReady = 0;
    return 1;
  }
  return 0;
}

int IsTransportReady() { return GetOSClass() > kOSWindowsME ? 1 : state.transportReady; }

int GetHostAdapterCount() {
  DWORD info = QuerySupportInfo();
  std::uint8_t status = static_cast<std::uint8_t>(info >> 8);
  if (status == aspi::SS_COMP || status == aspi::SS_NO_ADAPTERS) return info & 0xFF;
  state.lastError = kErrRequestFailed;
  state.lastStatus = status;
  return -1;
}

int GetDeviceType(int adapter, int target, int lun, int* outType, char* outName, int nameSize) {
  aspi::SRB_GDEVBlock request{};
  request.SRB_Cmd = aspi::SC_GET_DEV_TYPE;
  request.SRB_HaId = static_cast<std::uint8_t>(adapter);
  request.SRB_Target = static_cast<std::uint8_t>(target);
  request.SRB_Lun = static_cast<std::uint8_t>(lun);
  SendAspiRequest(&request);

  int type = 31;
  const char* name = "Unknown return";
  if (request.SRB_Status == aspi::SS_COMP) {
    type = request.SRB_DeviceType;
    name = GetDeviceTypeName(type);
  } else if (request.SRB_Status == aspi::SS_NO_DEVICE) {
    name = "SS_NO_DEVICE";
  }
  if (outType) *outType = type;
  if (outName && nameSize > 0) lstrcpynA(outName, name, nameSize);
  return request.SRB_Status == aspi::SS_COMP ? 1 : 0;
}

const char* GetDeviceTypeName(int type) {
  switch (type) {
    case 0: return "Direct-access device";
    case 1: return "Sequential-access device";
    case 2: return "Printer device";
    case 3: return "Processor device";
    case 4: return "Write-once device";
    case 5: return "CD-ROM device";
    case 6: return "Scanner device";
    case 7: return "Optical memory device";
    case 8: return "Medium changer device";
    case 9: return "Communication device";
    case 10:
    case 11: return "ASC IT8 device";
    case 31: return "Unknown or no device";
    default: return "";
  }
}

int GetCDLayerLastError() { return state.lastError; }
std::uint8_t GetCDLayerLastStatus() { return state.lastStatus; }

void SetCDLayerError(int code) { state.lastError = code; }

int RequestResult(std::uint8_t status) {
  if (status == aspi::SS_COMP) return kLayerSuccess;
  state.lastError = kErrRequestFailed;
  state.lastStatus = status;
  return kLayerFailure;
}

DWORD SendAspiRequest(void* request) {
  return state.entry.sendCommand ? state.entry.sendCommand(request)
                                 : StubSendASPI32Command(request);
}

bool HasSendCommandEntry() { return state.entry.sendCommand != nullptr; }

void SetTransportReady(int ready) { state.transportReady = ready; }

}  // namespace drive
