// The 22 MP3 encoder settings, with the values a new encoder settings object starts with, and
// the rules by which the settings object brings a value into the range LAME can take.
#pragma once

#include <cstdint>

namespace audiofile {

// Coding methods; the numbers are those of the settings object's interface.
enum VbrCodingMethod : int16_t { kVbrNone = -1, kVbrDefault = 0, kVbrOld = 1, kVbrNew = 2, kVbrMtrh = 3, kVbrAbr = 4 };
// Stereo modes used when Channels is 2.
enum TypeStereo : int16_t { kSimpleStereo = 1, kJointStereo = 2, kForcedJointStereo = 3, kDualChannel = 4 };
// ATH control: 0 leaves LAME's default, then "--ath", "--noath", "--athshort".
enum AthControlMode : int16_t { kAthDefault = 0, kAthOn = 1, kAthOff = 2, kAthShortBlocksOnly = 3 };

struct LameMp3Settings {
  int16_t vbrBitrate = 192;  // highest bitrate of variable-rate coding, kbit/s; 0 no limit
  int16_t vbrQuality = 7;    // 0 best .. 9 smallest
  int16_t vbrCodingMethod = kVbrNone;
  int16_t abrBitrate = 128;  // target of average-bitrate coding, kbit/s
  int16_t typeStereo = kSimpleStereo;
  int16_t encoderQuality = 5;  // LAME's algorithm quality, 0 best .. 9 fastest
  bool writingVbrHeader = true;
  bool bitReservoir = true;
  bool blockTypeControl = false;  // channels may use different block types
  bool shortBlocks = true;
  int16_t emphasis = 0;  // 0 none, 1 50/15 microseconds, 3 CCITT J.17
  bool strictIsoCompliance = false;
  bool strictlyEnforceMinBitrate = false;
  int16_t athControlMode = kAthDefault;
  // Filters in Hz: above 0 the corner, 0 LAME's choice, below 0 no filter. A width of 0 or
  // less is LAME's default transition width.
  int32_t lowPassFrequency = -1;
  int32_t highPassFrequency = -1;
  int32_t lowPassWidth = 0;
  int32_t highPassWidth = 0;
  bool errorProtection = false;  // CRC in every frame
  int32_t frequency = 44100;     // output sample rate, Hz
  int16_t channels = 2;
  int16_t bitrate = 128;  // kbit/s: the constant bitrate, or the lowest of variable-rate coding
};

// What the settings object stores for a value put to it: the nearest value LAME accepts.
int32_t acceptedFrequency(int32_t hz);
int16_t acceptedBitrate(int32_t kbps);  // 0 stays 0 ("no limit")
int16_t acceptedChannels(int32_t channels);
int16_t acceptedTypeStereo(int32_t mode);
int16_t acceptedVbrCodingMethod(int32_t method);
int16_t acceptedQuality(int32_t quality);  // EncoderQuality and VbrQuality
int16_t acceptedEmphasis(int32_t emphasis);
int16_t acceptedAthControlMode(int32_t mode);

}  // namespace audiofile
