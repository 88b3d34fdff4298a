// What the skin pictures of one style are drawn with: the style's own theme colours (from the
// theme table) and the finishes built from them.
#pragma once

#include "Raster.h"

namespace skinart {

// The styles in theme table row order.
enum class Look { MacOS = 1, WinXP = 2, DeepBlue = 3, Protein = 4, BlueGlass = 5 };

enum class State { Normal, MouseOn, MouseDown, Disabled };

// A shaded, lit surface: a vertical gradient through three colours, an optional gloss on its
// upper half and a border.
struct Gel {
  Rgb top, middle, bottom, border;
  double gloss = 0;
};

struct Palette {
  Look look;
  Rgb form;         // entry 3
  Rgb frame;        // entry 2
  Rgb border;       // entry 8, control borders
  Rgb face;         // entry 9, control faces
  // The style's own colour in the pictures: entry 11, except where three styles would share one
  // lavender: DeepBlue takes a deep navy and BlueGlass an azure.
  Rgb accent;
  Rgb track;        // entry 79, behind track bars
  Rgb scroll;       // entry 84, behind scroll thumbs
};

Palette PaletteOf(Look look);

// The surface of push buttons, scroll buttons and unchecked boxes in a state.
Gel FaceGel(const Palette& p, State state);
// The surface of filled parts: progress, thumbs, sliders and checked boxes.
Gel AccentGel(const Palette& p, State state);

// Paints the gel over the shape, whose vertical extent is y0..y1.
void PaintGel(Raster& raster, const Shape& shape, double y0, double y1, const Gel& gel,
              double borderWidth = 1.0);

}  // namespace skinart
