// Shows what the simulated host offers, as the drive layer will see it: the host adapters,
// the drives on them and the table of contents of the disc in each CD drive.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AspiClient.h"

namespace {

constexpr std::uint8_t kDataIn = aspi::SRB_DIR_IN | aspi::SRB_EVENT_NOTIFY;

std::string Field(const std::uint8_t* bytes, int size) {
  std::string text(reinterpret_cast<const char*>(bytes), std::size_t(size));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

std::string Duration(std::uint32_t frames) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u", frames / 75 / 60, frames / 75 % 60);
  return text;
}

void ShowToc(const simdrive::AspiClient& aspi, int adapter, int target, int lun) {
  std::vector<std::uint8_t> toc(804);
  const auto result = aspi.Execute(adapter, target, lun, kDataIn, {0x43, 0, 0, 0, 0, 0, 0, 0x03, 0x24, 0},
                                   toc.data(), static_cast<std::uint32_t>(toc.size()));
  if (result.request.SRB_Status != aspi::SS_COMP) {
    std::printf("    no disc (status %02X, sense %02X/%02X/%02X)\n", result.request.SRB_Status,
                result.request.SenseArea[2], result.request.SenseArea[12], result.request.SenseArea[13]);
    return;
  }
  const int first = toc[2];
  const int last = toc[3];
  auto entryLba = [&](int index) {
    const std::uint8_t* e = toc.data() + 4 + index * 8;
    return std::uint32_t(e[4]) << 24 | std::uint32_t(e[5]) << 16 | std::uint32_t(e[6]) << 8 | e[7];
  };
  std::printf("    tracks %d-%d\n", first, last);
  for (int i = 0; i <= last - first; ++i) {
    const std::uint8_t* e = toc.data() + 4 + i * 8;
    const std::uint32_t start = entryLba(i);
    const std::uint32_t length = entryLba(i + 1) - start;
    std::printf("    %2d  %-5s  LBA %6u  %s\n", e[2], (e[1] & 0x04) != 0 ? "data" : "audio", start,
                Duration(length).c_str());
  }
  std::printf("    lead-out LBA %u, total %s\n", entryLba(last - first + 1), Duration(entryLba(last - first + 1)).c_str());
}

}  // namespace

int main() {
  const simdrive::AspiClient aspi;
  if (!aspi.Loaded()) {
    std::printf("WNASPI32.DLL cannot be loaded (error %lu)\n", GetLastError());
    return 1;
  }
  const DWORD info = aspi.SupportInfo();
  const int adapters = (info >> 8 & 0xFF) == aspi::SS_COMP ? int(info & 0xFF) : 0;
  std::printf("%d host adapter(s)\n", adapters);
  for (int adapter = 0; adapter < adapters; ++adapter) {
    aspi::SRB_HAInquiry inquiry{};
    if (aspi.AdapterInquiry(adapter, inquiry) != aspi::SS_COMP) continue;
    std::printf("adapter %d: %s / %s\n", adapter, Field(inquiry.HA_ManagerId, 16).c_str(),
                Field(inquiry.HA_Identifier, 16).c_str());
    const int targets = inquiry.HA_Unique[3] != 0 ? inquiry.HA_Unique[3] : 8;
    for (int target = 0; target < targets; ++target) {
      for (int lun = 0; lun < 8; ++lun) {
        std::uint8_t type = 0;
        if (aspi.DeviceType(adapter, target, lun, type) != aspi::SS_COMP) continue;
        std::uint8_t data[100] = {};
        aspi.Execute(adapter, target, lun, kDataIn, {0x12, 0, 0, 0, 100, 0}, data, sizeof data);
        std::printf("  %d:%d:%d type %d: %s, %s v%s\n", adapter, target, lun, type, Field(data + 8, 8).c_str(),
                    Field(data + 16, 16).c_str(), Field(data + 32, 4).c_str());
        if (type == 5) ShowToc(aspi, adapter, target, lun);
      }
    }
  }
  return 0;
}
