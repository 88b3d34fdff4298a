// The ZEVAudioFile server's registration, and its AudioFile and AudioFileLameMp3Encoder
// objects used as the ripper uses them: settings copied in, a file created, 20 ms sample blocks written from
// the ripper's two threads, the file closed and decoded again.
#include "ServerDll.h"
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"
#include "tests/outside/Mp3FrameHeaders.h"

#include <gtest/gtest.h>

#include <thread>

using namespace outside_test;

namespace {

constexpr size_t kTickSamples = 2 * 882;  // 20 ms of CD audio

class AudioFileObject : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_);
    file_ = createAudioFileObject<IAudioFile>(CLSID_AudioFile);
    encoder_ = createAudioFileObject<IAudioFileLameMp3Encoder>(CLSID_AudioFileLameMp3Encoder);
    ASSERT_TRUE(file_ && encoder_);
  }

  // The ripper's opening sequence; the answer of GetOpenStatus.
  LONG create(const std::wstring& path, LONG mode) {
    EXPECT_EQ(file_->CreateOutputFile(com::bstr(path).get(), mode), S_OK);
    LONG status = -1;
    EXPECT_EQ(file_->GetOpenStatus(&status), S_OK);
    EXPECT_EQ(file_->SetInputFormat(44100, 2), S_OK);
    return status;
  }

  HRESULT write(std::span<const int16_t> samples) {
    com::safearray block = sampleBlock(samples);
    SAFEARRAY* raw = block.get();
    return file_->WriteSamples(&raw);
  }

  void writeAll(const std::vector<int16_t>& pcm) {
    for (size_t i = 0; i < pcm.size(); i += kTickSamples)
      ASSERT_EQ(write({pcm.data() + i, std::min(kTickSamples, pcm.size() - i)}), S_OK);
  }

  // The timer thread hands over 20 ms blocks while reading goes on; the worker writes what is
  // left once the timer has stopped, and closes the file. Both call the object directly, as
  // the ripper does.
  void writeAsTheRipperDoes(const std::vector<int16_t>& pcm) {
    const size_t handOver = pcm.size() - 3 * kTickSamples - 2;
    std::thread tick([&] {
      com::apartment mta(COINIT_MULTITHREADED);
      for (size_t i = 0; i < handOver; i += kTickSamples)
        EXPECT_EQ(write({pcm.data() + i, std::min(kTickSamples, handOver - i)}), S_OK);
    });
    tick.join();
    std::thread worker([&] {
      com::apartment mta(COINIT_MULTITHREADED);
      EXPECT_EQ(write({pcm.data() + handOver, pcm.size() - handOver}), S_OK);
      EXPECT_EQ(file_->CloseFile(), S_OK);
    });
    worker.join();
  }

  std::wstring formatString() {
    com::bstr text;
    EXPECT_EQ(file_->GetFormatString(text.put()), S_OK);
    return std::wstring(text.view());
  }

  com::apartment apartment_;
  com::ptr<IAudioFile> file_;
  com::ptr<IAudioFileLameMp3Encoder> encoder_;
};

}  // namespace

// Registered into a private classes root, so that the run's shared registry stays as it was.
TEST(AudioFileServer, RegistersItsClassesAndUnregistersWithoutTrace) {
  PrivateClassesRoot root;
  ASSERT_TRUE(root);
  ServerDll dll(L"ZEVAudioFile.dll");
  ASSERT_EQ(dll.registerServer(), S_OK);
  const std::wstring audioFile = L"CLSID\\" + guidText(CLSID_AudioFile);
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, audioFile + L"\\InprocServer32", L"ThreadingModel"), L"Both");
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"CLSID\\" + guidText(CLSID_AudioFileLameMp3Encoder) + L"\\InprocServer32",
                       L"ThreadingModel"),
            L"Both");
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"CLSID\\" + guidText(CLSID_AudioFileControl) + L"\\InprocServer32",
                       L"ThreadingModel"),
            L"Apartment");
  EXPECT_EQ(readString(HKEY_CLASSES_ROOT, L"ZEVAudioFile.AudioFile\\CLSID"), guidText(CLSID_AudioFile));
  ASSERT_EQ(dll.unregisterServer(), S_OK);
  // Only the top-level folders shared with every other server may stay.
  for (const std::wstring& key : root.allKeys())
    EXPECT_TRUE(key == L"CLSID" || _wcsicmp(key.c_str(), L"TypeLib") == 0 || key == L"Interface")
        << std::string(key.begin(), key.end());
}

