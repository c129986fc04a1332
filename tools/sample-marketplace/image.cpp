#include "sample-marketplace/image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace lotwise::sample {
namespace {

constexpr std::size_t kMaxColours = 256;

std::uint8_t Between(std::uint8_t from, std::uint8_t to, double part) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * part));
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, double part) {
  part = std::clamp(part, 0.0, 1.0);
  return {Between(from.r, to.r, part), Between(from.g, to.g, part), Between(from.b, to.b, part)};
}

Image::Image(int width, int height, Rgb background)
    : width_(width),
      height_(height),
      palette_{background},
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("an image needs a size");
}

std::uint8_t Image::Index(Rgb colour) {
  const auto found = std::find(palette_.begin(), palette_.end(), colour);
  if (found != palette_.end()) return static_cast<std::uint8_t>(found - palette_.begin());
  if (palette_.size() == kMaxColours) throw std::length_error("more than 256 colours");
  palette_.push_back(colour);
  return static_cast<std::uint8_t>(palette_.size() - 1);
}

void Image::FillRow(int y, int left, int right, std::uint8_t index) {
  if (y < 0 || y >= height_) return;
  left = std::max(left, 0);
  right = std::min(right, width_ - 1);
  if (left > right) return;
  const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
  std::fill(row + left, row + right + 1, index);
}

void Image::Set(int x, int y, Rgb colour) { FillRow(y, x, x, Index(colour)); }

void Image::FillRect(int x, int y, int width, int height, Rgb colour) {
  const std::uint8_t index = Index(colour);
  for (int row = y; row < y + height; ++row) FillRow(row, x, x + width - 1, index);
}

void Image::FillEllipse(int centreX, int centreY, int radiusX, int radiusY, Rgb colour) {
  if (radiusX <= 0 || radiusY <= 0) return;
  const std::uint8_t index = Index(colour);
  for (int dy = -radiusY; dy <= radiusY; ++dy) {
    const double across = std::sqrt(1.0 - (static_cast<double>(dy) * dy) / (radiusY * radiusY));
    const int half = static_cast<int>(std::lround(radiusX * across));
    FillRow(centreY + dy, centreX - half, centreX + half, index);
  }
}

void Image::FillTrapezoid(int top, int bottom, int topLeft, int topRight, int bottomLeft,
                          int bottomRight, Rgb colour) {
  const std::uint8_t index = Index(colour);
  const int rows = std::max(bottom - top, 1);
  for (int y = top; y <= bottom; ++y) {
    const double part = static_cast<double>(y - top) / rows;
    FillRow(y, static_cast<int>(std::lround(topLeft + (bottomLeft - topLeft) * part)),
            static_cast<int>(std::lround(topRight + (bottomRight - topRight) * part)), index);
  }
}

void Image::FillVerticalGradient(int y, int height, Rgb top, Rgb bottom) {
  for (int row = 0; row < height; ++row) {
    const double part = height > 1 ? static_cast<double>(row) / (height - 1) : 0.0;
    FillRow(y + row, 0, width_ - 1, Index(Mix(top, bottom, part)));
  }
}

}  // namespace lotwise::sample
