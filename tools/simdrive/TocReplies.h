// The replies that describe a disc's layout: READ TOC format 0 (LBA or MSF addresses) and
// READ TRACK INFORMATION.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "DiscImage.h"
#include "ScsiOutcome.h"

namespace simdrive {

// READ TOC (43); nullopt with `error` for a format other than 0 or a bad starting track.
std::optional<std::vector<std::uint8_t>> TocReply(const Disc& disc, const std::uint8_t* cdb, Sense& error);

// READ TRACK INFORMATION (52), addressed by track number or by LBA; 28 bytes.
std::optional<std::vector<std::uint8_t>> TrackInfoReply(const Disc& disc, const std::uint8_t* cdb, Sense& error);

}  // namespace simdrive
