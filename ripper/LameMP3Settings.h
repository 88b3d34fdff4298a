// One complete set of MP3 encoding settings as the AudioCDRipperLameMP3Encoder object holds
// them, and the two ways of filling it besides single properties: numbered presets and
// option strings in the style of a command-line MP3 encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct LameMP3Settings {
    int16_t vbrBitrate = 192;
    int16_t vbrQuality = 7;
    int16_t vbrCodingMethod = -1;
    int16_t abrBitrate = 128;
    int16_t typeStereo = 1;
    int16_t encoderQuality = 5;
    int16_t writingVBRHeader = 1;
    int16_t bitReservoirDisabled = 0;  // held inverted: the property reads "reservoir in use"
    int16_t blockTypeControl = 0;
    int16_t shortBlocksDisabled = 0;  // held inverted: the property reads "short blocks allowed"
    int16_t emphasis = 0;
    int16_t strictISOCompliance = 0;
    int16_t strictlyEnforceMinBitrate = 0;
    int16_t athControlMode = 0;
    int32_t lowPassFrequency = -1;
    int32_t highPassFrequency = -1;
    int32_t lowPassWidth = 0;
    int32_t highPassWidth = 0;
    int16_t errorProtection = 0;
    int32_t frequency = 44100;
    int16_t channels = 2;
    int16_t bitrate = 128;

    friend bool operator==(const LameMP3Settings&, const LameMP3Settings&) = default;
};

// Codes 1-11 and 101-105 apply a named preset over the current settings; every other code
// resets all settings (which differs from a new object only in vbrBitrate: 128, not 192).
void applyPreset(LameMP3Settings& settings, int16_t code);

// Preset code of an option word: "--preset" words give 1-11, "--alt-preset" words 102, 104
// and 105; 0 for an unknown word.
int16_t presetCodeOfWord(std::string_view word, bool alternative);

// Option strings are split at single blanks into at most this many tokens; later ones are
// not looked at.
inline constexpr size_t kMaxOptionTokens = 127;

// Resets every setting as preset 0 does, then applies the options of an ANSI option string.
void applyOptionString(LameMP3Settings& settings, std::string_view options);
