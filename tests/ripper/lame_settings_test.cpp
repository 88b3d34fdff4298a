// Presets and option strings of the MP3 encoder settings, on the plain settings record.
#include "ripper/LameMP3Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LameMP3Settings resetValues() {
    LameMP3Settings s;
    s.vbrBitrate = 128;
    return s;
}

LameMP3Settings parsed(std::string_view options) {
    LameMP3Settings s;
    s.bitrate = 999;  // proves the reset happens first
    applyOptionString(s, options);
    return s;
}

TEST(LamePresets, ResetDiffersFromCreationOnlyInVbrBitrate) {
    LameMP3Settings s;
    EXPECT_EQ(s.vbrBitrate, 192);
    applyPreset(s, 0);
    EXPECT_EQ(s, resetValues());
}

TEST(LamePresets, UnknownCodesReset) {
    for (int16_t code : {0, 12, 50, 100, 106, 200, -1, -32768}) {
        LameMP3Settings s;
        s.emphasis = 3;
        s.bitReservoirDisabled = 1;
        applyPreset(s, code);
        EXPECT_EQ(s, resetValues()) << code;
    }
}

TEST(LamePresets, NamedPresetSetsItsColumnsAndKeepsTheRest) {
    LameMP3Settings s;
    s.emphasis = 2;
    s.highPassFrequency = 500;
    s.highPassWidth = 7;
    s.errorProtection = 1;
    applyPreset(s, 9);  // "cd"
    EXPECT_EQ(s.frequency, 44100);
    EXPECT_EQ(s.channels, 2);
    EXPECT_EQ(s.typeStereo, 1);
    EXPECT_EQ(s.bitrate, 128);
    EXPECT_EQ(s.vbrBitrate, 320);
    EXPECT_EQ(s.encoderQuality, 2);
    EXPECT_EQ(s.vbrQuality, 2);
    EXPECT_EQ(s.vbrCodingMethod, 0);
    EXPECT_EQ(s.lowPassFrequency, -1);
    EXPECT_EQ(s.lowPassWidth, 0);
    EXPECT_EQ(s.highPassFrequency, -1);
    EXPECT_EQ(s.highPassWidth, 0);
    EXPECT_EQ(s.emphasis, 2);
    EXPECT_EQ(s.errorProtection, 1);
    EXPECT_EQ(s.shortBlocksDisabled, 0);
}

TEST(LamePresets, VoiceAlsoSwitchesShortBlocksOff) {
    LameMP3Settings s;
    applyPreset(s, 5);
    EXPECT_EQ(s.frequency, 32000);
    EXPECT_EQ(s.channels, 1);
    EXPECT_EQ(s.lowPassFrequency, 12300);
    EXPECT_EQ(s.lowPassWidth, 2000);
    EXPECT_EQ(s.shortBlocksDisabled, 1);
}

TEST(LamePresets, AlternativePresets) {
    LameMP3Settings s;
    applyPreset(s, 101);
    EXPECT_EQ(s.vbrCodingMethod, 2);
    EXPECT_EQ(s.lowPassFrequency, 19000);
    applyPreset(s, 105);
    EXPECT_EQ(s.bitrate, 320);
    EXPECT_EQ(s.lowPassFrequency, 20500);
    EXPECT_EQ(s.vbrCodingMethod, 1);
}

TEST(LamePresets, WordsOfBothFamilies) {
    EXPECT_EQ(presetCodeOfWord("phone", false), 1);
    EXPECT_EQ(presetCodeOfWord("r3mix", false), 11);
    EXPECT_EQ(presetCodeOfWord("standard", true), 102);
    EXPECT_EQ(presetCodeOfWord("insane", true), 105);
    EXPECT_EQ(presetCodeOfWord("standard", false), 0);
    EXPECT_EQ(presetCodeOfWord("cd", true), 0);
    EXPECT_EQ(presetCodeOfWord("", true), 0);
    EXPECT_EQ(presetCodeOfWord("CD", false), 0);
}

TEST(LameOptionString, BitrateAndJointStereo) {
    LameMP3Settings expected = resetValues();
    expected.bitrate = 192;
    expected.channels = 2;
    expected.typeStereo = 2;
    EXPECT_EQ(parsed("-b 192 -m j"), expected);
}

TEST(LameOptionString, UnknownModeLetterIsTakenAndChangesNothing) {
    LameMP3Settings expected = resetValues();
    expected.encoderQuality = 2;
    EXPECT_EQ(parsed("-m x -q 2"), expected);
}

TEST(LameOptionString, MonoKeepsStereoMode) {
    LameMP3Settings s = parsed("-m f -m m");
    EXPECT_EQ(s.channels, 1);
    EXPECT_EQ(s.typeStereo, 3);
}

TEST(LameOptionString, FilterWithoutPositiveArgumentLeavesTheTokenAlone) {
    LameMP3Settings expected = resetValues();
    expected.lowPassFrequency = 0;
    expected.bitrate = 96;
    EXPECT_EQ(parsed("--lowpass 0 -b 96"), expected);
}

TEST(LameOptionString, KilohertzRounding) {
    EXPECT_EQ(parsed("--lowpass 17").lowPassFrequency, 17500);
    EXPECT_EQ(parsed("--highpass 1.5").highPassFrequency, 2000);
    EXPECT_EQ(parsed("--lowpass-width 2").lowPassWidth, 2500);
    EXPECT_EQ(parsed("--highpass-width 1").highPassWidth, 1500);
    EXPECT_EQ(parsed("--resample 22.05").frequency, 22050);
    EXPECT_EQ(parsed("--resample 44.1").frequency, 44100);
}

