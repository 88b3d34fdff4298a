// The volume serial number of the disc in a drive, which tells a device-change message that
// brings another disc from one that does not touch the drive.
#pragma once

#include <string>

namespace app {

// The serial of the disc in the drive of that letter ("D:") as 8 upper-case hexadecimal digits, high half first;
// empty when it cannot be read (no disc, no such drive, no letter: an empty letter must not
// read the current drive instead). Never shows the system's "no disk" error box.
std::string ReadVolumeSerial(const std::string& driveLetter);

// Whether a device change must read the disc again: the serial differs from the known one, or
// none is known.
inline bool DiscChanged(const std::string& serial, const std::string& known) {
  return known.empty() || serial != known;
}

}  // namespace app
