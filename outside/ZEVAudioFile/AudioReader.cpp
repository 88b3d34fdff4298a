#include "outside/ZEVAudioFile/AudioReader.h"

#include "outside/ZEVAudioFile/Mp3Reader.h"
#include "outside/ZEVAudioFile/OggReader.h"
#include "outside/ZEVAudioFile/WavReader.h"

#include <cwctype>

namespace audiofile {
namespace {

std::wstring lowerExtension(const std::wstring& path) {
  const size_t dot = path.find_last_of(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  std::wstring ext = path.substr(dot + 1);
  for (auto& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext;
}

}  // namespace

OpenedReader openAudioReader(const std::wstring& path) {
  const std::wstring ext = lowerExtension(path);
  if (ext == L"wma") return {nullptr, OpenError::notAvailable};
  if (ext != L"wav" && ext != L"mp3" && ext != L"ogg") return {nullptr, OpenError::unknownType};
  DWORD error = 0;
  File file = File::openForReading(path, error);
  if (!file) return {nullptr, OpenError::cannotOpen};
  std::unique_ptr<AudioReader> reader;
  if (ext == L"wav")
    reader = WavReader::open(std::move(file));
  else if (ext == L"mp3")
    reader = Mp3Reader::open(std::move(file));
  else
    reader = OggReader::open(std::move(file));
  if (!reader) return {nullptr, OpenError::badContent};
  return {std::move(reader), OpenError::none};
}

}  // namespace audiofile