TEST(LameOptionString, Presets) {
    LameMP3Settings cd = parsed("--preset cd");
    EXPECT_EQ(cd.vbrCodingMethod, 0);
    EXPECT_EQ(cd.typeStereo, 1);
    EXPECT_EQ(cd.bitrate, 128);
    EXPECT_EQ(cd.vbrBitrate, 320);

    LameMP3Settings expected = resetValues();
    expected.vbrCodingMethod = 0;
    EXPECT_EQ(parsed("--preset nonsense"), expected);
    EXPECT_EQ(parsed("--alt-preset cd"), expected);

    EXPECT_EQ(parsed("--alt-preset extreme").lowPassFrequency, 19500);
    EXPECT_EQ(parsed("--r3mix").vbrCodingMethod, 3);
}

TEST(LameOptionString, FlagOptions) {
    LameMP3Settings s = parsed("-t --noath -F -p --nores -noshort --strictly-enforce-ISO -d -e 2");
    EXPECT_EQ(s.writingVBRHeader, 0);
    EXPECT_EQ(s.athControlMode, 2);
    EXPECT_EQ(s.strictlyEnforceMinBitrate, 1);
    EXPECT_EQ(s.errorProtection, 1);
    EXPECT_EQ(s.bitReservoirDisabled, 1);
    EXPECT_EQ(s.shortBlocksDisabled, 1);
    EXPECT_EQ(s.strictISOCompliance, 1);
    EXPECT_EQ(s.blockTypeControl, 1);
    EXPECT_EQ(s.emphasis, 2);
    EXPECT_EQ(parsed("-f").vbrQuality, 9);
    EXPECT_EQ(parsed("-h").encoderQuality, 3);
    EXPECT_EQ(parsed("--abr 160").abrBitrate, 160);
    EXPECT_EQ(parsed("--abr 160").vbrCodingMethod, 4);
    EXPECT_EQ(parsed("--lowpass 5 --highpass 5 -k").lowPassFrequency, -1);
    EXPECT_EQ(parsed("--vbr-new").vbrCodingMethod, 2);
}

TEST(LameOptionString, OptionsWithoutEffectTakeNoArgument) {
    LameMP3Settings expected = resetValues();
    expected.bitrate = 64;
    EXPECT_EQ(parsed("-s -b 64"), expected);
    EXPECT_EQ(parsed("--comp -x -b 64"), expected);
}

TEST(LameOptionString, OptionsAreCaseSensitiveWholeTokens) {
    EXPECT_EQ(parsed("-B 64").vbrBitrate, 64);
    EXPECT_EQ(parsed("-b64"), resetValues());
    EXPECT_EQ(parsed("--NORES"), resetValues());
}

TEST(LameOptionString, BlanksAndTabs) {
    EXPECT_EQ(parsed("   "), resetValues());
    // Two blanks give an empty token between option and argument: the empty token is the argument.
    EXPECT_EQ(parsed("-b  96").bitrate, 0);
    // A tab is part of the token: "-b\t96" is no option.
    EXPECT_EQ(parsed("-b\t96"), resetValues());
    // Leading white space of a number is skipped by the conversion.
    EXPECT_EQ(parsed("-b \t96").bitrate, 96);
    EXPECT_EQ(parsed("-b 96 ").bitrate, 96);
}

TEST(LameOptionString, MissingArgumentAtTheEndChangesNothing) {
    LameMP3Settings expected = resetValues();
    expected.vbrQuality = 3;
    EXPECT_EQ(parsed("-v 3 -b"), expected);
    EXPECT_EQ(parsed("-v 3 --preset"), expected);
    EXPECT_EQ(parsed("-v 3 -m"), expected);
    // Filters take their argument only when there is one.
    EXPECT_EQ(parsed("--highpass").highPassFrequency, 0);
}

TEST(LameOptionString, TokensAfterThe127thAreIgnored) {
    std::string options;
    for (int i = 0; i < 63; ++i) options += "-t -t ";  // tokens 1-126
    EXPECT_EQ(parsed(options + "-p -b 96").errorProtection, 1);   // 127th token read
    EXPECT_EQ(parsed(options + "-p -b 96").bitrate, 128);          // 128th and later not
    EXPECT_EQ(parsed(options + "-b 96").bitrate, 128);             // option at 127, argument at 128
    EXPECT_EQ(parsed(options + " -p").errorProtection, 0);         // empty 127th token
}

TEST(LameOptionString, NumbersInTheWidthOfTheirField) {
    EXPECT_EQ(parsed("-b 65537").bitrate, 1);
    EXPECT_EQ(parsed("-b -5").bitrate, -5);
    EXPECT_EQ(parsed("-b 12abc").bitrate, 12);
    EXPECT_EQ(parsed("-b abc").bitrate, 0);
    EXPECT_EQ(parsed("-b 99999999999999999999").bitrate, -1);  // clamped to LONG_MAX, low 16 bits
    EXPECT_EQ(parsed("--resample 1e30").frequency, 2147483647);
    EXPECT_EQ(parsed("--resample -1e30").frequency, -2147483647 - 1);
    EXPECT_EQ(parsed("--resample nan").frequency, 0);
    EXPECT_EQ(parsed("--lowpass inf").lowPassFrequency, 2147483647);
}

TEST(LameOptionString, BinaryAndVeryLongInput) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7 % 256);
    LameMP3Settings s = parsed(binary);
    (void)s;
    std::string nulInside("-b 9\0" "6 -q 1", 11);
    EXPECT_EQ(parsed(nulInside).bitrate, 9);
    EXPECT_EQ(parsed(nulInside).encoderQuality, 1);
    std::string huge(1 << 20, '7');
    EXPECT_EQ(parsed("-b " + huge).bitrate, -1);
    EXPECT_EQ(parsed(std::string(100000, ' ')), resetValues());
}

}  // namespace
