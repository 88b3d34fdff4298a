#include "OptionSettings.h"

#include <windows.h>

#include <climits>
#include <variant>

#include "com/Result.h"

#include "IniFile.h"
#include "TextRoutines.h"
#include "ZEVDiscRipper.h"

namespace app {

const std::vector<std::string>& BitrateItems() {
  static const std::vector<std::string> items{"80", "96", "112", "128", "160", "192", "224", "256", "320"};
  return items;
}

const std::vector<std::string>& FrequencyItems() {
  static const std::vector<std::string> items{"8000",  "11025", "12000", "16000", "22050",
                                              "24000", "32000", "44100", "48000"};
  return items;
}

const std::vector<std::string>& Mp3ChannelItems() {
  static const std::vector<std::string> items{"Mono", "Stereo", "Joint Stereo", "Forced Joint Stereo",
                                              "Dual Channels"};
  return items;
}

const std::vector<std::string>& OggChannelItems() {
  static const std::vector<std::string> items{"Mono", "Stereo"};
  return items;
}

const std::vector<std::string>& MpegQualityItems() {
  static const std::vector<std::string> items{"Phone", "SW",   "AM", "FM",     "Voice", "Radio",
                                              "Tape",  "HiFi", "CD", "Studio", "R3Mix"};
  return items;
}

const std::vector<std::string>& QualityItems() {
  static const std::vector<std::string> items{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  return items;
}

const std::vector<std::string>& CddbServerItems() {
  static const std::vector<std::string> items{kDefaultCddbServer,        "us.freedb.talvo-audio.com",
                                              "eu.freedb.talvo-audio.com", "asia.freedb.talvo-audio.com",
                                              "cddb.talvo-audio.com",      "cddb1.talvo-audio.com",
                                              "cddb2.talvo-audio.com",     "discs.talvo-audio.com",
                                              "titles.talvo-audio.com",    "mirror.talvo-audio.com"};
  return items;
}

const std::vector<std::string>& NamingSchemeItems() {
  static const std::vector<std::string> items{"<Title>",
                                              "<Number><Title>",
                                              "<Number><Artist><Title>",
                                              "<Number><Artist><Album><Title>",
                                              "<Artist><Title>",
                                              "<Artist><Album><Title>",
                                              "<Artist>\\<Title>",
                                              "<Artist>\\<Number><Title>",
                                              "<Artist>\\<Album>\\<Title>",
                                              "<Artist>\\<Album>\\<Number><Title>"};
  return items;
}

std::optional<int> ParseCddbTimeOut(const std::string& text) {
  const auto value = DecimalValue(text);
  if (!value || *value <= 0 || *value > INT_MAX) return std::nullopt;
  return static_cast<int>(*value);
}

namespace {

// The file's keys in table order, each with its field; a combo box key with its list.
struct SettingsKey {
  const char* section;
  const char* key;
  std::variant<int OptionSettings::*, bool OptionSettings::*, std::string OptionSettings::*> field;
  const std::vector<std::string>& (*items)() = nullptr;
};

const SettingsKey kSettingsKeys[] = {
    {"Mp3", "Mp3MinBitrate", &OptionSettings::Mp3MinBitrate, BitrateItems},
    {"Mp3", "Mp3MaxBitrate", &OptionSettings::Mp3MaxBitrate, BitrateItems},
    {"Mp3", "Mp3Freq", &OptionSettings::Mp3Freq, FrequencyItems},
    {"Mp3", "Mp3Channels", &OptionSettings::Mp3Channels, Mp3ChannelItems},
    {"Mp3", "Mp3MpegQuality", &OptionSettings::Mp3MpegQuality, MpegQualityItems},
    {"Mp3", "Mp3VBRQuality", &OptionSettings::Mp3VBRQuality, QualityItems},
    {"Mp3", "Mp3VBR", &OptionSettings::Mp3VBR},
    {"Mp3", "Mp3VBRHeader", &OptionSettings::Mp3VBRHeader},
    {"Ogg", "OggBitrate", &OptionSettings::OggBitrate, BitrateItems},
    {"Ogg", "OggFreq", &OptionSettings::OggFreq, FrequencyItems},
    {"Ogg", "OggChannel", &OptionSettings::OggChannel, OggChannelItems},
    {"Ogg", "OggQuality", &OptionSettings::OggQuality, QualityItems},
    {"FreeDB", "FreeDBServer", &OptionSettings::FreeDBServer, CddbServerItems},
    {"FreeDB", "FreeDBMail", &OptionSettings::FreeDBMail},
    {"FreeDB", "FreeDBCgi", &OptionSettings::FreeDBCgi},
    {"FreeDB", "FreeDBTimeOut", &OptionSettings::FreeDBTimeOut},
    {"OutputPath", "RipperOutputPath", &OptionSettings::RipperOutputPath},
    {"OutputPath", "FileName", &OptionSettings::FileName, NamingSchemeItems},
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int NumberAt(const std::vector<std::string>& items, int index) { return std::stoi(items.at(index)); }

}  // namespace

OptionSettings LoadSettingsFile(const std::string& path, const std::string& currentOutput,
                                const std::string& appFolder) {
  const ui::TIniFile file(path);
  OptionSettings defaults;
  defaults.RipperOutputPath = currentOutput;
  OptionSettings s = defaults;
  for (const SettingsKey& k : kSettingsKeys) {
    if (auto* index = std::get_if<int OptionSettings::*>(&k.field)) {
      // An index outside its list would select nothing, or a value the list does not have.
      const int value = file.ReadInteger(k.section, k.key, defaults.*(*index));
      if (value >= 0 && value < static_cast<int>(k.items().size())) s.*(*index) = value;
    } else if (auto* flag = std::get_if<bool OptionSettings::*>(&k.field)) {
      s.*(*flag) = file.ReadBool(k.section, k.key, defaults.*(*flag));
    } else {
      auto text = std::get<std::string OptionSettings::*>(k.field);
      s.*text = file.ReadString(k.section, k.key, defaults.*text);
    }
  }
  if (!ParseCddbTimeOut(s.FreeDBTimeOut)) s.FreeDBTimeOut = defaults.FreeDBTimeOut;
  if (!IsFolder(s.RipperOutputPath)) s.RipperOutputPath = appFolder;
  return s;
}

bool SaveSettingsFile(const std::string& path, const OptionSettings& s) {
  ui::TIniFile file(path);
  bool written = true;
  for (const SettingsKey& k : kSettingsKeys) {
    if (auto* index = std::get_if<int OptionSettings::*>(&k.field))
      written = file.WriteInteger(k.section, k.key, s.*(*index)) && written;
    else if (auto* flag = std::get_if<bool OptionSettings::*>(&k.field))
      written = file.WriteBool(k.section, k.key, s.*(*flag)) && written;
    else
      written = file.WriteString(k.section, k.key, s.*std::get<std::string OptionSettings::*>(k.field)) && written;
  }
  return written;
}

int Mp3Bitrate(const OptionSettings& s) { return NumberAt(BitrateItems(), s.Mp3MinBitrate); }
int Mp3VbrBitrate(const OptionSettings& s) { return NumberAt(BitrateItems(), s.Mp3MaxBitrate); }
int Mp3Frequency(const OptionSettings& s) { return NumberAt(FrequencyItems(), s.Mp3Freq); }

HRESULT ApplyMp3Settings(IAudioCDRipperLameMP3Encoder& encoder, const OptionSettings& s) {
  if (s.Mp3VBR) {
    RETURN_IF_FAILED(encoder.put_VbrCodingMethod(VBR_DEFAULT));
    RETURN_IF_FAILED(encoder.put_VbrBitrate(static_cast<RipBitrateConstants>(Mp3VbrBitrate(s))));
    RETURN_IF_FAILED(encoder.put_WritingVBRHeader(s.Mp3VBRHeader ? VARIANT_TRUE : VARIANT_FALSE));
    RETURN_IF_FAILED(encoder.put_StrictlyEnforceMinBitrate(VARIANT_FALSE));
    RETURN_IF_FAILED(encoder.put_VbrQuality(static_cast<short>(NumberAt(QualityItems(), s.Mp3VBRQuality))));
  } else {
    RETURN_IF_FAILED(encoder.put_VbrCodingMethod(VBR_NONE));
  }
  RETURN_IF_FAILED(encoder.put_EncoderQuality(static_cast<short>(s.Mp3MpegQuality)));
  RETURN_IF_FAILED(encoder.put_Frequency(static_cast<RipFrequencyConstants>(Mp3Frequency(s))));
  if (s.Mp3Channels == 0) {
    // Mono leaves the stereo mode as it was.
    RETURN_IF_FAILED(encoder.put_Channels(MONO));
  } else {
    RETURN_IF_FAILED(encoder.put_Channels(STEREO));
    RETURN_IF_FAILED(encoder.put_TypeStereo(static_cast<RipLameTypeStereoContants>(s.Mp3Channels)));
  }
  return encoder.put_Bitrate(static_cast<RipBitrateConstants>(Mp3Bitrate(s)));
}

HRESULT ApplyFormats(IAudioCDRipper& ripper, IAudioCDRipperLameMP3Encoder& encoder, const OptionSettings& s) {
  RETURN_IF_FAILED(ApplyMp3Settings(encoder, s));
  RETURN_IF_FAILED(ripper.SetFormatMP3Ex(&encoder));
  return ripper.SetFormatOGG(static_cast<RipFrequencyConstants>(NumberAt(FrequencyItems(), s.OggFreq)),
                             static_cast<RipChannelsConstants>(s.OggChannel + 1),
                             static_cast<RipBitrateConstants>(NumberAt(BitrateItems(), s.OggBitrate)), BR_8_KBPS,
                             BR_320_KBPS, NumberAt(QualityItems(), s.OggQuality));
}

void ApplySharedSettings(SharedSettings& shared, const OptionSettings& s) {
  shared.CddbServer = CddbServerItems().at(s.FreeDBServer);
  shared.CddbCgiScript = s.FreeDBCgi;
  shared.CddbUserEMail = s.FreeDBMail;
  if (const auto timeOut = ParseCddbTimeOut(s.FreeDBTimeOut)) shared.CddbTimeOut = *timeOut;
  shared.SetOutputFolder(s.RipperOutputPath.empty() ? shared.AppFolder : s.RipperOutputPath);
  shared.NamingScheme = s.FileName;
}

}  // namespace app
