// The settings file OmbrelCon.ini and what its settings reach: the first run without a file, the
// file's exact text after a save and the same settings after a reload, the VBR and mono rules
// on the real encoder settings object, and damaged files that must not break start-up.
#include "OptionSettings.h"

#include "RipperClient.h"

#include "com/Apartment.h"
#include "com/Ptr.h"

#include "ZEVDiscRipper.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace app;

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    UseRipperServer();
    ASSERT_TRUE(apartment_);
    folder_ = ScratchFolder();
    path_ = folder_ + kSettingsFileName;
    DeleteFileA(path_.c_str());
    ASSERT_EQ(CoCreateInstance(CLSID_AudioCDRipperLameMP3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(encoder_.put())),
              S_OK);
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }

  void WriteFile(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
  }
  std::string ReadFile() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  template <class T>
  T Read(HRESULT (STDMETHODCALLTYPE IAudioCDRipperLameMP3Encoder::*getter)(T*)) {
    T value{};
    EXPECT_EQ((encoder_.get()->*getter)(&value), S_OK);
    return value;
  }

  com::apartment apartment_;
  com::ptr<IAudioCDRipperLameMP3Encoder> encoder_;
  std::string folder_, path_;
};

}  // namespace

TEST_F(Settings, AFirstRunWithoutAFileGivesTheTableDefaultsToTheEncoderAndTheSharedSettings) {
  const OptionSettings s = LoadSettingsFile(path_, "", folder_);
  OptionSettings expected;
  expected.RipperOutputPath = folder_;
  EXPECT_EQ(s, expected);

  ASSERT_EQ(ApplyMp3Settings(*encoder_.get(), s), S_OK);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_Bitrate), BR_112_KBPS);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_Frequency), FQ_44_KHZ);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_Channels), STEREO);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_TypeStereo), SIMPLY);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_EncoderQuality), 8);  // "CD"
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_VbrCodingMethod), VBR_NONE);

  SharedSettings shared;
  shared.AppFolder = folder_;
  ApplySharedSettings(shared, s);
  EXPECT_EQ(shared.NamingScheme, 2);
  EXPECT_EQ(shared.OutputFolder(), folder_);
  EXPECT_EQ(shared.CddbServer, kDefaultCddbServer);
  EXPECT_EQ(shared.CddbCgiScript, "/~cddb/cddb.cgi");
  EXPECT_EQ(shared.CddbTimeOut, 7000);
  EXPECT_EQ(CddbServerItems().size(), 10u);
}

TEST_F(Settings, SaveWritesEveryKeyInTableOrderAndAReloadGivesTheSameSettings) {
  OptionSettings s;
  s.Mp3MinBitrate = 8;
  s.Mp3VBR = true;
  s.OggQuality = 9;
  s.FreeDBServer = 3;
  s.FreeDBMail = "me@example.org";
  s.FreeDBTimeOut = "15000";
  s.RipperOutputPath = folder_;
  s.FileName = 9;
  ASSERT_TRUE(SaveSettingsFile(path_, s));
  EXPECT_EQ(ReadFile(),
            "[Mp3]\r\nMp3MinBitrate=8\r\nMp3MaxBitrate=4\r\nMp3Freq=7\r\nMp3Channels=1\r\nMp3MpegQuality=8\r\n"
            "Mp3VBRQuality=4\r\nMp3VBR=1\r\nMp3VBRHeader=0\r\n"
            "[Ogg]\r\nOggBitrate=2\r\nOggFreq=5\r\nOggChannel=1\r\nOggQuality=9\r\n"
            "[FreeDB]\r\nFreeDBServer=3\r\nFreeDBMail=me@example.org\r\nFreeDBCgi=/~cddb/cddb.cgi\r\n"
            "FreeDBTimeOut=15000\r\n"
            "[OutputPath]\r\nRipperOutputPath=" +
                folder_ + "\r\nFileName=9\r\n");
  EXPECT_EQ(LoadSettingsFile(path_, "", "C:\\elsewhere\\"), s);
}

