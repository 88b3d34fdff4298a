// What the ripper object tells about a disc from its table of contents: the audio tracks with
// their lengths, the disc type it reports, and the CD audio device's track length.
#pragma once

#include "DriveCommands.h"

#include "ZEVDiscRipper.h"

#include <cstdint>
#include <vector>

constexpr int kSamplesPerFrame = 588;
constexpr int kFramesPerSecond = 75;

struct AudioTrack {
    int number;            // the track's number on the disc
    std::uint32_t start;   // first frame (logical block address)
    std::int32_t frames;   // up to the next track's start, or the lead-out's
};

// The audio tracks of a TOC read with block addresses, in disc order; data tracks are left out.
// The TOC's last track number counts its entries, never more than the record holds.
std::vector<AudioTrack> AudioTracksOf(const drive::TOCRecord& toc);
// The number of track entries a TOC names (its last track number, within the record).
int TocTrackCount(const drive::TOCRecord& toc);

struct DiscTypeAnswer {
    CDDiskTypeConstants type;
    const char* logText;
};
// The type reported for GetDiscType's code and the number of audio tracks on the disc.
DiscTypeAnswer DiscTypeOf(int discTypeCode, int audioTracks);

// A length from the CD audio device (minutes in the low byte, seconds in the next, frames
// dropped) in frames.
std::int32_t FramesOfMciLength(DWORD packed);

// A 1-based selection kept within 1..count: above the count gives the count, then below 1
// gives 1 (so 1 when there is nothing to select).
long ClampSelection(long value, long count);
