#include "ripper/LameMP3Settings.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

// Tokens are split at every single blank, so "a  b" holds an empty token and a trailing
// blank ends the string with one.
std::vector<std::string_view> tokenize(std::string_view text) {
    std::vector<std::string_view> tokens;
    for (;;) {
        if (tokens.size() == kMaxOptionTokens) break;
        const size_t blank = text.find(' ');
        tokens.push_back(text.substr(0, blank));
        if (blank == std::string_view::npos) break;
        text.remove_prefix(blank + 1);
    }
    return tokens;
}

// The standard decimal conversions, on a private terminated copy: a token is a view into the
// option string and carries no terminator of its own. Text that is no number reads as 0.
long readInteger(std::string_view token) { return std::strtol(std::string(token).c_str(), nullptr, 10); }

double readDecimal(std::string_view token) { return std::strtod(std::string(token).c_str(), nullptr); }

int32_t toInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// Integer results are stored in the width of their field: the low 16 bits for 16-bit fields.
int16_t low16(long value) { return static_cast<int16_t>(value); }

// Filter options give kilohertz with 0.5 added before scaling ("--lowpass 17" is 17500 Hz).
int32_t filterHertz(std::string_view kHz) { return kHz.empty() ? 0 : toInt32((readDecimal(kHz) + 0.5) * 1000); }

void applyStereoMode(LameMP3Settings& s, std::string_view mode) {
    constexpr std::array<std::pair<std::string_view, int16_t>, 4> kStereo{
        {{"s", 1}, {"j", 2}, {"f", 3}, {"d", 4}}};
    if (mode == "m") {
        s.channels = 1;
        return;
    }
    for (const auto& [letter, typeStereo] : kStereo) {
        if (mode == letter) {
            s.channels = 2;
            s.typeStereo = typeStereo;
        }
    }
}

void applyPresetWord(LameMP3Settings& s, std::string_view word, bool alternative) {
    s.vbrCodingMethod = 0;
    if (const int16_t code = presetCodeOfWord(word, alternative)) applyPreset(s, code);
}

enum class Argument {
    None,      // the option stands alone
    Required,  // the next token is the argument
    Positive,  // the next token is taken only when it reads as a number above 0
};

struct Option {
    std::string_view name;
    Argument argument;
    void (*apply)(LameMP3Settings& s, std::string_view argument);
};

