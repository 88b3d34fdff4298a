#include "TocReplies.h"

namespace simdrive {
namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void AppendTocEntry(std::vector<std::uint8_t>& out, std::uint8_t number, std::uint8_t control, std::int32_t lba,
                    bool msf) {
  const std::size_t at = out.size();
  out.resize(at + 8);
  out[at + 1] = static_cast<std::uint8_t>(0x10 | control);  // ADR 1: position data
  out[at + 2] = number;
  if (msf) {
    const std::int32_t frames = lba + kMsfOffset;
    out[at + 5] = static_cast<std::uint8_t>(frames / (60 * 75));
    out[at + 6] = static_cast<std::uint8_t>(frames / 75 % 60);
    out[at + 7] = static_cast<std::uint8_t>(frames % 75);
  } else {
    PutBigEndian(out, at + 4, static_cast<std::uint32_t>(lba));
  }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> TocReply(const Disc& disc, const std::uint8_t* cdb, Sense& error) {
  const bool msf = (cdb[1] & 0x02) != 0;
  const int format = cdb[2] & 0x0F;
  const int startTrack = cdb[6];
  const int lastTrack = static_cast<int>(disc.tracks.size());
  if (format != 0 || (startTrack > lastTrack && startTrack != 0xAA)) {
    error = sense::kInvalidField;
    return std::nullopt;
  }
  std::vector<std::uint8_t> out(4);
  out[2] = 1;
  out[3] = static_cast<std::uint8_t>(lastTrack);
  for (const Track& track : disc.tracks) {
    if (track.number >= startTrack) AppendTocEntry(out, static_cast<std::uint8_t>(track.number), track.Control(), track.start, msf);
  }
  AppendTocEntry(out, 0xAA, disc.tracks.back().Control(), disc.leadout, msf);
  const std::size_t length = out.size() - 2;
  out[0] = static_cast<std::uint8_t>(length >> 8);
  out[1] = static_cast<std::uint8_t>(length);
  return out;
}

std::optional<std::vector<std::uint8_t>> TrackInfoReply(const Disc& disc, const std::uint8_t* cdb, Sense& error) {
  const int addressType = cdb[1] & 0x03;
  const std::uint32_t address = BigEndian(cdb + 2, 4);
  const Track* track = nullptr;
  if (addressType == 1) {
    if (address >= 1 && address <= disc.tracks.size()) track = &disc.tracks[address - 1];
  } else if (addressType == 0) {
    track = disc.TrackAt(static_cast<std::int32_t>(address));
  }
  if (track == nullptr) {
    error = addressType > 1 ? sense::kInvalidField : sense::kLbaOutOfRange;
    return std::nullopt;
  }
  std::vector<std::uint8_t> out(28);
  out[1] = 26;
  out[2] = static_cast<std::uint8_t>(track->number);
  out[3] = static_cast<std::uint8_t>(track->session);
  out[5] = track->Control();
  out[6] = static_cast<std::uint8_t>(track->dataMode);
  PutBigEndian(out, 8, static_cast<std::uint32_t>(track->start));
  PutBigEndian(out, 24, static_cast<std::uint32_t>(track->length));
  return out;
}

}  // namespace simdrive
