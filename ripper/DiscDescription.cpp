#include "ripper/DiscDescription.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kDataTrack = 0x04;

std::uint32_t BigEndian(const std::uint8_t (&bytes)[4]) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

}  // namespace

int TocTrackCount(const drive::TOCRecord& toc) {
    // The entry after the last track is the lead-out, so the record holds one track fewer
    // than entries.
    constexpr int kMostTracks = static_cast<int>(std::size(drive::TOCRecord{}.tracks)) - 1;
    return std::min<int>(toc.lastTrack, kMostTracks);
}

std::vector<AudioTrack> AudioTracksOf(const drive::TOCRecord& toc) {
    std::vector<AudioTrack> tracks;
    const int count = TocTrackCount(toc);
    for (int entry = 0; entry < count; ++entry) {
        const drive::TOCTrack& track = toc.tracks[entry];
        if (track.adrControl & kDataTrack) continue;
        const std::uint32_t start = BigEndian(track.address);
        const std::uint32_t next = BigEndian(toc.tracks[entry + 1].address);
        tracks.push_back({track.trackNumber, start, static_cast<std::int32_t>(next - start)});
    }
    return tracks;
}

DiscTypeAnswer DiscTypeOf(int discTypeCode, int audioTracks) {
    const bool audio = audioTracks > 0;
    switch (discTypeCode) {
    case 0: return audio ? DiscTypeAnswer{UNRECOGNIZED, "UNRECOGNIZED"} : DiscTypeAnswer{YELLOWBOOK, "YELLOWBOOK"};
    case 1: return audio && audioTracks >= 51 ? DiscTypeAnswer{BLUEBOOK, "BLUEBOOK"} : DiscTypeAnswer{REDBOOK, "REDBOOK"};
    case 2: return audio ? DiscTypeAnswer{BLUEBOOK, "BLUEBOOK"} : DiscTypeAnswer{YELLOWBOOK, "YELLOWBOOK"};
    case 3:
    case 5: return audio ? DiscTypeAnswer{BLUEBOOK, "BLUEBOOK"} : DiscTypeAnswer{ORANGEBOOK, "ORANGEBOOK"};
    case 4: return {GREENBOOK, "GREENBOOK"};
    default: return {UNRECOGNIZED, "UNRECOGNIZED <default>"};
    }
}

std::int32_t FramesOfMciLength(DWORD packed) {
    const std::int32_t minutes = packed & 0xFF;
    const std::int32_t seconds = (packed >> 8) & 0xFF;
    return (minutes * 60 + seconds) * kFramesPerSecond;
}

long ClampSelection(long value, long count) {
    if (value > count) value = count;
    if (value < 1) value = 1;
    return value;
}
