#include "ripper/LameMP3Settings.h"

#include <array>

namespace {

struct NamedPreset {
    int16_t code;
    std::string_view word;  // empty: reached only by its number
    int32_t frequency;
    int16_t channels;
    int16_t typeStereo;
    int16_t bitrate;
    int16_t vbrBitrate;
    int16_t encoderQuality;
    int16_t vbrQuality;
    int16_t vbrCodingMethod;
    int32_t lowPassFrequency;
    int32_t lowPassWidth;
};

constexpr std::array<NamedPreset, 16> kPresets{{
    {1, "phone", 8000, 1, 1, 8, 56, 5, 6, 0, 3200, 1000},
    {2, "sw", 11025, 1, 1, 8, 64, 5, 5, 0, 4800, 500},
    {3, "am", 16000, 1, 1, 24, 160, 5, 5, 0, 7200, 500},
    {4, "fm", 22050, 2, 2, 16, 128, 5, 5, 0, 9950, 880},
    {5, "voice", 32000, 1, 2, 32, 128, 5, 5, 0, 12300, 2000},
    {6, "radio", 44100, 2, 2, 64, 256, 5, 4, 0, 15000, 0},
    {7, "tape", 44100, 2, 2, 96, 320, 5, 4, 0, 18500, 2000},
    {8, "hifi", 44100, 2, 2, 112, 320, 2, 3, 0, 20240, 2200},
    {9, "cd", 44100, 2, 1, 128, 320, 2, 2, 0, -1, 0},
    {10, "studio", 44100, 2, 1, 160, 320, 2, 0, 0, -1, 0},
    {11, "r3mix", 44100, 2, 2, 96, 320, 2, 1, 3, 19500, 0},
    {101, "", 44100, 2, 2, 128, 320, 2, 1, 2, 19000, 0},
    {102, "standard", 44100, 2, 2, 128, 320, 2, 1, 1, 19000, 0},
    {103, "", 44100, 2, 2, 128, 320, 2, 1, 2, 19500, 0},
    {104, "extreme", 44100, 2, 2, 128, 320, 2, 1, 1, 19500, 0},
    {105, "insane", 44100, 2, 2, 320, 320, 2, 1, 1, 20500, 0},
}};

constexpr int16_t kVoice = 5;
constexpr int16_t kFirstAlternative = 101;

void reset(LameMP3Settings& s) {
    s = LameMP3Settings{};
    s.vbrBitrate = 128;
}

}  // namespace

void applyPreset(LameMP3Settings& s, int16_t code) {
    for (const NamedPreset& p : kPresets) {
        if (p.code != code) continue;
        s.frequency = p.frequency;
        s.channels = p.channels;
        s.typeStereo = p.typeStereo;
        s.bitrate = p.bitrate;
        s.vbrBitrate = p.vbrBitrate;
        s.encoderQuality = p.encoderQuality;
        s.vbrQuality = p.vbrQuality;
        s.vbrCodingMethod = p.vbrCodingMethod;
        s.lowPassFrequency = p.lowPassFrequency;
        s.lowPassWidth = p.lowPassWidth;
        s.highPassFrequency = -1;
        s.highPassWidth = 0;
        if (code == kVoice) s.shortBlocksDisabled = 1;
        return;
    }
    reset(s);
}

int16_t presetCodeOfWord(std::string_view word, bool alternative) {
    for (const NamedPreset& p : kPresets) {
        if (!p.word.empty() && p.word == word && (p.code >= kFirstAlternative) == alternative) return p.code;
    }
    return 0;
}
