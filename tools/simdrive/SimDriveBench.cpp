// Reads a whole 74-minute audio disc through SendASPI32Command in 26-frame READ CD requests,
// as a burst rip does, and prints the frames per second and the CPU time it took: once with
// a new event per request as the drive layer sends them (Wine's event calls dominate), once
// without events to measure the simulated host alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "AspiClient.h"
#include "AudioGenerator.h"
#include "ConfigText.h"
#include "TestFiles.h"

namespace {

constexpr std::int32_t kDiscFrames = 74 * 60 * 75;
constexpr std::int32_t kFramesPerRead = 26;

double Seconds(const FILETIME& time) {
  return double(ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
}

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

bool ReadDisc(const simdrive::AspiClient& aspi, std::uint8_t flags, const char* label) {
  std::vector<std::uint8_t> buffer(std::size_t(kFramesPerRead) * simdrive::kFrameBytes);
  const ULONGLONG startTicks = GetTickCount64();
  const double startCpu = CpuSeconds();
  std::int32_t frames = 0;
  for (std::int32_t lba = 0; lba < kDiscFrames; lba += kFramesPerRead) {
    const auto count = static_cast<std::uint8_t>(std::min(kFramesPerRead, kDiscFrames - lba));
    const auto result = aspi.Execute(0, 0, 0, flags,
                                     {0xBE, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8),
                                      std::uint8_t(lba), 0, 0, count, 0xF0, 0, 0},
                                     buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    if (result.request.SRB_Status != aspi::SS_COMP) {
      std::printf("read at LBA %d failed with status %02X\n", lba, result.request.SRB_Status);
      return false;
    }
    frames += count;
  }
  const double cpu = CpuSeconds() - startCpu;
  const double wall = std::max(double(GetTickCount64() - startTicks) / 1000.0, 1e-3);
  std::printf("%s:\n  %d frames (74:00) in %.2f s wall, %.2f s CPU: %.0f frames per second (%.0fx real time)\n",
              label, frames, wall, cpu, frames / wall, frames / wall / 75.0);
  return true;
}

}  // namespace

int main() {
  simdrive::ConfigText config;
  config.Drive("0:0:0").Key("disc", "long").Disc("long");
  for (int track = 0; track < 20; ++track) config.Track("audio " + std::to_string(kDiscFrames / 20));
  const std::string path = simdrive::ScratchPath("bench.ini");
  if (!simdrive::UseConfig(path, config.Text())) {
    std::printf("cannot write %s\n", path.c_str());
    return 1;
  }
  const simdrive::AspiClient aspi;
  if (!aspi.Loaded() || (aspi.SupportInfo() & 0xFF) != 1) {
    std::printf("the simulated host did not start\n");
    return 1;
  }
  const bool ok = ReadDisc(aspi, aspi::SRB_DIR_IN | aspi::SRB_EVENT_NOTIFY, "new event per request, as the drive layer sends") &&
                  ReadDisc(aspi, aspi::SRB_DIR_IN, "no event (the simulated host alone)");
  DeleteFileA(path.c_str());
  return ok ? 0 : 1;
}
