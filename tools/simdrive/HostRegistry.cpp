#include "HostRegistry.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "AspiHost.h"
#include "Completion.h"
#include "Diagnostics.h"
#include "TextFiles.h"
#include "SimConfig.h"

namespace simdrive {
namespace {

struct Registry {
  std::mutex mutex;
  bool loaded = false;
  std::string path;
  std::optional<std::string> text;  // nullopt: the file could not be read
  std::unique_ptr<AspiHost> host;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

void PinModule() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&PinModule), &self);
}

std::string ConfigPath() {
  char path[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(kConfigVariable, path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::unique_ptr<AspiHost> LoadHost(const std::string& path, const std::optional<std::string>& text) {
  if (path.empty()) {
    ReportProblem(std::string(kConfigVariable) + " is not set: no host adapters");
    return nullptr;
  }
  if (!text) {
    ReportProblem(path + ": cannot read the configuration (error " + std::to_string(GetLastError()) + "): no host adapters");
    return nullptr;
  }
  TextError error;
  auto config = ParseConfig(*text, FolderOf(path), error);
  if (!config) {
    ReportProblem(path + (error.line > 0 ? " line " + std::to_string(error.line) : std::string()) + ": " +
                  error.message + ": no host adapters");
    return nullptr;
  }
  return std::make_unique<AspiHost>(std::move(*config));
}

// Loads the configuration when it is new or changed; with `onlyFirstTime` only when nothing
// was loaded yet.
void Refresh(Registry& registry, bool onlyFirstTime) {
  if (onlyFirstTime && registry.loaded) return;
  if (!registry.loaded) PinModule();
  std::string path = ConfigPath();
  std::optional<std::string> text = path.empty() ? std::nullopt : ReadTextFile(path);
  if (registry.loaded && path == registry.path && text == registry.text) return;
  registry.host.reset();  // the old host's files close before the new one opens them
  registry.host = LoadHost(path, text);
  registry.loaded = true;
  registry.path = std::move(path);
  registry.text = std::move(text);
}

}  // namespace

DWORD HostSupportInfo() {
  Registry& registry = TheRegistry();
  const std::lock_guard lock(registry.mutex);
  Refresh(registry, false);
  return registry.host ? registry.host->SupportInfo() : DWORD(aspi::SS_NO_ADAPTERS) << 8;
}

DWORD HostSendCommand(void* request) {
  if (request == nullptr) return aspi::SS_INVALID_SRB;
  Registry& registry = TheRegistry();
  Delivery delivery;
  {
    const std::lock_guard lock(registry.mutex);
    Refresh(registry, true);
    if (registry.host) {
      delivery = registry.host->Handle(request);
    } else {
      auto* header = static_cast<aspi::SRB_Header*>(request);
      if (header->SRB_Cmd == aspi::SC_HA_INQUIRY) static_cast<aspi::SRB_HAInquiry*>(request)->HA_Count = 0;
      header->SRB_Status = aspi::SS_INVALID_HA;
      delivery.status = header->SRB_Status;
    }
  }
  return Deliver(delivery);
}

}  // namespace simdrive