TEST_F(AudioFileObject, Mp3FromTheRippersTwoThreadsDecodesToTheInput) {
  ASSERT_EQ(encoder_->put_EncoderQuality(8), S_OK);  // as the ripper's start-up sets it
  ASSERT_EQ(file_->SetMp3Encoder(encoder_.get()), S_OK);
  ASSERT_EQ(file_->SetMp3Format(44100, 128, 2), S_OK);
  const std::wstring path = scratchPath(L"two threads.mp3");
  ASSERT_EQ(create(path, 2), AFS_READY);

  const auto pcm = stereoTones(kCdRate * 3);
  writeAsTheRipperDoes(pcm);

  const auto reading = readThroughControl(path);
  ASSERT_EQ(reading.openError, AFE_NONE);
  EXPECT_EQ(reading.formatA, 44100);
  EXPECT_EQ(reading.formatB, 2);
  EXPECT_EQ(reading.totalSamples, kCdRate * 3);
  ASSERT_EQ(reading.pcm.size(), pcm.size());
  EXPECT_GT(snrDb(pcm, 2, reading.pcm, 2, 0), 20);
  EXPECT_GT(snrDb(pcm, 2, reading.pcm, 2, 1), 20);
}

TEST_F(AudioFileObject, WritesFromTwoThreadsAtOnceAreAllKept) {
  const std::wstring path = scratchPath(L"at once.mp3");
  ASSERT_EQ(create(path, 2), AFS_READY);
  const auto pcm = stereoTones(882 * 100);
  auto writer = [&] {
    com::apartment mta(COINIT_MULTITHREADED);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(write({pcm.data() + i * kTickSamples, kTickSamples}), S_OK);
  };
  std::thread a(writer), b(writer);
  a.join();
  b.join();
  ASSERT_EQ(file_->CloseFile(), S_OK);
  EXPECT_EQ(readThroughControl(path).totalSamples, 882 * 100);
}

TEST_F(AudioFileObject, EncoderSettingsReachTheFrames) {
  encoder_->put_VbrCodingMethod(2);
  encoder_->put_Bitrate(64);
  encoder_->put_VbrBitrate(256);
  encoder_->put_TypeStereo(2);
  encoder_->put_ErrorProtection(VARIANT_TRUE);
  encoder_->put_Frequency(32000);
  ASSERT_EQ(file_->SetMp3Encoder(encoder_.get()), S_OK);
  const std::wstring path = scratchPath(L"settings.mp3");
  ASSERT_EQ(create(path, 2), AFS_READY);
  writeAll(stereoTones(kCdRate * 2));
  ASSERT_EQ(file_->CloseFile(), S_OK);
  const auto mp3 = inspectMp3(readBytes(path));
  EXPECT_EQ(mp3.headerFrameTag, "Xing");
  ASSERT_FALSE(mp3.frames.empty());
  for (const auto& frame : mp3.frames) {
    EXPECT_EQ(frame.rate, 32000);
    EXPECT_EQ(frame.mode, 1);  // joint stereo
    EXPECT_TRUE(frame.crc);
    EXPECT_GE(frame.bitrate, 64);
    EXPECT_LE(frame.bitrate, 256);
  }
  EXPECT_EQ(formatString(), L"MP3 VBR quality 7 32000 Hz joint stereo");
}

TEST_F(AudioFileObject, PlainMp3FormatSetsRateBitrateAndChannels) {
  ASSERT_EQ(file_->SetMp3Format(22050, 64, 1), S_OK);
  EXPECT_EQ(formatString(), L"MP3 64 kbit/s 22050 Hz mono");
  const std::wstring path = scratchPath(L"plain.mp3");
  ASSERT_EQ(create(path, 2), AFS_READY);
  writeAll(stereoTones(kCdRate));
  ASSERT_EQ(file_->CloseFile(), S_OK);
  const auto mp3 = inspectMp3(readBytes(path));
  ASSERT_FALSE(mp3.frames.empty());
  EXPECT_EQ(mp3.frames[0].rate, 22050);
  EXPECT_EQ(mp3.frames[0].bitrate, 64);
  EXPECT_EQ(mp3.channels, 1);
}

