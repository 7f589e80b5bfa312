#pragma once

#include <string_view>

#include "platform/image.h"

namespace glint {

// The fake toolkit's text: a deterministic 5 x 7 bitmap font scaled to the font's size. Each
// glyph bit is a square of max(1, em / 9) pixels (em = points at 96 pixels per inch), one unit
// below the cell top, six units of advance; glyph pixels take the colour fully and the rest of
// the image is left alone (a transparent background).
void PaintGlyphs(const ImageView& image, int points, int x, int y, std::string_view text,
                 Color color);
int GlyphTextWidth(int points, std::string_view text);

}  // namespace glint
