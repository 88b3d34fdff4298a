// An output that cannot be created, or that stops taking data, is seen by the caller: a
// refused file, failed writes and a failed finish, and no short file left behind.
#include "outside/ZEVAudioFile/Mp3Encoder.h"
#include "outside/ZEVAudioFile/OggEncoder.h"
#include "outside/ZEVAudioFile/WmaEncoder.h"
#include "tests/outside/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

using namespace audiofile;
using namespace outside_test;

namespace {

std::unique_ptr<Encoder> makeEncoder(const std::wstring& path) {
  if (path.ends_with(L".ogg")) return std::make_unique<OggEncoder>(OggFormat{}, PcmFormat{}, path);
  if (path.ends_with(L".wma")) return std::make_unique<WmaEncoder>(findWmaProfile(24), PcmFormat{}, path);
  return std::make_unique<Mp3Encoder>(LameMp3Settings{}, PcmFormat{}, path);
}

class EncoderOutput : public testing::TestWithParam<const wchar_t*> {
 protected:
  std::wstring name(const std::wstring& stem) const { return stem + GetParam(); }
};

}  // namespace

TEST_P(EncoderOutput, AMissingFolderIsRefusedAtOnce) {
  const auto encoder = makeEncoder(scratchPath(L"no-such-folder\\" + name(L"track")));
  EXPECT_EQ(encoder->status(), Encoder::Status::fileNotCreated);
  EXPECT_FALSE(encoder->write(stereoTones(1000)));
  EXPECT_FALSE(encoder->finish());
}

TEST_P(EncoderOutput, AReadOnlyFileIsRefusedAndKept) {
  const std::wstring path = scratchPath(name(L"read-only"));
  writeBytes(path, {1, 2, 3});
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  const auto encoder = makeEncoder(path);
  EXPECT_EQ(encoder->status(), Encoder::Status::fileNotCreated);
  EXPECT_EQ(encoder->error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(encoder->finish());
  EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_P(EncoderOutput, ANameTakenByAFolderIsRefusedAndTheFolderKept) {
  const std::wstring path = scratchPath(name(L"folder"));
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  const auto encoder = makeEncoder(path);
  EXPECT_EQ(encoder->status(), Encoder::Status::fileNotCreated);
  EXPECT_FALSE(encoder->finish());
  EXPECT_EQ(GetFileAttributesW(path.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  RemoveDirectoryW(path.c_str());
}

// A pipe whose reader goes away stands for a disk that fills up: writes start failing.
TEST_P(EncoderOutput, WritesThatStartFailingFailTheFile) {
  const std::wstring pipe = L"\\\\.\\pipe\\talvo-outside-" + std::to_wstring(GetCurrentProcessId()) + name(L"-");
  HANDLE reader = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 1 << 16, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  const auto encoder = makeEncoder(pipe);
  ASSERT_EQ(encoder->status(), Encoder::Status::ok);
  CloseHandle(reader);
  const auto pcm = stereoTones(kCdRate);
  bool everyWriteTaken = true;
  for (int i = 0; i < 5; ++i) everyWriteTaken = encoder->write(pcm) && everyWriteTaken;
  EXPECT_FALSE(everyWriteTaken);
  EXPECT_FALSE(encoder->finish());
}

TEST_P(EncoderOutput, AFinishedFileIsComplete) {
  const std::wstring path = scratchPath(name(L"complete"));
  const auto encoder = makeEncoder(path);
  EXPECT_TRUE(encoder->write(stereoTones(kCdRate)));
  EXPECT_TRUE(encoder->finish());
  EXPECT_FALSE(encoder->write(stereoTones(10)));  // nothing more after the end
  EXPECT_GT(readBytes(path).size(), 5000u);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EncoderOutput, testing::Values(L".mp3", L".ogg", L".wma"),
                         [](const auto& info) { return std::string(info.param + 1, info.param + 4); });
