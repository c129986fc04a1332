#pragma once

#include <string>

#include "sample-marketplace/image.h"

namespace lotwise::sample {

// The image as the bytes of a PNG file: 8-bit palette colour, rows unfiltered, the whole
// deflated by zlib.
std::string EncodePng(const Image& image);

}  // namespace lotwise::sample
