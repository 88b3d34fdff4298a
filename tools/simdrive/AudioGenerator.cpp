#include "AudioGenerator.h"

#include <bit>
#include <cstring>
#include <vector>

namespace simdrive {
namespace {

// A tune in eighth notes of 1/6 s over a four-chord bass line. Everything is integer
// arithmetic, so the DLL and a test built separately compute the same samples.
constexpr std::int64_t kEighth = 7350;
constexpr std::int64_t kHalfBar = 4 * kEighth;
constexpr std::int64_t kBar = 8 * kEighth;
constexpr std::int64_t kPeriod = 32 * kBar;
static_assert(kPeriod % kSamplesPerFrame == 0, "a frame never straddles the tune's period");
static_assert(std::endian::native == std::endian::little, "the table is copied as CD byte order");

constexpr std::uint32_t PhaseStep(double hertz) {
  return static_cast<std::uint32_t>(hertz * 4294967296.0 / kSampleRate + 0.5);
}

// A minor pentatonic over two octaves, and the roots of Am, F, C, G two octaves lower.
constexpr std::uint32_t kScale[] = {
    PhaseStep(220.00), PhaseStep(261.63), PhaseStep(293.66), PhaseStep(329.63), PhaseStep(392.00),
    PhaseStep(440.00), PhaseStep(523.25), PhaseStep(587.33), PhaseStep(659.26), PhaseStep(783.99),
    PhaseStep(880.00), PhaseStep(1046.50)};
constexpr int kMelodyNotes = 10;  // the last two entries only serve the harmony a step above
constexpr std::uint32_t kRoots[] = {PhaseStep(110.00), PhaseStep(87.31), PhaseStep(130.81),
                                    PhaseStep(98.00)};

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

// A soft sine made of two parabolas, -16384..16384.
int Wave(std::uint32_t phase) {
  const int x = static_cast<int>(phase >> 16);
  const int h = x & 0x7FFF;
  const int v = (h * (32768 - h)) >> 14;
  return (x & 0x8000) != 0 ? -v : v;
}

// One struck note `t` samples after its start: fundamental plus a quarter of the octave,
// a short attack and a quadratic decay over its length.
int Note(std::uint32_t step, std::int64_t t, std::int64_t length) {
  const auto phase = static_cast<std::uint32_t>(t) * step;
  const int tone = Wave(phase) + Wave(phase * 2) / 4;
  const std::int64_t attack = t < 256 ? t * 16 : 4096;
  const std::int64_t left = length - t;
  const std::int64_t decay = left * left * 4096 / (length * length);
  return static_cast<int>(tone * attack / 4096 * decay / 4096);
}

struct Voices {
  int melody = 0;
  int harmony = 0;
  int bass = 0;
};

Voices VoicesAt(std::int64_t m) {
  Voices v;
  const std::int64_t slot = m / kEighth;
  const std::int64_t quarter = slot / 2;
  const bool split = (Mix(static_cast<std::uint32_t>(quarter) + 0x51u) & 1u) != 0;
  const std::int64_t start = split ? slot * kEighth : quarter * 2 * kEighth;
  const std::int64_t length = split ? kEighth : 2 * kEighth;
  const std::uint32_t id = Mix(static_cast<std::uint32_t>(split ? slot * 2 + 1 : quarter * 2));
  if (id % 8 != 0) {  // one note in eight is a rest
    const int degree = static_cast<int>((id >> 4) % kMelodyNotes);
    v.melody = Note(kScale[degree], m - start, length);
    v.harmony = Note(kScale[degree + 2], m - start, length);
  }
  const std::int64_t bassStart = m / kHalfBar * kHalfBar;
  v.bass = Note(kRoots[(m / kBar) % 4], m - bassStart, kHalfBar);
  return v;
}

std::int16_t Sample(const Voices& v, int channel) {
  const int value = channel == 0 ? (v.melody * 9 + v.bass * 6) / 16
                                 : (v.melody * 5 + v.harmony * 4 + v.bass * 6) / 16;
  return static_cast<std::int16_t>(value);
}

const std::vector<std::int16_t>& PeriodTable() {
  static const std::vector<std::int16_t> table = [] {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(kPeriod) * 2);
    for (std::int64_t m = 0; m < kPeriod; ++m) {
      const Voices v = VoicesAt(m);
      samples[static_cast<std::size_t>(m) * 2] = Sample(v, 0);
      samples[static_cast<std::size_t>(m) * 2 + 1] = Sample(v, 1);
    }
    return samples;
  }();
  return table;
}

}  // namespace

std::int16_t GeneratedSample(std::int64_t sampleIndex, int channel) {
  const std::int64_t m = ((sampleIndex % kPeriod) + kPeriod) % kPeriod;
  return Sample(VoicesAt(m), channel);
}

void GenerateAudioFrames(std::int64_t firstFrame, std::int32_t count, std::uint8_t* out) {
  const std::vector<std::int16_t>& table = PeriodTable();
  constexpr std::int64_t framesPerPeriod = kPeriod / kSamplesPerFrame;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int64_t frame = (((firstFrame + i) % framesPerPeriod) + framesPerPeriod) % framesPerPeriod;
    std::memcpy(out + static_cast<std::size_t>(i) * kFrameBytes,
                table.data() + static_cast<std::size_t>(frame) * kSamplesPerFrame * 2, kFrameBytes);
  }
}

}  // namespace simdrive
