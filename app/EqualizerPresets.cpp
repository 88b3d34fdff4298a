#include "EqualizerPresets.h"

namespace app {

namespace {

// Each band's gain is k x 3 / 11 dB.
constexpr int kPresetSteps[kEqualizerPresetCount][12] = {
    {1, 15, 17, 13, 7, 0, 0, 7, 7, 15, 13, 11},           // Pop
    {-49, -1, 35, 29, 15, 0, 11, 19, 19, 17, 9, 0},       // Disco
    {-49, -23, -5, 0, 0, 13, 9, 3, 3, 17, 23, 29},        // Background
    {0, 13, 23, 13, 7, 13, 7, 3, 3, -7, -17, -9},         // Movie
    {0, -11, -25, -13, 7, 23, 19, 13, 13, -7, -15, -25},  // News
};

}  // namespace

EqualizerBands EqualizerPreset(int preset) {
  if (preset < 1 || preset > kEqualizerPresetCount) return kFlatEqualizer;
  EqualizerBands bands{};
  for (int band = 0; band < 12; ++band) bands[band] = static_cast<float>(kPresetSteps[preset - 1][band]) * 3.0f / 11.0f;
  return bands;
}

int EqualizerPresetOfCaption(const char* caption) {
  if (!caption || caption[0] < '1' || caption[0] > '0' + kEqualizerPresetCount) return 0;
  return caption[0] - '0';
}

}  // namespace app
