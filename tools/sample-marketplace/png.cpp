#include "sample-marketplace/png.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace lotwise::sample {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
constexpr unsigned char kPaletteColour = 3;

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// Length, type, data and the CRC-32 of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out += type;
  out += data;
  const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  AppendBigEndian(out, static_cast<std::uint32_t>(
                           crc32(0L, checked, static_cast<uInt>(type.size() + data.size()))));
}

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string deflated(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(deflated.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not deflate an image");
  }
  deflated.resize(size);
  return deflated;
}

}  // namespace

std::string EncodePng(const Image& image) {
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image.width()));
  AppendBigEndian(header, static_cast<std::uint32_t>(image.height()));
  header += static_cast<char>(8);  // bits per palette index
  header += static_cast<char>(kPaletteColour);
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace

  std::string palette;
  for (const Rgb& colour : image.palette()) {
    palette += static_cast<char>(colour.r);
    palette += static_cast<char>(colour.g);
    palette += static_cast<char>(colour.b);
  }

  const auto width = static_cast<std::size_t>(image.width());
  std::string rows;
  rows.reserve((width + 1) * static_cast<std::size_t>(image.height()));
  for (std::size_t at = 0; at < image.pixels().size(); at += width) {
    rows += '\0';  // filter: none
    rows.append(reinterpret_cast<const char*>(image.pixels().data() + at), width);
  }

  std::string png(kSignature);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "PLTE", palette);
  AppendChunk(png, "IDAT", Deflate(rows));
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace lotwise::sample
