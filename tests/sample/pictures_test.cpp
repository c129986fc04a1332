// The pictures: PNG files any reader can decode, one per item, and every picture that a
// page or a report names is served as one.

#include "sample-marketplace/pictures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <regex>
#include <set>

#include "sample-marketplace/png.h"

namespace {

using namespace lotwise::sample;

constexpr std::string_view kHost = "items.test:81";

std::uint32_t BigEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (const char c : bytes.substr(0, 4)) value = value << 8 | static_cast<unsigned char>(c);
  return value;
}

struct Chunk {
  std::string type;
  std::string data;
};

// The chunks of a PNG file, each one's CRC checked; empty with a failure when the file
// is not one.
std::vector<Chunk> ReadChunks(std::string_view png) {
  if (png.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8)) {
    ADD_FAILURE() << "no PNG signature";
    return {};
  }
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; at < png.size();) {
    if (png.size() - at < 12) {
      ADD_FAILURE() << "a chunk cut short at " << at;
      return {};
    }
    const std::uint32_t length = BigEndian(png.substr(at));
    const std::string_view typeAndData = png.substr(at + 4, 4 + std::size_t{length});
    const std::uint32_t crc = BigEndian(png.substr(at + 8 + length));
    EXPECT_EQ(crc, crc32(0L, reinterpret_cast<const Bytef*>(typeAndData.data()),
                         static_cast<uInt>(typeAndData.size())))
        << typeAndData.substr(0, 4);
    chunks.push_back({std::string(typeAndData.substr(0, 4)), std::string(typeAndData.substr(4))});
    at += 12 + std::size_t{length};
  }
  return chunks;
}

TEST(PngTest, DecodesToThePixelsAndColoursDrawn) {
  Image image(7, 3, {10, 20, 30});
  image.FillRect(1, 1, 5, 1, {200, 0, 0});
  image.Set(6, 2, {0, 0, 255});

  const std::vector<Chunk> chunks = ReadChunks(EncodePng(image));

  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, std::string("\0\0\0\x07\0\0\0\x03\x08\x03\0\0\0", 13));
  EXPECT_EQ(chunks[1].type, "PLTE");
  EXPECT_EQ(chunks[1].data, std::string("\x0A\x14\x1E\xC8\0\0\0\0\xFF", 9));
  EXPECT_EQ(chunks[2].type, "IDAT");
  std::string rows(3 * 8, 'x');
  uLongf size = static_cast<uLongf>(rows.size());
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(rows.data()), &size,
                       reinterpret_cast<const Bytef*>(chunks[2].data.data()),
                       static_cast<uLong>(chunks[2].data.size())),
            Z_OK);
  EXPECT_EQ(size, rows.size());
  // Each row: filter type 0, then one palette index per pixel.
  EXPECT_EQ(rows, std::string("\0\0\0\0\0\0\0\0"
                              "\0\0\1\1\1\1\1\0"
                              "\0\0\0\0\0\0\0\2",
                              24));
  EXPECT_EQ(chunks[3].type, "IEND");
  EXPECT_EQ(chunks[3].data, "");
}

TEST(PngTest, MoreThan256ColoursAreRefused) {
  Image image(300, 1, {0, 0, 0});
  for (int x = 0; x < 255; ++x) image.Set(x, 0, {static_cast<std::uint8_t>(x + 1), 0, 0});
  EXPECT_EQ(image.palette().size(), 256u);
  image.Set(299, 0, {0, 0, 0});  // a colour it has
  EXPECT_THROW(image.Set(299, 0, {0, 1, 0}), std::length_error);
}

TEST(PicturesTest, EachItemHasASmallPictureOfItsOwnTheSameOnEveryRequest) {
  const auto items = GenerateItems(7, 600);
  std::set<std::string> distinct;
  for (std::size_t i = 0; i < items.size(); i += 15) {
    const std::string png = EncodePng(ItemPicture(items[i].number));
    EXPECT_EQ(png, EncodePng(ItemPicture(items[i].number)));
    EXPECT_GE(png.size(), 300u);
    EXPECT_LE(png.size(), 6000u);
    distinct.insert(png);
  }
  EXPECT_EQ(distinct.size(), 40u);
}

// Request targets of every picture a page names, for a page that names them at `host`.
std::set<std::string> PictureTargets(const std::string& page) {
  static const std::regex picture(R"re(<img[^>]*\ssrc="(?:http://items\.test:81)?([^"]+)")re",
                                  std::regex::icase);
  std::set<std::string> targets;
  for (std::sregex_iterator it(page.begin(), page.end(), picture), end; it != end; ++it) {
    targets.insert((*it)[1].str());
  }
  return targets;
}

TEST(PicturesTest, EveryPictureThePagesAndTheReportNameIsServedAsPng) {
  const Marketplace market(GenerateItems(7, 600));
  const std::string item = std::to_string(market.items()[400].number);
  // The report's banner, and every kind of page.
  std::set<std::string> targets{"/adware/zadadorud.gif"};
  for (const std::string& page : std::vector<std::string>{
           "/aw/plistings/list/category353/index.html",
           "/pool1/plistings/list/auction/category0/index.html?featured",
           "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query=lamp",
           "/search/search.dll?ht=1&query=clock&SortProperty=MetaEndSort",
           "/ws/eBayISAPI.dll?ViewItem&item=" + item, "/adware/zadadorud.html", "/"}) {
    const Reply reply = market.Answer(page, kHost);
    EXPECT_EQ(reply.status, 200) << page;
    EXPECT_EQ(reply.contentType, "text/html") << page;
    const std::set<std::string> named = PictureTargets(reply.body);
    EXPECT_FALSE(named.empty()) << page;
    targets.insert(named.begin(), named.end());
  }
  EXPECT_TRUE(targets.contains("/pict/sold.gif"));
  EXPECT_TRUE(targets.contains("/pict/" + item + ".jpg"));

  for (const std::string& target : targets) {
    const Reply reply = market.Answer(target, kHost);
    EXPECT_EQ(reply.status, 200) << target;
    EXPECT_EQ(reply.contentType, "image/png") << target;
    EXPECT_EQ(ReadChunks(reply.body).size(), 4u) << target;
  }
  EXPECT_EQ(market.Answer("/pict/17.jpg", kHost).status, 404);
  EXPECT_EQ(market.Answer("/pict/" + item + "x.jpg", kHost).status, 404);
  EXPECT_EQ(market.Answer("/pict/.jpg", kHost).status, 404);
}

}  // namespace