// Options with no effect ("--comp", "-s", "--athlower", "-a", "-freeformat", "-c", "-o",
// "-cwlimit", "-x") are skipped alone like any unknown token, so they need no entry.
const std::array<Option, 32> kOptions{{
    {"-b", Argument::Required, [](LameMP3Settings& s, std::string_view a) { s.bitrate = low16(readInteger(a)); }},
    {"-B", Argument::Required, [](LameMP3Settings& s, std::string_view a) { s.vbrBitrate = low16(readInteger(a)); }},
    {"-m", Argument::Required, applyStereoMode},
    {"--abr", Argument::Required,
     [](LameMP3Settings& s, std::string_view a) {
         s.vbrCodingMethod = 4;
         s.abrBitrate = low16(readInteger(a));
     }},
    {"-f", Argument::None,
     [](LameMP3Settings& s, std::string_view) {
         s.vbrQuality = 9;
         s.encoderQuality = 1;
     }},
    {"-h", Argument::None,
     [](LameMP3Settings& s, std::string_view) {
         s.vbrQuality = 0;
         s.encoderQuality = 3;
     }},
    {"--r3mix", Argument::None, [](LameMP3Settings& s, std::string_view) { applyPreset(s, 11); }},
    {"--preset", Argument::Required, [](LameMP3Settings& s, std::string_view a) { applyPresetWord(s, a, false); }},
    {"--alt-preset", Argument::Required, [](LameMP3Settings& s, std::string_view a) { applyPresetWord(s, a, true); }},
    {"-q", Argument::Required, [](LameMP3Settings& s, std::string_view a) { s.encoderQuality = low16(readInteger(a)); }},
    // "--resample" adds 0.5 after scaling, so 22.05 gives 22050 Hz.
    {"--resample", Argument::Required,
     [](LameMP3Settings& s, std::string_view a) { s.frequency = toInt32(readDecimal(a) * 1000 + 0.5); }},
    {"-t", Argument::None, [](LameMP3Settings& s, std::string_view) { s.writingVBRHeader = 0; }},
    {"-v", Argument::Required, [](LameMP3Settings& s, std::string_view a) { s.vbrQuality = low16(readInteger(a)); }},
    {"--ath", Argument::None, [](LameMP3Settings& s, std::string_view) { s.athControlMode = 1; }},
    {"--noath", Argument::None, [](LameMP3Settings& s, std::string_view) { s.athControlMode = 2; }},
    {"--athshort", Argument::None, [](LameMP3Settings& s, std::string_view) { s.athControlMode = 3; }},
    {"-k", Argument::None,
     [](LameMP3Settings& s, std::string_view) {
         s.lowPassFrequency = -1;
         s.highPassFrequency = -1;
     }},
    {"-F", Argument::None, [](LameMP3Settings& s, std::string_view) { s.strictlyEnforceMinBitrate = 1; }},
    {"-p", Argument::None, [](LameMP3Settings& s, std::string_view) { s.errorProtection = 1; }},
    {"-e", Argument::Required, [](LameMP3Settings& s, std::string_view a) { s.emphasis = low16(readInteger(a)); }},
    {"--highpass", Argument::Positive,
     [](LameMP3Settings& s, std::string_view a) { s.highPassFrequency = filterHertz(a); }},
    {"--highpass-width", Argument::Positive,
     [](LameMP3Settings& s, std::string_view a) { s.highPassWidth = filterHertz(a); }},
    {"--lowpass", Argument::Positive,
     [](LameMP3Settings& s, std::string_view a) { s.lowPassFrequency = filterHertz(a); }},
    {"--lowpass-width", Argument::Positive,
     [](LameMP3Settings& s, std::string_view a) { s.lowPassWidth = filterHertz(a); }},
    {"--nores", Argument::None, [](LameMP3Settings& s, std::string_view) { s.bitReservoirDisabled = 1; }},
    {"-noshort", Argument::None, [](LameMP3Settings& s, std::string_view) { s.shortBlocksDisabled = 1; }},
    {"--strictly-enforce-ISO", Argument::None,
     [](LameMP3Settings& s, std::string_view) { s.strictISOCompliance = 1; }},
    {"-d", Argument::None, [](LameMP3Settings& s, std::string_view) { s.blockTypeControl = 1; }},
    {"-vbr", Argument::None, [](LameMP3Settings& s, std::string_view) { s.vbrCodingMethod = 0; }},
    {"--vbr-old", Argument::None, [](LameMP3Settings& s, std::string_view) { s.vbrCodingMethod = 1; }},
    {"--vbr-new", Argument::None, [](LameMP3Settings& s, std::string_view) { s.vbrCodingMethod = 2; }},
    {"--vbr-mtrh", Argument::None, [](LameMP3Settings& s, std::string_view) { s.vbrCodingMethod = 3; }},
}};

const Option* findOption(std::string_view token) {
    for (const Option& option : kOptions) {
        if (option.name == token) return &option;
    }
    return nullptr;
}

}  // namespace

void applyOptionString(LameMP3Settings& s, std::string_view options) {
    const std::vector<std::string_view> tokens = tokenize(options);
    applyPreset(s, 0);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Option* option = findOption(tokens[i]);
        if (!option) continue;
        const bool hasNext = i + 1 < tokens.size();
        switch (option->argument) {
        case Argument::None:
            option->apply(s, {});
            break;
        case Argument::Required:
            // An option whose argument is missing (it ends the string) changes nothing.
            if (hasNext) option->apply(s, tokens[++i]);
            break;
        case Argument::Positive:
            option->apply(s, hasNext && readDecimal(tokens[i + 1]) > 0 ? tokens[++i] : std::string_view());
            break;
        }
    }
}
