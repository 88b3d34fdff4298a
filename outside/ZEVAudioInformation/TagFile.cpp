#include "outside/ZEVAudioInformation/TagFile.h"

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/FileName.h"
#include "outside/ZEVAudioInformation/Genres.h"

#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

#include <algorithm>
#include <initializer_list>

namespace audioinfo {
namespace {

struct Length {
  int64_t durationMs = 0;
  int64_t totalSamples = 0;
};

// The length of the file's audio, when the file is audio of the kind its name says. The
// decoders that check a file's content also count its samples exactly.
std::optional<Length> audioLength(const std::wstring& path) {
  const auto opened = audiofile::openAudioReader(path);
  if (!opened.reader) return std::nullopt;
  const int64_t frames = opened.reader->totalFrames();
  return Length{frames * 1000 / opened.reader->format().sampleRate, frames};
}

// Each value from the first of the tags that has it.
Tags tagsFrom(std::initializer_list<const TagLib::Tag*> tags) {
  Tags result;
  auto first = [&](auto read) {
    for (const TagLib::Tag* tag : tags)
      if (tag && !read(*tag).isEmpty()) return read(*tag).toWString();
    return std::wstring();
  };
  result.title = first([](const TagLib::Tag& t) { return t.title(); });
  result.artist = first([](const TagLib::Tag& t) { return t.artist(); });
  result.album = first([](const TagLib::Tag& t) { return t.album(); });
  result.genre = genreIndex(first([](const TagLib::Tag& t) { return t.genre(); }));
  for (const TagLib::Tag* tag : tags)
    if (tag && tag->year() > 0) {
      result.year = static_cast<int>(tag->year());
      break;
    }
  return result;
}

void apply(const TagChanges& changes, TagLib::Tag& tag) {
  if (changes.title) tag.setTitle(*changes.title);
  if (changes.artist) tag.setArtist(*changes.artist);
  if (changes.album) tag.setAlbum(*changes.album);
  if (changes.genre) tag.setGenre(genreName(*changes.genre));
  if (changes.year) tag.setYear(static_cast<unsigned>(std::max(*changes.year, 0)));
}

}  // namespace

std::optional<FileInfo> readFileInfo(const std::wstring& path) {
  const auto length = audioLength(path);
  if (!length) return std::nullopt;
  FileInfo info;
  info.durationMs = length->durationMs;
  info.totalSamples = length->totalSamples;
  // A WAV file's own tag is its INFO list; some writers add an ID3v2 chunk as well.
  if (audiofile::lowerExtension(path) == L"wav") {
    const TagLib::RIFF::WAV::File file(path.c_str());
    info.tags = tagsFrom({file.InfoTag(), file.ID3v2Tag()});
  } else {
    const TagLib::FileRef file(path.c_str());
    if (!file.isNull()) info.tags = tagsFrom({file.tag()});
  }
  return info;
}

bool writeTags(const std::wstring& path, const TagChanges& changes) {
  if (!audioLength(path)) return false;
  const std::wstring extension = audiofile::lowerExtension(path);
  // Version 2.3 of ID3v2 is the one every player reads; ID3v1 serves the oldest ones.
  if (extension == L"mp3") {
    TagLib::MPEG::File file(path.c_str());
    if (!file.isValid()) return false;
    apply(changes, *file.ID3v2Tag(true));
    apply(changes, *file.ID3v1Tag(true));
    return file.save(TagLib::MPEG::File::ID3v1 | TagLib::MPEG::File::ID3v2, TagLib::File::StripNone,
                     TagLib::ID3v2::v3);
  }
  if (extension == L"wav") {
    TagLib::RIFF::WAV::File file(path.c_str());
    if (!file.isValid()) return false;
    apply(changes, *file.InfoTag());
    return file.save(TagLib::RIFF::WAV::File::Info, TagLib::File::StripNone);
  }
  TagLib::FileRef file(path.c_str());
  if (file.isNull()) return false;
  apply(changes, *file.tag());
  return file.save();
}

}  // namespace audioinfo
