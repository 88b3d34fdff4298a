// The player window's plain rules: which files make play-list rows and how the columns sort,
// the equalizer presets, the choice of output source and the slider arithmetic, where a zero
// total or an output without a usable source must not divide by zero or pick a source that
// does not exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "EqualizerPresets.h"
#include "PlayList.h"
#include "PlaybackPosition.h"

namespace {

TEST(PlayList, RowsForAudioNamesOnlyWithFormatDurationAndSize) {
  struct Case {
    const char* name;
    std::uint64_t size;
    std::int64_t ms;
    const char* format;  // empty: no row
    const char* duration;
    const char* sizeText;
  };
  const Case cases[] = {
      {"Track01.wav", 42336044, 240000, "WAV", "04:00", "  40.3 MB"},
      {"b.MP3", 900, 61500, "MP3", "01:01", " 900 Bytes"},
      {"voice.wma", 2048, 0, "WMA", "00:00", "   2 KB"},
      {"song.ogg", 1536, 3599000, "OGG", "59:59", "   1.5 KB"},
      {"c.mp3.txt", 10, 1000, "MP3", "00:01", "  10 Bytes"},  // the extension may stand anywhere
      {"damaged.ogg", 5, -1, "OGG", "00:00", "   5 Bytes"},    // no duration read
      {"notes.txt", 10, 0, "", "", ""},
      {"wav", 10, 0, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto entry = app::MakePlayListEntry(c.name, c.size, c.ms);
    ASSERT_EQ(entry.has_value(), *c.format != 0);
    if (!entry) continue;
    EXPECT_EQ(entry->FileName, c.name);
    EXPECT_EQ(entry->Format, c.format);
    EXPECT_EQ(entry->Duration, c.duration);
    EXPECT_EQ(entry->FileSize, c.sizeText);
    EXPECT_EQ(entry->Status, " ");
  }
}

TEST(PlayList, EachColumnSortsAscendingIgnoringCaseSizesByUnitFirst) {
  const auto sorted = [](int column, std::vector<std::string> texts) {
    std::stable_sort(texts.begin(), texts.end(), [column](const std::string& a, const std::string& b) {
      return app::ComparePlayListTexts(column, a, b) < 0;
    });
    return texts;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(sorted(app::plcFileName, {"b.wav", "A.mp3", "a.ogg", "C.wma"}), (V{"A.mp3", "a.ogg", "b.wav", "C.wma"}));
  EXPECT_EQ(sorted(app::plcFormat, {"WAV", "MP3", "OGG", "WMA"}), (V{"MP3", "OGG", "WAV", "WMA"}));
  EXPECT_EQ(sorted(app::plcDuration, {"04:00", "00:59", "10:01"}), (V{"00:59", "04:00", "10:01"}));
  // As text "1 MB" < "2 KB" < "900 Bytes"; by their sort keys the units come first.
  EXPECT_EQ(sorted(app::plcFileSize, {"   1 MB", "   2 KB", " 900 Bytes", "  12 KB", "1,024 KB", "   1.5 KB"}),
            (V{" 900 Bytes", "   1.5 KB", "   2 KB", "  12 KB", "1,024 KB", "   1 MB"}));
  EXPECT_EQ(app::ComparePlayListTexts(app::plcFileName, "Song", "sONG"), 0);
  EXPECT_LT(app::ComparePlayListTexts(app::plcFileName, "Son", "song"), 0);
  EXPECT_GT(app::ComparePlayListTexts(app::plcStatus, "Playing", " "), 0);
}

TEST(EqualizerPresets, FivePresetsOfKTimesThreeElevenths) {
  const int k[5][12] = {
      {1, 15, 17, 13, 7, 0, 0, 7, 7, 15, 13, 11},           {-49, -1, 35, 29, 15, 0, 11, 19, 19, 17, 9, 0},
      {-49, -23, -5, 0, 0, 13, 9, 3, 3, 17, 23, 29},        {0, 13, 23, 13, 7, 13, 7, 3, 3, -7, -17, -9},
      {0, -11, -25, -13, 7, 23, 19, 13, 13, -7, -15, -25},
  };
  for (int preset = 1; preset <= 5; ++preset) {
    const app::EqualizerBands bands = app::EqualizerPreset(preset);
    for (int band = 0; band < 12; ++band) {
      EXPECT_NEAR(bands[band], k[preset - 1][band] * 3.0 / 11.0, 1e-5) << "preset " << preset << " band " << band;
      EXPECT_LE(std::fabs(bands[band]), 15.0f);  // within what the equalizer control takes
    }
  }
  EXPECT_EQ(app::EqualizerPreset(0), app::kFlatEqualizer);
  EXPECT_EQ(app::EqualizerPreset(6), app::kFlatEqualizer);
  EXPECT_EQ(app::EqualizerPresetOfCaption("4"), 4);
  EXPECT_EQ(app::EqualizerPresetOfCaption("F"), 0);
  EXPECT_EQ(app::EqualizerPresetOfCaption(""), 0);
  EXPECT_EQ(app::EqualizerPresetOfCaption("6"), 0);
}

TEST(OutputSource, ProbesOnlyExistingSourcesAndKeepsTheFirstWhenNoneIsUsable) {
  struct Case {
    int count;
    std::vector<bool> usable;
    int chosen;
    std::vector<int> probed;
  };
  const Case cases[] = {
      {0, {}, -1, {}},
      {-3, {}, -1, {}},
      {1, {true}, 0, {0}},
      {3, {false, true, true}, 1, {0, 1}},
      {3, {false, false, false}, 0, {0, 1, 2}},  // never index 3, which does not exist
  };
  for (const Case& c : cases) {
    std::vector<int> probed;
    const int chosen = app::ChooseOutputSource(c.count, [&](int index) {
      probed.push_back(index);
      return c.usable.at(static_cast<std::size_t>(index));
    });
    EXPECT_EQ(chosen, c.chosen) << c.count;
    EXPECT_EQ(probed, c.probed) << c.count;
  }
}

TEST(PlaybackPosition, SliderArithmeticToleratesZeroTotalsAndLongFiles) {
  EXPECT_EQ(app::ProgressPosition(0, 0, 0), 0);
  EXPECT_EQ(app::ProgressPosition(500, 100, 0), 0);
  EXPECT_EQ(app::ProgressPosition(5, 0, -1), 0);
  EXPECT_EQ(app::ProgressPosition(250, 250, 1000), 500);
  EXPECT_EQ(app::ProgressPosition(2000, 0, 1000), 1000);
  EXPECT_EQ(app::ProgressPosition(-10, 0, 1000), 0);
  // A 3-hour file at 48 kHz: 518 million frames times 1000 needs 64 bits.
  EXPECT_EQ(app::ProgressPosition(259200000, 0, 518400000), 500);

  EXPECT_EQ(app::SeekFrame(500, 0), 0);
  EXPECT_EQ(app::SeekFrame(1000, 0), 0);
  EXPECT_EQ(app::SeekFrame(500, 1000), 500);
  EXPECT_EQ(app::SeekFrame(1000, 518400000), 518399999);
  EXPECT_EQ(app::SeekFrame(1200, 1000), 999);
  EXPECT_EQ(app::SeekFrame(-5, 1000), 0);
}

}  // namespace