TEST_F(Settings, VbrSetsItsFiveValuesAndMonoLeavesTheStereoModeAsItWas) {
  OptionSettings s;
  s.Mp3VBR = true;
  s.Mp3VBRHeader = true;
  s.Mp3MaxBitrate = 6;  // 224
  s.Mp3VBRQuality = 2;
  s.Mp3Channels = 4;  // Dual Channels
  ASSERT_EQ(ApplyMp3Settings(*encoder_.get(), s), S_OK);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_VbrCodingMethod), VBR_DEFAULT);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_VbrBitrate), BR_224_KBPS);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_WritingVBRHeader), VARIANT_TRUE);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_StrictlyEnforceMinBitrate), VARIANT_FALSE);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_VbrQuality), 2);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_TypeStereo), DUALCHANNEL);

  s.Mp3VBR = false;
  s.Mp3Channels = 0;
  ASSERT_EQ(ApplyMp3Settings(*encoder_.get(), s), S_OK);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_VbrCodingMethod), VBR_NONE);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_Channels), MONO);
  EXPECT_EQ(Read(&IAudioCDRipperLameMP3Encoder::get_TypeStereo), DUALCHANNEL);
}

TEST_F(Settings, ADamagedFileFallsBackKeyByKeyAndNeverLeavesTheOutputFolderEmpty) {
  struct Case {
    const char* text;
    std::function<void(OptionSettings&)> expected;  // what differs from the defaults
  };
  const Case cases[] = {
      {"[Mp3]\r\nMp3MinBitrate=99\r\nMp3Freq=-1\r\nMp3Channels=5\r\n", nullptr},
      {"[Mp3]\r\nMp3MinBitrate=abc\r\nMp3MaxBitrate=3x\r\nMp3VBR=yes\r\nMp3MpegQuality=11\r\n", nullptr},
      {"[Mp3]\r\nMp3MinBitrate=99999999999999999999\r\n[Ogg]\r\nOggChannel=2\r\nOggQuality=10\r\n", nullptr},
      {"[FreeDB]\r\nFreeDBServer=10\r\nFreeDBTimeOut=7s\r\n", nullptr},
      {"[FreeDB]\r\nFreeDBTimeOut=-5\r\n[OutputPath]\r\nFileName=10\r\n", nullptr},
      {"[OutputPath]\r\nRipperOutputPath=Z:\\no\\such\\folder\\\r\n", nullptr},
      {"[OutputPath]\r\nRipperOutputPath=\r\n", nullptr},
      {"\x01\x02garbage\xff\r\n[Mp3\r\n=\r\n[Ogg]\r\nOggFreq=0\r\n", [](OptionSettings& d) { d.OggFreq = 0; }},
      {"[Mp3]\r\nMp3VBR=1\r\nMp3Channels=0\r\n[FreeDB]\r\nFreeDBTimeOut=1\r\n",
       [](OptionSettings& d) {
         d.Mp3VBR = true;
         d.Mp3Channels = 0;
         d.FreeDBTimeOut = "1";
       }},
  };
  for (const Case& c : cases) {
    WriteFile(c.text);
    OptionSettings expected;
    expected.RipperOutputPath = folder_;
    if (c.expected) c.expected(expected);
    const OptionSettings s = LoadSettingsFile(path_, "", folder_);
    EXPECT_EQ(s, expected) << c.text;
    SharedSettings shared;
    shared.AppFolder = folder_;
    ApplySharedSettings(shared, s);
    EXPECT_EQ(shared.OutputFolder(), folder_) << c.text;
    // Every value the dialog and the encoder take from the settings exists.
    EXPECT_EQ(ApplyMp3Settings(*encoder_.get(), s), S_OK) << c.text;
  }
}

TEST(CddbTimeOutText, OnlyAPositiveDecimalNumberWithinAnIntIsATimeOut) {
  EXPECT_EQ(ParseCddbTimeOut("7000"), 7000);
  EXPECT_EQ(ParseCddbTimeOut("2147483647"), 2147483647);
  for (const char* bad : {"", "0", "-1", "+5", " 7000", "7000 ", "7s", "0x10", "2147483648", "99999999999"})
    EXPECT_FALSE(ParseCddbTimeOut(bad)) << bad;
}
