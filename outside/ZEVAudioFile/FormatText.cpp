#include "outside/ZEVAudioFile/FormatText.h"

#include "outside/ZEVAudioFile/WmaProfiles.h"

namespace audiofile {
namespace {

std::wstring mp3Mode(const LameMp3Settings& s) {
  if (s.channels == 1) return L"mono";
  switch (s.typeStereo) {
    case kJointStereo: return L"joint stereo";
    case kForcedJointStereo: return L"forced joint stereo";
    case kDualChannel: return L"dual channel";
    default: return L"stereo";
  }
}

std::wstring channelsText(int channels) { return channels == 1 ? L"mono" : L"stereo"; }

std::wstring rateAndChannels(int rate, const std::wstring& mode) {
  return std::to_wstring(rate) + L" Hz " + mode;
}

}  // namespace

std::wstring describeMp3(const LameMp3Settings& s) {
  std::wstring coding;
  switch (s.vbrCodingMethod) {
    case kVbrNone: coding = std::to_wstring(s.bitrate) + L" kbit/s"; break;
    case kVbrAbr: coding = L"ABR " + std::to_wstring(s.abrBitrate) + L" kbit/s"; break;
    default: coding = L"VBR quality " + std::to_wstring(s.vbrQuality); break;
  }
  return L"MP3 " + coding + L" " + rateAndChannels(s.frequency, mp3Mode(s));
}

std::wstring describeOgg(const OggFormat& f) {
  const std::wstring coding = f.codesByQuality() ? L"quality " + std::to_wstring(f.quality)
                                                                : std::to_wstring(f.nominalBitrate) + L" kbit/s";
  return L"Ogg Vorbis " + coding + L" " + rateAndChannels(f.sampleRate, channelsText(f.channels));
}

std::wstring describeWma(long number) {
  const WmaProfile* p = findWmaProfile(number);
  if (!p) return L"WMA profile " + std::to_wstring(number) + L" (not in the profile table)";
  return L"WMA " + std::to_wstring(p->bitrate) + L" kbit/s " +
         rateAndChannels(p->sampleRate, channelsText(p->channels));
}

}  // namespace audiofile
