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
std::optional<PlayingLength> wmaLength(const std::wstring& path) {
  const TagLib::ASF::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
  const auto* properties = file.isValid() ? file.audioProperties() : nullptr;
  if (!properties || !isWmaCodec(properties->codec()) || properties->channels() < 1 || properties->channels() > 2)
    return std::nullopt;
  return PlayingLength{properties->lengthInMilliseconds(), std::nullopt};
}

}  // namespace

std::optional<PlayingLength> playingLength(const std::wstring& path) {
  if (audiofile::lowerExtension(path) == L"wma") return wmaLength(path);
  const auto opened = audiofile::openAudioReader(path);
  if (!opened.reader) return std::nullopt;
  const int64_t frames = opened.reader->totalFrames();
  return PlayingLength{frames * 1000 / opened.reader->format().sampleRate, frames};
}

}  // namespace audioinfo
