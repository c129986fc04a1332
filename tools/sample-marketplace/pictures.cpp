#include "sample-marketplace/pictures.h"

#include <array>
#include <string>

#include "sample-marketplace/listing.h"
#include "sample-marketplace/markup.h"
#include "sample-marketplace/pixel_font.h"
#include "sample-marketplace/png.h"

namespace lotwise::sample {
namespace {

constexpr std::string_view kItemPicturePrefix = "/pict/";
constexpr std::string_view kItemPictureSuffix = ".jpg";
constexpr std::string_view kSoldMarkerPath = "/pict/sold.gif";
constexpr std::string_view kBannerPath = "/adware/zadadorud.gif";
constexpr std::string_view kPlaceholderPath = "/pict/placeholder.gif";

constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 120;
constexpr int kTableTop = 84;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

struct Shades {
  Rgb top;
  Rgb bottom;
};

constexpr std::array<Shades, 5> kWalls{{{{236, 229, 216}, {206, 197, 181}},
                                        {{216, 227, 237}, {181, 196, 211}},
                                        {{233, 223, 231}, {201, 187, 199}},
                                        {{223, 233, 221}, {189, 203, 187}},
                                        {{242, 238, 228}, {215, 209, 195}}}};
constexpr std::array<Shades, 4> kTables{{{{152, 112, 76}, {112, 80, 52}},
                                         {{122, 122, 128}, {92, 92, 98}},
                                         {{182, 152, 112}, {142, 114, 80}},
                                         {{98, 72, 62}, {70, 50, 44}}}};
constexpr std::array<Rgb, 9> kObjects{{{170, 50, 45},
                                       {45, 70, 130},
                                       {60, 120, 80},
                                       {190, 150, 60},
                                       {40, 130, 140},
                                       {110, 70, 140},
                                       {210, 120, 50},
                                       {60, 60, 66},
                                       {165, 170, 182}}};

template <typename T, std::size_t N>
const T& Pick(const std::array<T, N>& choices, std::int64_t number, std::uint32_t salt) {
  return choices[Variation(number, salt) % N];
}

// Where an object stands, and its colours.
struct Look {
  int x = 0;     // centre
  int base = 0;  // the row it stands on
  Rgb colour;
  Rgb light;
  Rgb dark;
};

void Vase(Image& image, const Look& look) {
  const int middle = look.base - 26;
  image.FillRect(look.x - 7, middle - 44, 14, 22, look.dark);
  image.FillEllipse(look.x, middle - 44, 11, 4, look.colour);
  image.FillEllipse(look.x, middle - 44, 7, 2, look.dark);
  image.FillEllipse(look.x + 2, middle, 23, 26, look.dark);
  image.FillEllipse(look.x - 1, middle, 21, 25, look.colour);
  image.FillEllipse(look.x - 10, middle - 6, 4, 11, look.light);
}

void Lamp(Image& image, const Look& look, Rgb brass) {
  image.FillEllipse(look.x, look.base - 4, 18, 5, Mix(brass, kBlack, 0.3));
  image.FillRect(look.x - 3, look.base - 56, 6, 50, brass);
  image.FillRect(look.x - 3, look.base - 56, 2, 50, Mix(brass, kWhite, 0.4));
  image.FillTrapezoid(look.base - 88, look.base - 54, look.x - 16, look.x + 16, look.x - 33,
                      look.x + 33, look.colour);
  image.FillTrapezoid(look.base - 88, look.base - 54, look.x - 13, look.x - 8, look.x - 28,
                      look.x - 19, look.light);
  image.FillRect(look.x - 33, look.base - 54, 67, 3, look.dark);
}

void Clock(Image& image, const Look& look, std::int64_t number) {
  const int top = look.base - 50;
  image.FillEllipse(look.x, top, 28, 14, look.dark);
  image.FillRect(look.x - 28, top, 57, 50, look.dark);
  image.FillRect(look.x - 25, top, 51, 47, look.colour);
  image.FillEllipse(look.x, top, 25, 11, look.colour);
  const int centre = top + 14;
  image.FillEllipse(look.x, centre, 18, 18, look.dark);
  image.FillEllipse(look.x, centre, 16, 16, {240, 234, 218});
  const int hour = static_cast<int>(Variation(number, 24) % 4);
  const Rgb hand{30, 30, 34};
  if (hour % 2 == 0) {
    image.FillRect(look.x - 1, hour == 0 ? centre - 10 : centre, 3, 11, hand);
  } else {
    image.FillRect(hour == 1 ? look.x : look.x - 10, centre - 1, 11, 3, hand);
  }
  image.FillRect(look.x - 1, centre - 14, 2, 14, hand);
  image.FillRect(look.x - 24, look.base - 2, 8, 3, look.dark);
  image.FillRect(look.x + 17, look.base - 2, 8, 3, look.dark);
}

void Chest(Image& image, const Look& look, Rgb brass) {
  image.FillRect(look.x - 36, look.base - 38, 72, 38, look.dark);
  image.FillRect(look.x - 34, look.base - 36, 68, 35, look.colour);
  image.FillRect(look.x - 38, look.base - 48, 76, 12, look.dark);
  image.FillRect(look.x - 36, look.base - 47, 72, 4, look.light);
  image.FillRect(look.x - 5, look.base - 38, 10, 12, brass);
  image.FillRect(look.x - 2, look.base - 33, 4, 4, Mix(brass, kBlack, 0.5));
}

void Bowl(Image& image, const Look& look) {
  image.FillRect(look.x - 14, look.base - 6, 28, 6, look.dark);
  image.FillTrapezoid(look.base - 34, look.base - 6, look.x - 42, look.x + 42, look.x - 20,
                      look.x + 20, look.colour);
  image.FillTrapezoid(look.base - 30, look.base - 10, look.x - 34, look.x - 28, look.x - 18,
                      look.x - 14, look.light);
  image.FillEllipse(look.x, look.base - 34, 42, 7, look.light);
  image.FillEllipse(look.x, look.base - 34, 38, 5, look.dark);
}

void Bottle(Image& image, const Look& look) {
  image.FillRect(look.x - 15, look.base - 52, 30, 52, look.colour);
  image.FillRect(look.x + 7, look.base - 52, 8, 52, look.dark);
  image.FillTrapezoid(look.base - 66, look.base - 52, look.x - 5, look.x + 5, look.x - 15,
                      look.x + 15, look.colour);
  image.FillRect(look.x - 5, look.base - 86, 10, 21, look.colour);
  image.FillRect(look.x - 6, look.base - 92, 12, 7, look.dark);
  image.FillRect(look.x - 11, look.base - 48, 4, 40, look.light);
  image.FillRect(look.x - 15, look.base - 36, 30, 16, {236, 228, 206});
}

}  // namespace

Image ItemPicture(std::int64_t number) {
  const Shades& wall = Pick(kWalls, number, 20);
  const Shades& table = Pick(kTables, number, 21);
  Image image(kPictureWidth, kPictureHeight, wall.top);
  image.FillVerticalGradient(0, kTableTop, wall.top, wall.bottom);
  image.FillVerticalGradient(kTableTop, kPictureHeight - kTableTop, table.top, table.bottom);
  image.FillRect(0, kTableTop, kPictureWidth, 2, Mix(table.top, kWhite, 0.25));

  Look look;
  look.x = kPictureWidth / 2 - 16 + static_cast<int>(Variation(number, 22) % 33);
  look.base = kTableTop + 18 + static_cast<int>(Variation(number, 23) % 9);
  look.colour = Pick(kObjects, number, 25);
  look.light = Mix(look.colour, kWhite, 0.45);
  look.dark = Mix(look.colour, kBlack, 0.35);
  const Rgb brass{196, 158, 72};
  image.FillEllipse(look.x + 6, look.base, 44, 7, Mix(table.top, kBlack, 0.35));
  switch (Variation(number, 26) % 6) {
    case 0:
      Vase(image, look);
      break;
    case 1:
      Lamp(image, look, brass);
      break;
    case 2:
      Clock(image, look, number);
      break;
    case 3:
      Chest(image, look, brass);
      break;
    case 4:
      Bowl(image, look);
      break;
    default:
      Bottle(image, look);
  }
  return image;
}

Image SoldMarker() {
  constexpr Rgb kRed{196, 32, 38};
  Image image(31, 13, kWhite);
  image.FillRect(1, 0, 29, 13, kRed);
  image.FillRect(0, 1, 31, 11, kRed);
  DrawText(image, 4, 3, "SOLD", 1, kWhite);
  return image;
}

Image PlaceholderPicture() { return Image(80, 80, Rgb{229, 229, 229}); }

Image Banner() {
  constexpr int kWidth = 468;
  constexpr int kHeight = 60;
  constexpr Rgb kGold{244, 196, 64};
  Image image(kWidth, kHeight, kWhite);
  image.FillVerticalGradient(0, kHeight, {28, 58, 118}, {58, 108, 178});
  // Rising bars: the listings that draw bids.
  for (int bar = 0; bar < 4; ++bar) {
    const int height = 14 + bar * 9;
    image.FillRect(14 + bar * 11, 50 - height, 8, height, bar == 3 ? kGold : Rgb{150, 190, 235});
  }
  image.FillRect(10, 50, 46, 2, kWhite);
  DrawText(image, 70, 8, "Lotwise", 4, kWhite);
  DrawText(image, 71, 44, "Find the auctions that draw bids", 1, Rgb{214, 228, 246});
  const std::string_view action = "See what sells";
  const int actionWidth = TextWidth(action, 1);
  image.FillRect(448 - actionWidth - 24, 19, actionWidth + 24, 22, kGold);
  image.FillRect(448 - actionWidth - 24, 39, actionWidth + 24, 2, Mix(kGold, kBlack, 0.35));
  DrawText(image, 448 - actionWidth - 12, 26, action, 1, Rgb{40, 40, 48});
  return image;
}

std::optional<Reply> PictureReply(const std::vector<Item>& items, std::string_view path) {
  std::optional<Image> picture;
  if (path == kSoldMarkerPath) {
    picture = SoldMarker();
  } else if (path == kBannerPath) {
    picture = Banner();
  } else if (path == kPlaceholderPath) {
    picture = PlaceholderPicture();
  } else if (path.starts_with(kItemPicturePrefix) && path.ends_with(kItemPictureSuffix)) {
    const auto number =
        ParseCount(path.substr(kItemPicturePrefix.size(), path.size() - kItemPicturePrefix.size() -
                                                              kItemPictureSuffix.size()));
    if (number && FindItem(items, *number) != nullptr) picture = ItemPicture(*number);
  }
  if (!picture) return std::nullopt;
  Reply reply;
  reply.contentType = "image/png";
  reply.body = EncodePng(*picture);
  return reply;
}

}  // namespace lotwise::sample
