// Shared set-up of the simulated host's tests: each test writes its own configuration, and the
// library is loaded by name as the drive layer loads it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AspiClient.h"
#include "ConfigText.h"
#include "TestFiles.h"

namespace simdrive {

constexpr std::uint8_t kDataIn = aspi::SRB_DIR_IN | aspi::SRB_EVENT_NOTIFY;
constexpr std::uint8_t kDataOut = aspi::SRB_DIR_OUT | aspi::SRB_EVENT_NOTIFY;
constexpr std::uint8_t kNoData = aspi::SRB_EVENT_NOTIFY;

class SimHostTest : public ::testing::Test {
 protected:
  static const AspiClient& Aspi() {
    static const AspiClient client;
    return client;
  }

  void SetUp() override { ASSERT_TRUE(Aspi().Loaded()) << "WNASPI32.DLL did not load"; }

  // Loads `config` as the host's configuration; returns GetASPI32SupportInfo's answer.
  DWORD Use(const ConfigText& config) {
    EXPECT_TRUE(UseConfig(ScratchPath("config.ini"), config.Text()));
    return Aspi().SupportInfo();
  }

  ExecResult Exec(const std::vector<std::uint8_t>& cdb, std::uint8_t flags = kNoData, void* buffer = nullptr,
                  std::uint32_t length = 0, const char* address = "0:1:0") {
    int a = 0, t = 0, l = 0;
    std::sscanf(address, "%d:%d:%d", &a, &t, &l);
    return Aspi().Execute(a, t, l, flags, cdb, buffer, length);
  }

  // Reads `count` frames from `lba` with READ CD (all fields) into `data`; the request's status.
  std::uint8_t ReadCd(std::int32_t lba, int count, std::vector<std::uint8_t>& data, const char* address = "0:1:0") {
    data.assign(std::size_t(count) * 2352, 0xAA);
    return Exec(ReadCdCdb(lba, count), kDataIn, data.data(), static_cast<std::uint32_t>(data.size()), address)
        .request.SRB_Status;
  }

  static std::vector<std::uint8_t> ReadCdCdb(std::int32_t lba, int count, std::uint8_t fields = 0xF0) {
    return {0xBE, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8), std::uint8_t(lba),
            0, 0, std::uint8_t(count), fields, 0, 0};
  }

  // Sense key, ASC and ASCQ of a failed request, as "KK/AA/QQ".
  static std::string SenseOf(const ExecResult& result) {
    char text[12];
    std::snprintf(text, sizeof text, "%02X/%02X/%02X", result.request.SenseArea[2], result.request.SenseArea[12],
                  result.request.SenseArea[13]);
    return text;
  }
};

}  // namespace simdrive