TEST_F(AudioFileObject, TheSettingsObjectKeepsWhatTheEncoderTakes) {
  auto longOf = [&](HRESULT (STDMETHODCALLTYPE IAudioFileLameMp3Encoder::*get)(LONG*)) {
    LONG value = 0;
    EXPECT_EQ((encoder_.get()->*get)(&value), S_OK);
    return value;
  };
  LONG value = 0;
  encoder_->get_VbrBitrate(&value);
  EXPECT_EQ(value, 192);  // the values of a new object
  encoder_->put_Frequency(96000);
  EXPECT_EQ(longOf(&IAudioFileLameMp3Encoder::get_Frequency), 48000);
  encoder_->put_Bitrate(350);
  EXPECT_EQ(longOf(&IAudioFileLameMp3Encoder::get_Bitrate), 320);
  encoder_->put_Bitrate(0);
  EXPECT_EQ(longOf(&IAudioFileLameMp3Encoder::get_Bitrate), 0);
  encoder_->put_TypeStereo(7);
  EXPECT_EQ(longOf(&IAudioFileLameMp3Encoder::get_TypeStereo), 1);
  encoder_->put_VbrCodingMethod(9);
  EXPECT_EQ(longOf(&IAudioFileLameMp3Encoder::get_VbrCodingMethod), -1);
  short quality = 0;
  encoder_->put_EncoderQuality(10);  // the options dialog's "R3Mix"
  encoder_->get_EncoderQuality(&quality);
  EXPECT_EQ(quality, 9);
  VARIANT_BOOL flag = VARIANT_FALSE;
  encoder_->put_BitReservoir(1);
  encoder_->get_BitReservoir(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);
}

TEST_F(AudioFileObject, OggVorbisFromTheRippersTwoThreadsAtTheOptionsFirstRunFormat) {
  ASSERT_EQ(file_->SetOggFormat(24000, 2, 112, 8, 320, 4), S_OK);
  EXPECT_EQ(formatString(), L"Ogg Vorbis quality 4 24000 Hz stereo");
  const std::wstring path = scratchPath(L"options.ogg");
  ASSERT_EQ(create(path, 0), AFS_READY);
  writeAsTheRipperDoes(stereoTones(kCdRate * 2));
  const auto reading = readThroughControl(path);
  ASSERT_EQ(reading.openError, AFE_NONE);
  EXPECT_EQ(reading.formatA, 24000);
  EXPECT_EQ(reading.formatB, 2);
  EXPECT_EQ(reading.totalSamples, 48000);
  EXPECT_GT(snrDb(stereoTones(48000, 440, 660, 24000), 2, reading.pcm, 2, 1), 20);
}

TEST_F(AudioFileObject, WmaAtTheRippersDefaultProfileFromItsTwoThreads) {
  ASSERT_EQ(file_->SetWmaParameter(-1), S_OK);
  ASSERT_EQ(file_->SetWmaProfile(24), S_OK);
  EXPECT_EQ(formatString(), L"WMA 128 kbit/s 44100 Hz stereo");
  const std::wstring path = scratchPath(L"track.wma");
  ASSERT_EQ(create(path, 0), AFS_READY);
  const auto pcm = stereoTones(kCdRate * 2);
  writeAsTheRipperDoes(pcm);
  const auto reading = readThroughControl(path);
  ASSERT_EQ(reading.openError, AFE_NONE);
  EXPECT_EQ(reading.formatA, 44100);
  EXPECT_EQ(reading.formatB, 2);
  // From the first sample written, over the end by the last frame filled up and one more.
  EXPECT_GE(reading.totalSamples, kCdRate * 2 + 2048);
  EXPECT_LT(reading.totalSamples, kCdRate * 2 + 2 * 2048);
  for (int channel : {0, 1}) EXPECT_GT(snrDb(pcm, 2, reading.pcm, 2, channel), 30) << channel;
}

TEST_F(AudioFileObject, WmaProfileOutsideTheTableRefusesTheFileAndWritesNothing) {
  EXPECT_EQ(file_->SetWmaParameter(5), E_INVALIDARG);
  ASSERT_EQ(file_->SetWmaProfile(99), S_OK);
  EXPECT_EQ(formatString(), L"WMA profile 99 (not in the profile table)");
  const std::wstring path = scratchPath(L"refused.wma");
  EXPECT_EQ(create(path, 0), AFS_FORMAT_REFUSED);
  EXPECT_EQ(write(stereoTones(882)), E_UNEXPECTED);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(create(scratchPath(L"track.wma"), 2), AFS_NO_ENCODER);  // the WMA mode is 0
}

