#pragma once

#include <cstdint>
#include <vector>

namespace lotwise::sample {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// `from` moved `part` of the way to `to`, `part` from 0 to 1.
Rgb Mix(Rgb from, Rgb to, double part);

// A picture of at most 256 colours, drawn in flat shapes: each pixel is an index into
// the palette, which grows as colours are first used. Shapes are clipped to the picture.
class Image {
 public:
  Image(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<Rgb>& palette() const { return palette_; }
  // Palette indices, row after row from the top.
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }

  void Set(int x, int y, Rgb colour);
  void FillRect(int x, int y, int width, int height, Rgb colour);
  void FillEllipse(int centreX, int centreY, int radiusX, int radiusY, Rgb colour);
  // Rows `top` to `bottom` (inclusive), each from the left edge to the right edge, both
  // edges running straight from their top to their bottom point: a trapezoid, or a
  // triangle where the two top or bottom points meet.
  void FillTrapezoid(int top, int bottom, int topLeft, int topRight, int bottomLeft,
                     int bottomRight, Rgb colour);
  // Each row a colour of its own, from `top` colour to `bottom` colour.
  void FillVerticalGradient(int y, int height, Rgb top, Rgb bottom);

 private:
  std::uint8_t Index(Rgb colour);
  void FillRow(int y, int left, int right, std::uint8_t index);

  int width_;
  int height_;
  std::vector<Rgb> palette_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace lotwise::sample
