// The output formats the ripper sets up on the outside AudioFile object: the checks that bring
// a client's values into the sets the encoder takes, the formats a rip falls back to for a
// format its client never set, and which formats are still unset.
#pragma once

#include <array>

// Each check keeps a value of its set and turns any other into the fall-back value:
// sample rate -> 44100, bitrate -> 0 (kbit/s), channels -> 2, stereo mode -> 1 (simple
// stereo), coding method -> -1 (no variable-rate coding).
long CheckSampleRate(long hz);
long CheckBitrate(long kbps);
long CheckChannels(long channels);
long CheckStereoMode(long mode);
long CheckCodingMethod(long method);

struct Mp3Format {
    long frequency;  // Hz
    long bitrate;    // kbit/s
    long channels;
};

struct OggFormat {
    long frequency;  // Hz
    long channels;
    long nominalBitrate;  // kbit/s, as the minimum and maximum
    long minBitrate;
    long maxBitrate;
    short quality;  // the encoder takes 16 bits; -1 lets the bitrates decide
};

inline constexpr Mp3Format kDefaultMp3Format{44100, 128, 2};
inline constexpr long kDefaultWmaProfile = 24;
inline constexpr OggFormat kDefaultOggFormat{44100, 2, 128, 0, 0, -1};

// A client's values through the checks; the Ogg quality keeps its low 16 bits.
Mp3Format CheckedMp3Format(long frequency, long bitrate, long channels);
OggFormat CheckedOggFormat(long frequency, long channels, long nominalBitrate, long minBitrate, long maxBitrate,
                           long quality);

enum class OutputFormat { Mp3, Wma, Ogg };

// A format is pending from the opening of the driver until the client sets it up; a rip of a
// pending format sets the default format first.
class PendingFormats {
public:
    void setAll() { pending_.fill(true); }
    void clear(OutputFormat format) { pending_[index(format)] = false; }
    bool pending(OutputFormat format) const { return pending_[index(format)]; }

private:
    static constexpr int index(OutputFormat format) { return static_cast<int>(format); }
    std::array<bool, 3> pending_{true, true, true};
};