TEST_F(AudioFileObject, OpenStatusTellsWhatWentWrong) {
  LONG status = -1;
  file_->GetOpenStatus(&status);
  EXPECT_EQ(status, AFS_NO_FILE);
  EXPECT_EQ(create(scratchPath(L"missing folder\\track.mp3"), 2), AFS_FILE_NOT_CREATED);
  EXPECT_EQ(create(scratchPath(L"track.mp3"), 0), AFS_NO_ENCODER);  // the MP3 mode is 2
  EXPECT_EQ(create(scratchPath(L"track.flac"), 0), AFS_NO_ENCODER);
  file_->SetMp3Format(96000, 128, 2);
  EXPECT_EQ(create(scratchPath(L"track.mp3"), 2), AFS_FORMAT_REFUSED);
  file_->SetOggFormat(8000, 2, 320, 0, 0, -1);
  EXPECT_EQ(create(scratchPath(L"track.ogg"), 0), AFS_FORMAT_REFUSED);
}

TEST_F(AudioFileObject, AvailabilityAnswersForExactFormats) {
  VARIANT_BOOL available = VARIANT_FALSE;
  EXPECT_EQ(file_->IsMp3FormatAvailable(44100, 128, 2, &available), S_OK);
  EXPECT_EQ(available, VARIANT_TRUE);
  file_->IsMp3FormatAvailable(44100, 0, 2, &available);
  EXPECT_EQ(available, VARIANT_FALSE);
  file_->IsOggFormatAvailable(44100, 2, 128, 0, 0, &available);
  EXPECT_EQ(available, VARIANT_TRUE);
  file_->IsOggFormatAvailable(8000, 2, 320, 0, 0, &available);
  EXPECT_EQ(available, VARIANT_FALSE);
}

// Blocks that are not whole frames of 16-bit samples in a plain vector are refused before
// anything is read from them, and the file goes on with the good blocks around them.
TEST_F(AudioFileObject, MalformedSampleBlocksAreRefused) {
  const std::wstring path = scratchPath(L"refused blocks.mp3");
  ASSERT_EQ(create(path, 2), AFS_READY);
  const auto pcm = stereoTones(882 * 50);
  ASSERT_EQ(write({pcm.data(), pcm.size() / 2}), S_OK);

  EXPECT_EQ(write({pcm.data(), 3}), E_INVALIDARG);  // one and a half frames
  EXPECT_EQ(file_->WriteSamples(nullptr), E_INVALIDARG);
  SAFEARRAY* none = nullptr;
  EXPECT_EQ(file_->WriteSamples(&none), E_INVALIDARG);
  com::safearray longs(SafeArrayCreateVector(VT_I4, 0, 4));
  com::safearray bytes(SafeArrayCreateVector(VT_UI1, 0, 7));
  com::safearray shiftedBound(SafeArrayCreateVector(VT_I2, 1, 4));
  SAFEARRAYBOUND square[2] = {{2, 0}, {2, 0}};
  com::safearray twoDimensions(SafeArrayCreate(VT_I2, 2, square));
  for (SAFEARRAY* bad : {longs.get(), bytes.get(), shiftedBound.get(), twoDimensions.get()}) {
    SAFEARRAY* raw = bad;
    EXPECT_EQ(file_->WriteSamples(&raw), E_INVALIDARG);
  }

  ASSERT_EQ(write({pcm.data() + pcm.size() / 2, pcm.size() / 2}), S_OK);
  ASSERT_EQ(file_->CloseFile(), S_OK);
  EXPECT_EQ(readThroughControl(path).totalSamples, 882 * 50);
}

// A pipe whose reader goes away stands for a disk that fills up.
TEST_F(AudioFileObject, AnOutputThatFailsFailsTheWritesAndTheClose) {
  const std::wstring pipe = L"\\\\.\\pipe\\talvo-audiofile-" + std::to_wstring(GetCurrentProcessId()) + L".mp3";
  HANDLE reader = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 1 << 16, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_EQ(create(pipe, 2), AFS_READY);
  CloseHandle(reader);
  const auto pcm = stereoTones(kCdRate);
  HRESULT last = S_OK;
  for (size_t i = 0; i < pcm.size(); i += kTickSamples) last = write({pcm.data() + i, kTickSamples});
  EXPECT_TRUE(FAILED(last));
  EXPECT_TRUE(FAILED(file_->CloseFile()));
  EXPECT_EQ(file_->CloseFile(), S_FALSE);  // nothing open any more
}
