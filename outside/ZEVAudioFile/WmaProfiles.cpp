#include "outside/ZEVAudioFile/WmaProfiles.h"

#include <algorithm>
#include <iterator>

namespace audiofile {
namespace {

// From small files to high quality; 24, CD audio at 128 kbit/s, is the ripper's default. The
// encoder takes nothing below 24 kbit/s and no rate above 48000 Hz.
constexpr WmaProfile kProfiles[] = {
    {16, 22050, 1, 24},  {17, 22050, 2, 32},  {18, 32000, 1, 32},  {19, 32000, 2, 48},
    {20, 44100, 2, 48},  {21, 44100, 2, 64},  {22, 44100, 2, 80},  {23, 44100, 2, 96},
    {24, 44100, 2, 128}, {25, 44100, 2, 160}, {26, 44100, 2, 192}, {27, 48000, 2, 192},
    {28, 44100, 2, 256}, {29, 44100, 2, 320},
};

}  // namespace

const WmaProfile* findWmaProfile(long number) {
  const auto found = std::find_if(std::begin(kProfiles), std::end(kProfiles),
                                  [number](const WmaProfile& p) { return p.number == number; });
  return found == std::end(kProfiles) ? nullptr : found;
}

}  // namespace audiofile
