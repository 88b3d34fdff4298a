// Where the parts of the equalizer control lie in its window, and the mapping between a
// slider's height and its value: the dB scale on the left, twelve columns with a groove and
// a thumb each, the band labels along the bottom.
#pragma once

#include <windows.h>

namespace design {

constexpr int kBands = 12;
constexpr float kMostDb = 15.0f;  // each band runs from -kMostDb to +kMostDb

// The centre frequency of a band as its label shows it ("31" .. "16k").
const char* bandLabel(int band);

class EqualizerLayout {
 public:
  explicit EqualizerLayout(const RECT& client);

  const RECT& client() const { return client_; }
  int scaleRight() const { return scaleRight_; }
  int top() const { return top_; }        // +kMostDb
  int bottom() const { return bottom_; }  // -kMostDb
  int labelsTop() const { return bottom_ + kThumbHalf + 2; }
  int columnX(int band) const;            // the centre of its groove
  int yOf(float db) const;
  // The value at a height, within the range and to a tenth of a dB.
  float dbAt(int y) const;
  // The band whose column holds the point, or -1.
  int bandAt(POINT point) const;
  RECT thumb(int band, float db) const;

  static constexpr int kThumbHalf = 5;       // half the thumb's height
  static constexpr int kThumbHalfWidth = 9;

 private:
  RECT client_;
  int scaleRight_;
  int top_;
  int bottom_;
  double columnWidth_;
};

}  // namespace design
