#include "outside/ZEVAudioFile/AudioReader.h"

#include "outside/ZEVAudioFile/FileName.h"
#include "outside/ZEVAudioFile/Mp3Reader.h"
#include "outside/ZEVAudioFile/OggReader.h"
#include "outside/ZEVAudioFile/WavReader.h"
#include "outside/ZEVAudioFile/WmaReader.h"

namespace audiofile {

OpenedReader openAudioReader(const std::wstring& path) {
  const std::wstring ext = lowerExtension(path);
  if (ext != L"wav" && ext != L"mp3" && ext != L"ogg" && ext != L"wma") return {nullptr, OpenError::unknownType};
  DWORD error = 0;
  File file = File::openForReading(path, error);
  if (!file) return {nullptr, OpenError::cannotOpen};
  std::unique_ptr<AudioReader> reader;
  if (ext == L"wav")
    reader = WavReader::open(std::move(file));
  else if (ext == L"mp3")
    reader = Mp3Reader::open(std::move(file));
  else if (ext == L"ogg")
    reader = OggReader::open(std::move(file));
  else
    reader = WmaReader::open(std::move(file));
  if (!reader) return {nullptr, OpenError::badContent};
  return {std::move(reader), OpenError::none};
}

}  // namespace audiofile
