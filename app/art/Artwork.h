// The program's own pictures: the splash picture, the about box picture and the advert
// window's product picture, in one family look (night-blue ground, an iridescent disc, level
// bars, the product name set in white).
#pragma once

#include "Lettering.h"
#include "Picture.h"

namespace appart {

struct Fonts {
  std::string bold;     // headings
  std::string regular;  // small print
};

inline constexpr int kFlashWidth = 350, kFlashHeight = 233;
inline constexpr int kAboutWidth = 350, kAboutHeight = 219;
inline constexpr int kAdvertWidth = 120, kAdvertHeight = 170;

// The family's disc, its data side catching the light, centred at (cx, cy).
void PaintDisc(skinart::Raster& raster, double cx, double cy, double radius);

skinart::Picture FlashPicture(Lettering& lettering, const Fonts& fonts);
skinart::Picture AboutPicture(Lettering& lettering, const Fonts& fonts);
skinart::Picture AdvertPicture(Lettering& lettering, const Fonts& fonts);

}  // namespace appart
