#include "outside/ZEVAudioInformation/TagFile.h"

#include "outside/ZEVAudioFile/AudioReader.h"
#include "outside/ZEVAudioFile/FileName.h"
#include "outside/ZEVAudioInformation/Genres.h"
#include "outside/ZEVAudioInformation/PlayingLength.h"
#include "outside/ZEVAudioInformation/WavSave.h"

#include <taglib/asffile.h>
#include <taglib/fileref.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace audioinfo {
namespace {

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

// Writers such as ffmpeg repeat the title and the artist in ASF attributes of their own names
// ("title", "artist"), which readers prefer to the standard places; those get the values too.
void applyToOwnNamedAttributes(const TagChanges& changes, TagLib::ASF::Tag& tag) {
  const auto text = [](int number) { return number > 0 ? std::to_wstring(number) : std::wstring(); };
  const std::pair<std::optional<std::wstring>, std::initializer_list<const char*>> fields[] = {
      {changes.title, {"title"}},
      {changes.artist, {"artist", "author"}},
      {changes.album, {"album"}},
      {changes.genre ? std::optional(genreName(*changes.genre)) : std::nullopt, {"genre"}},
      {changes.year ? std::optional(text(*changes.year)) : std::nullopt, {"year", "date"}},
  };
  std::vector<TagLib::String> names;
  for (const auto& entry : tag.attributeListMap()) names.push_back(entry.first);
  for (const TagLib::String& name : names)
    for (const auto& [value, ownNames] : fields)
      for (const char* own : ownNames)
        if (value && name.upper() == TagLib::String(own).upper()) {
          if (value->empty())
            tag.removeItem(name);
          else
            tag.setAttribute(name, TagLib::ASF::Attribute(*value));
        }
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
  const auto length = playingLength(path);
  if (!length) return std::nullopt;
  FileInfo info;
  info.durationMs = length->ms;
  info.totalSamples = length->exactFrames;
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

int64_t countSamples(const std::wstring& path) {
  const auto opened = audiofile::openAudioReader(path);
  return opened.reader ? opened.reader->totalFrames() : 0;
}

bool writeTags(const std::wstring& path, const TagChanges& changes) {
  if (!playingLength(path)) return false;
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
  // Every tag a WAV file already carries gets the values, so that no reader finds the old ones.
  if (extension == L"wav") {
    return saveKeepingWavAudio(path, [&] {
      using TagLib::RIFF::WAV::File;
      File file(path.c_str());
      if (!file.isValid()) return false;
      apply(changes, *file.InfoTag());
      int kinds = File::Info;
      if (file.hasID3v2Tag()) {
        apply(changes, *file.ID3v2Tag());
        kinds |= File::ID3v2;
      }
      return file.save(static_cast<File::TagTypes>(kinds), TagLib::File::StripNone, TagLib::ID3v2::v3);
    });
  }
  if (extension == L"wma") {
    TagLib::ASF::File file(path.c_str());
    if (!file.isValid()) return false;
    apply(changes, *file.tag());
    applyToOwnNamedAttributes(changes, *file.tag());
    return file.save();
  }
  TagLib::FileRef file(path.c_str());
  if (file.isNull()) return false;
  apply(changes, *file.tag());
  return file.save();
}

}  // namespace audioinfo
