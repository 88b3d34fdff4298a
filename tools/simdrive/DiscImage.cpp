#include "DiscImage.h"

#include <algorithm>
#include <cstring>

#include "AudioGenerator.h"
#include "TextFiles.h"
#include "IniText.h"

namespace simdrive {
namespace {

std::uint8_t Bcd(int value) { return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10)); }

// A data sector as it sits on the disc: sync, header with the BCD address and mode, and
// user data that depends on the address. The error-correction bytes stay zero: nothing
// here checks them.
void MakeDataSector(const Track& track, std::int64_t lba, std::uint8_t* out) {
  std::memset(out, 0, kFrameBytes);
  std::memset(out + 1, 0xFF, 10);
  const std::int64_t msf = lba + kMsfOffset;
  out[12] = Bcd(static_cast<int>(msf / (60 * 75)));
  out[13] = Bcd(static_cast<int>(msf / 75 % 60));
  out[14] = Bcd(static_cast<int>(msf % 75));
  out[15] = track.kind == TrackKind::Mode1 ? 1 : 2;
  const std::size_t userBytes = track.kind == TrackKind::Mode1 ? 2048 : 2336;
  for (std::size_t i = 0; i < userBytes; ++i) out[16 + i] = static_cast<std::uint8_t>(lba * 7 + i);
}

void ReadTrackFrames(const Track& track, std::int64_t lba, std::int32_t count, std::uint8_t* out) {
  if (!track.IsAudio()) {
    for (std::int32_t i = 0; i < count; ++i) MakeDataSector(track, lba + i, out + std::size_t(i) * kFrameBytes);
    return;
  }
  switch (track.source) {
    case AudioSource::Generated:
      GenerateAudioFrames(lba, count, out);
      break;
    case AudioSource::Silence:
      std::memset(out, 0, std::size_t(count) * kFrameBytes);
      break;
    case AudioSource::File:
      track.file->Read(static_cast<std::int32_t>(lba - track.start), count, out);
      break;
  }
}

bool ParseKind(std::string_view word, Track& track) {
  if (word == "audio") {
    track.kind = TrackKind::Audio;
    track.dataMode = 0x0F;
  } else if (word == "mode1") {
    track.kind = TrackKind::Mode1;
    track.dataMode = 1;
  } else if (word == "mode2") {
    track.kind = TrackKind::Mode2;
    track.dataMode = 2;
  } else {
    return false;
  }
  return true;
}

}  // namespace

const Track* Disc::TrackAt(std::int32_t lba) const {
  for (const Track& track : tracks) {
    if (lba >= track.start && lba < track.End()) return &track;
  }
  return nullptr;
}

std::optional<std::int32_t> ParseLength(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    const auto frames = ParseInteger(text, 1, 100 * 60 * 75);
    return frames ? std::optional<std::int32_t>(static_cast<std::int32_t>(*frames)) : std::nullopt;
  }
  const auto dot = text.find('.', colon);
  const std::string_view secondsText = text.substr(colon + 1, dot == std::string_view::npos ? dot : dot - colon - 1);
  const auto minutes = ParseInteger(text.substr(0, colon), 0, 99);
  const auto seconds = ParseInteger(secondsText, 0, 59);
  const auto frames = dot == std::string_view::npos ? std::optional<long long>(0) : ParseInteger(text.substr(dot + 1), 0, 74);
  if (!minutes || !seconds || !frames || secondsText.size() != 2) return std::nullopt;
  const auto length = static_cast<std::int32_t>((*minutes * 60 + *seconds) * 75 + *frames);
  return length > 0 ? std::optional<std::int32_t>(length) : std::nullopt;
}

bool AddTrack(Disc& disc, std::string_view line, const std::string& folder, std::string& error) {
  // "file=" takes the rest of the line, so a path may hold blanks.
  std::string_view words = line;
  std::string path;
  if (const auto at = line.find("file="); at != std::string_view::npos) {
    path = std::string(Trim(line.substr(at + 5)));
    words = line.substr(0, at);
    if (path.empty()) {
      error = "\"file=\" needs a file name";
      return false;
    }
  }
  const std::vector<std::string> parts = SplitWords(words);
  Track track;
  track.number = static_cast<int>(disc.tracks.size()) + 1;
  track.session = disc.tracks.empty() ? 1 : disc.tracks.back().session;
  if (parts.empty() || !ParseKind(ToLower(parts[0]), track)) {
    error = "a track starts with its kind: audio, mode1 or mode2";
    return false;
  }
  if (track.number > 99) {
    error = "a disc holds at most 99 tracks";
    return false;
  }
  std::optional<std::int32_t> length;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::string word = ToLower(parts[i]);
    if (word.rfind("session=", 0) == 0) {
      const auto session = ParseInteger(word.substr(8), 1, 99);
      if (!session) {
        error = "bad session number \"" + parts[i] + "\"";
        return false;
      }
      track.session = static_cast<int>(*session);
    } else if (word.rfind("datamode=", 0) == 0) {
      const auto mode = ParseInteger(word.substr(9), 0, 15);
      if (!mode) {
        error = "bad data mode \"" + parts[i] + "\" (0 to 15)";
        return false;
      }
      track.dataMode = static_cast<int>(*mode);
    } else if (word == "silence") {
      track.source = AudioSource::Silence;
    } else if (word == "generated") {
      track.source = AudioSource::Generated;
    } else if (auto parsed = length ? std::nullopt : ParseLength(word)) {
      length = parsed;
    } else {
      error = "unknown track word \"" + parts[i] + "\"";
      return false;
    }
  }
  if (!path.empty()) {
    if (!track.IsAudio()) {
      error = "only audio tracks take their frames from a file";
      return false;
    }
    auto file = PcmFile::Open(ResolvePath(folder, path), error);
    if (!file) return false;
    track.source = AudioSource::File;
    track.file = std::make_shared<const PcmFile>(std::move(*file));
    if (!length) length = track.file->Frames();
  }
  if (!length || *length <= 0) {
    error = "a track needs a length (frames, m:ss or m:ss.ff)";
    return false;
  }
  track.length = *length;
  if (disc.tracks.empty()) {
    if (track.session != 1) {
      error = "the first track is in session 1";
      return false;
    }
  } else {
    const Track& previous = disc.tracks.back();
    if (track.session != previous.session && track.session != previous.session + 1) {
      error = "sessions follow each other: track " + std::to_string(track.number) + " can be in session " +
              std::to_string(previous.session) + " or " + std::to_string(previous.session + 1);
      return false;
    }
    track.start = previous.End() + (track.session != previous.session ? kSessionGap : 0);
  }
  disc.leadout = track.End();
  disc.tracks.push_back(std::move(track));
  return true;
}

void ReadRawFrames(const Disc& disc, std::int64_t lba, std::int32_t count, std::uint8_t* out) {
  while (count > 0) {
    const Track* track = lba >= 0 && lba < disc.leadout ? disc.TrackAt(static_cast<std::int32_t>(lba)) : nullptr;
    std::int32_t run = 1;
    if (track != nullptr) {
      run = static_cast<std::int32_t>(std::min<std::int64_t>(count, track->End() - lba));
      ReadTrackFrames(*track, lba, run, out);
    } else {
      std::memset(out, 0, kFrameBytes);
    }
    lba += run;
    count -= run;
    out += std::size_t(run) * kFrameBytes;
  }
}

}  // namespace simdrive
