#include "sample-marketplace/catalog.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <random>
#include <string_view>

#include "sample-marketplace/categories.h"

namespace lotwise::sample {
namespace {

constexpr std::array<std::string_view, 44> kVocabulary{
    "antique", "vintage", "brass", "silver", "gold",   "oak",   "walnut", "glass", "porcelain",
    "lamp",    "clock",   "watch", "coin",   "stamp",  "doll",  "bear",   "train", "car",
    "truck",   "camera",  "lens",  "radio",  "guitar", "vinyl", "record", "book",  "map",
    "print",   "poster",  "quilt", "teapot", "vase",   "ring",  "brooch", "red",   "blue",
    "green",   "large",   "small", "rare",   "signed", "boxed", "mint",   "set"};

constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr std::int64_t kFirstNumber = 3100000000;

// The raw engine output reduced to [0, bound): the same on every standard library,
// which the standard distributions are not.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : engine_(seed) {}
  int Below(std::size_t bound) { return static_cast<int>(engine_() % bound); }

 private:
  std::mt19937 engine_;
};

std::vector<std::string> Words(Draw& draw, std::size_t count, bool distinct) {
  std::vector<std::string> words;
  while (words.size() < count) {
    std::string word(kVocabulary[static_cast<std::size_t>(draw.Below(kVocabulary.size()))]);
    if (distinct && std::find(words.begin(), words.end(), word) != words.end()) continue;
    words.push_back(std::move(word));
  }
  return words;
}

int Price(Draw& draw) {
  const int tier = draw.Below(100);
  int dollars = 1 + draw.Below(50);
  if (tier >= 90) {
    dollars = 300 + draw.Below(2700);
  } else if (tier >= 60) {
    dollars = 50 + draw.Below(250);
  }
  return dollars * 100 + draw.Below(100);
}

std::string BidText(Draw& draw) {
  const int kind = draw.Below(100);
  if (kind < 8) return "-";
  if (kind < 12) return std::to_string(1000 + draw.Below(9000));
  if (kind < 16) return "<b>" + std::to_string(1 + draw.Below(99)) + "</b>";
  const int size = draw.Below(100);
  if (size < 60) return std::to_string(draw.Below(10));
  if (size < 90) return std::to_string(10 + draw.Below(90));
  return std::to_string(100 + draw.Below(900));
}

// "Mon-DD HH:MM" for a number of minutes after the start of a (non-leap) year.
std::string EndTime(std::int64_t minutes) {
  int day = static_cast<int>((minutes / (24 * 60)) % 365);
  const int minuteOfDay = static_cast<int>(minutes % (24 * 60));
  std::size_t month = 0;
  while (day >= kMonthDays[month]) day -= kMonthDays[month++];
  char text[32];
  std::snprintf(text, sizeof text, "%s-%02d %02d:%02d", kEndTimeMonths[month].data(), day + 1,
                minuteOfDay / 60, minuteOfDay % 60);
  return text;
}

}  // namespace

std::string Title(const Item& item) {
  std::string title;
  for (const std::string& word : item.titleWords) {
    if (!title.empty()) title += ' ';
    title += word;
    title[title.size() - word.size()] =
        static_cast<char>(std::toupper(static_cast<unsigned char>(word.front())));
  }
  return title;
}

int BidCount(const Item& item) {
  int count = 0;
  for (const char c : item.bidText) {
    if (c >= '0' && c <= '9') count = count * 10 + (c - '0');
  }
  return count;
}

std::vector<Item> GenerateItems(std::uint32_t seed, std::size_t count) {
  Draw draw(seed);
  const auto categories = TopLevelCategories();
  std::vector<Item> items;
  items.reserve(count);
  std::int64_t number = kFirstNumber;
  std::int64_t minutes = 0;
  for (std::size_t i = 0; i < count; ++i) {
    Item item;
    number += 1 + draw.Below(13);
    minutes += 1 + draw.Below(20);
    item.number = number;
    item.titleWords = Words(draw, 3 + static_cast<std::size_t>(draw.Below(3)), true);
    item.descriptionWords = Words(draw, 4, false);
    item.priceCents = Price(draw);
    item.category = categories[static_cast<std::size_t>(draw.Below(categories.size()))].number;
    item.bidText = BidText(draw);
    item.endTime = EndTime(minutes);
    item.featured = draw.Below(10) == 0;
    item.ended = i < count * 3 / 10;
    items.push_back(std::move(item));
  }
  return items;
}

const Item* FindItem(const std::vector<Item>& items, std::int64_t number) {
  const auto found =
      std::lower_bound(items.begin(), items.end(), number,
                       [](const Item& item, std::int64_t wanted) { return item.number < wanted; });
  return found != items.end() && found->number == number ? &*found : nullptr;
}

}  // namespace lotwise::sample
