// The WMA profiles the encoder offers: a profile number chooses the sample rate, channels and
// bitrate of the file, as Windows Media's own profile lists do. The table is in
// outside/README.md.
#pragma once

namespace audiofile {

struct WmaProfile {
  long number;
  int sampleRate;  // Hz
  int channels;
  int bitrate;     // kbit/s
};

// The profile of that number; nullptr for a number outside the table.
const WmaProfile* findWmaProfile(long number);

}  // namespace audiofile
