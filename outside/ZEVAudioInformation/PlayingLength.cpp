#include "outside/ZEVAudioInformation/PlayingLength.h"

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/FileName.h"

#include <taglib/asffile.h>

namespace audioinfo {
namespace {

bool isWmaCodec(TagLib::ASF::Properties::Codec codec) {
  using C = TagLib::ASF::Properties::Codec;
  return codec == C::WMA1 || codec == C::WMA2 || codec == C::WMA9Pro || codec == C::WMA9Lossless;
}

// The ASF file properties' play duration less the preroll.
std::optional<int64_t> wmaLengthMs(const std::wstring& path) {
  const TagLib::ASF::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
  const auto* properties = file.isValid() ? file.audioProperties() : nullptr;
  if (!properties || !isWmaCodec(properties->codec()) || properties->channels() < 1 || properties->channels() > 2)
    return std::nullopt;
  return properties->lengthInMilliseconds();
}

}  // namespace

std::optional<int64_t> playingLengthMs(const std::wstring& path) {
  if (audiofile::lowerExtension(path) == L"wma") return wmaLengthMs(path);
  const auto opened = audiofile::openAudioReader(path);
  if (!opened.reader) return std::nullopt;
  return opened.reader->totalFrames() * 1000 / opened.reader->format().sampleRate;
}

}  // namespace audioinfo
