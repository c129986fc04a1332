#pragma once

#include <string_view>

#include "sample-marketplace/image.h"

namespace lotwise::sample {

// Capital letters, digits and a little punctuation drawn 5 by 7 pixels, each pixel as a
// square of `scale` pixels, one blank column between letters. Other characters (small
// letters too) are drawn as capitals where there are some, as blanks otherwise.

// Width in pixels of `text` drawn at `scale`.
int TextWidth(std::string_view text, int scale);
inline int TextHeight(int scale) { return 7 * scale; }

// Draws `text` with its top left corner at `x`, `y`.
void DrawText(Image& image, int x, int y, std::string_view text, int scale, Rgb colour);

}  // namespace lotwise::sample
