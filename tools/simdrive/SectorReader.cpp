#include "SectorReader.h"

#include <cstring>

#include "AudioGenerator.h"

namespace simdrive {
namespace {

// Where the moved part lies in a raw sector of `track`; false when the part cannot be read
// from such a track.
bool PartOf(const Track& track, SectorPart part, int& offset, int& bytes) {
  offset = 0;
  switch (part) {
    case SectorPart::Nothing:
      bytes = 0;
      return true;
    case SectorPart::Raw:
      bytes = kFrameBytes;
      return true;
    case SectorPart::UserData:
      offset = track.IsAudio() ? 0 : 16;
      bytes = track.IsAudio() ? kFrameBytes : track.kind == TrackKind::Mode1 ? 2048 : 2336;
      return true;
    case SectorPart::Cooked2048:
      offset = track.kind == TrackKind::Mode1 ? 16 : 24;
      bytes = 2048;
      return !track.IsAudio();
  }
  return false;
}

bool TypeMatches(const Track& track, int sectorType) {
  switch (sectorType) {
    case 0: return true;
    case 1: return track.kind == TrackKind::Audio;
    case 2: return track.kind == TrackKind::Mode1;
    default: return track.kind == TrackKind::Mode2;
  }
}

// READ CD byte 9 selects the sector fields; the drive knows the useful combinations.
std::optional<SectorPart> ReadCdPart(std::uint8_t fields) {
  if ((fields & 0xF8) == 0) return SectorPart::Nothing;
  if (fields == 0x10) return SectorPart::UserData;
  if ((fields & 0x80) != 0 && (fields & 0x10) != 0) return SectorPart::Raw;
  return std::nullopt;
}

}  // namespace

std::optional<ReadCommand> ReadCommandOf(std::uint8_t opcode) {
  switch (opcode) {
    case 0xBE: return kReadCd;
    case 0xD4: return kReadD4;
    case 0xD8: return kReadD8;
    case 0x28: return kRead10;
    default: return std::nullopt;
  }
}

std::optional<ReadRequest> ParseRead(const std::uint8_t* cdb, std::uint32_t blockLength, Sense& error) {
  ReadRequest request;
  request.command = *ReadCommandOf(cdb[0]);
  request.lba = static_cast<std::int32_t>(BigEndian(cdb + 2, 4));
  switch (request.command) {
    case kReadCd: {
      request.count = BigEndian(cdb + 6, 3);
      request.sectorType = (cdb[1] >> 2) & 7;
      const auto part = ReadCdPart(cdb[9]);
      // C2 error bits and sub-channel data are not simulated.
      if (!part || request.sectorType > 5 || (cdb[9] & 0x06) != 0 || (cdb[10] & 0x07) != 0) {
        error = sense::kInvalidField;
        return std::nullopt;
      }
      request.part = *part;
      break;
    }
    case kReadD4:
      request.count = BigEndian(cdb + 7, 2);
      break;
    case kReadD8:
      request.count = BigEndian(cdb + 6, 4);
      break;
    case kRead10:
      request.count = BigEndian(cdb + 7, 2);
      request.part = blockLength == kFrameBytes ? SectorPart::Raw : SectorPart::Cooked2048;
      break;
  }
  return request;
}

SectorReader::SectorReader(const DriveSetup& setup)
    : setup_(setup), failuresLeft_(setup.unreadable.size()), frame_(kFrameBytes) {
  for (std::size_t i = 0; i < setup.unreadable.size(); ++i) failuresLeft_[i] = setup.unreadable[i].failures;
}

bool SectorReader::FailsForFaults(const ReadRequest& request) {
  bool fails = false;
  const std::int64_t last = request.lba + request.count - 1;
  for (std::size_t i = 0; i < setup_.unreadable.size(); ++i) {
    const FrameRange& range = setup_.unreadable[i];
    if (last < range.first || request.lba > range.last) continue;
    if (range.failures == 0) {
      fails = true;
    } else if (failuresLeft_[i] > 0) {
      --failuresLeft_[i];
      fails = true;
    }
  }
  return fails;
}

int SectorReader::NextJitter() {
  if (setup_.jitter.empty()) return 0;
  return setup_.jitter[jitterCursor_++ % setup_.jitter.size()];
}

ScsiOutcome SectorReader::Read(const Disc& disc, const ReadRequest& request, std::uint8_t* buffer,
                               std::uint32_t capacity) {
  if (request.count == 0) return ScsiOutcome::Good();
  if (request.lba < 0 || request.lba + request.count > disc.leadout) return ScsiOutcome::Check(sense::kLbaOutOfRange);

  // Sizes and legality follow the addresses asked for, as the drive checks them first.
  std::int64_t total = 0;
  bool wholeFrames = true;
  for (std::int64_t lba = request.lba; lba < request.lba + request.count;) {
    const Track* track = disc.TrackAt(static_cast<std::int32_t>(lba));
    if (track == nullptr) return ScsiOutcome::Check(sense::kLbaOutOfRange);
    int offset = 0;
    int bytes = 0;
    if (!TypeMatches(*track, request.sectorType) || !PartOf(*track, request.part, offset, bytes))
      return ScsiOutcome::Check(sense::kIllegalModeForTrack);
    const std::int64_t run = std::min<std::int64_t>(track->End(), request.lba + request.count) - lba;
    total += run * bytes;
    wholeFrames = wholeFrames && offset == 0 && bytes == kFrameBytes;
    lba += run;
  }
  if (total > capacity) return ScsiOutcome::Overrun();
  if (FailsForFaults(request)) return ScsiOutcome::Check(sense::kUnrecoveredRead);
  if ((setup_.emptyReads & request.command) != 0) return ScsiOutcome::Good();

  const std::int64_t from = request.lba + NextJitter();
  const auto count = static_cast<std::int32_t>(request.count);
  if (wholeFrames) {
    ReadRawFrames(disc, from, count, buffer);
    return ScsiOutcome::Good(static_cast<std::uint32_t>(total));
  }
  std::uint8_t* out = buffer;
  for (std::int32_t i = 0; i < count; ++i) {
    int offset = 0;
    int bytes = 0;
    PartOf(*disc.TrackAt(static_cast<std::int32_t>(request.lba + i)), request.part, offset, bytes);
    ReadRawFrames(disc, from + i, 1, frame_.data());
    std::memcpy(out, frame_.data() + offset, std::size_t(bytes));
    out += bytes;
  }
  return ScsiOutcome::Good(static_cast<std::uint32_t>(total));
}

}  // namespace simdrive
