// Lettering on the program's pictures, set in TrueType fonts through FreeType: anti-aliased
// text blended onto finished pixels.
#pragma once

#include <memory>
#include <string>

#include "Picture.h"

namespace appart {

struct TextStyle {
  std::string font;     // TrueType file
  double size = 12;     // pixels per em
  skinart::Rgb color;
  double opacity = 1.0;
  double tracking = 0;  // extra pixels between letters
};

class Lettering {
 public:
  Lettering();
  Lettering(const Lettering&) = delete;
  Lettering& operator=(const Lettering&) = delete;
  ~Lettering();

  // Draws UTF-8 text with its baseline at y, starting at x; returns the advance in pixels.
  double Draw(skinart::Picture& picture, const TextStyle& style, double x, double y, const std::string& text);
  // The advance the text would take.
  double Width(const TextStyle& style, const std::string& text);

 private:
  double Run(skinart::Picture* picture, const TextStyle& style, double x, double y, const std::string& text);
  struct Library;
  std::unique_ptr<Library> library_;
};

}  // namespace appart
