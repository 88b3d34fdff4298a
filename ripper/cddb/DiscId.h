// The CDDB disc identifier and the cdplayer.ini key of the disc in an open drive, both drawn
// from its table of contents read with MSF addresses.
#pragma once

#include "DriveCommands.h"

#include <cstdint>

namespace cddb {

// Identifier record: [0] disc identifier, [1] track count n, [2]..[n+1] the start of each
// track in frames, [n+2] the playing time in seconds; room for 99 tracks.
constexpr int kDiscIdRecordSize = 103;
constexpr int kMaxDiscTracks = 99;

int DigitSum(int n);

// The arithmetic over a TOC with MSF addresses. A TOC naming more tracks than it can hold is
// taken as holding 99, one naming fewer than none as empty.
void DiscIdFromTOC(const drive::TOCRecord& toc, std::int32_t* record);
std::uint32_t IniKeyFromTOC(const drive::TOCRecord& toc);

// Reads the TOC as MSF and fills the record; the drive is left asking for MSF addresses.
// A failed read leaves a zeroed TOC, which gives identifier 1. Always 0.
int ComputeDiscId(int handle, std::int32_t* record);

// The same, restoring the drive's addressing afterwards and remembering the identifier with
// the disc's ini key and track count. 1, or 4 (last error -7) for a handle that is not open.
int ComputeDiscIdRecord(int handle, std::int32_t* record);

// ComputeDiscIdRecord's work, also handing back the ini key and, when asked, whether the disc
// holds audio: its TOC was read and names an audio track. False for a handle not open.
bool ReadDiscIdentity(int handle, std::int32_t* record, std::uint32_t* iniKey, bool* audioDisc = nullptr);

// Sum of the audio tracks' MSF address words; the drive is left asking for MSF addresses.
std::uint32_t ComputeIniKey(int handle);

}  // namespace cddb
