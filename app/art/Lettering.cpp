#include "Lettering.h"

#include <cmath>
#include <map>
#include <stdexcept>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace appart {

namespace {

// The code points of UTF-8 text (the pictures use Latin letters and the copyright sign).
std::u32string CodePoints(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t code = extra ? c & (0x3F >> extra) : c;
    for (++i; extra-- > 0 && i < text.size(); ++i) code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    out += code;
  }
  return out;
}

}  // namespace

struct Lettering::Library {
  FT_Library handle = nullptr;
  std::map<std::string, FT_Face> faces;
  FT_Face Face(const std::string& file) {
    auto found = faces.find(file);
    if (found != faces.end()) return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(handle, file.c_str(), 0, &face) != 0) throw std::runtime_error("cannot read the font " + file);
    return faces[file] = face;
  }
};

Lettering::Lettering() : library_(std::make_unique<Library>()) {
  if (FT_Init_FreeType(&library_->handle) != 0) throw std::runtime_error("FreeType does not start");
}

Lettering::~Lettering() {
  for (auto& [file, face] : library_->faces) FT_Done_Face(face);
  FT_Done_FreeType(library_->handle);
}

double Lettering::Draw(skinart::Picture& picture, const TextStyle& style, double x, double y, const std::string& text) {
  return Run(&picture, style, x, y, text);
}

double Lettering::Width(const TextStyle& style, const std::string& text) { return Run(nullptr, style, 0, 0, text); }

double Lettering::Run(skinart::Picture* picture, const TextStyle& style, double x, double y, const std::string& text) {
  FT_Face face = library_->Face(style.font);
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(style.size * 64)), 72, 72);
  double pen = x;
  FT_UInt previous = 0;
  for (const char32_t code : CodePoints(text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, code);
    if (previous && FT_HAS_KERNING(face)) {
      FT_Vector kerning{};
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &kerning);
      pen += kerning.x / 64.0;
    }
    // Each glyph is placed at its exact fraction of a pixel.
    FT_Vector shift{static_cast<FT_Pos>(std::lround((pen - std::floor(pen)) * 64)), 0};
    FT_Set_Transform(face, nullptr, &shift);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0)
      throw std::runtime_error("cannot render a glyph");
    const FT_GlyphSlot slot = face->glyph;
    if (picture) {
      const int left = static_cast<int>(std::floor(pen)) + slot->bitmap_left;
      const int top = static_cast<int>(std::lround(y)) - slot->bitmap_top;
      for (unsigned row = 0; row < slot->bitmap.rows; ++row) {
        for (unsigned column = 0; column < slot->bitmap.width; ++column) {
          const int px = left + static_cast<int>(column), py = top + static_cast<int>(row);
          if (px < 0 || py < 0 || px >= picture->width || py >= picture->height) continue;
          const double coverage = slot->bitmap.buffer[row * slot->bitmap.pitch + column] / 255.0 * style.opacity;
          auto& target = picture->pixels[static_cast<size_t>(py) * picture->width + px];
          target = skinart::Mix(target, style.color, coverage);
        }
      }
    }
    pen += slot->advance.x / 64.0 + style.tracking;
    previous = glyph;
  }
  return pen - x;
}

}  // namespace appart
