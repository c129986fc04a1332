#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lotwise::sample {

// The month names of end times, January first.
inline constexpr std::array<std::string_view, 12> kEndTimeMonths{
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// One auction of the sample marketplace.
struct Item {
  std::int64_t number = 0;
  std::vector<std::string> titleWords;        // lower case, distinct
  std::vector<std::string> descriptionWords;  // lower case
  int priceCents = 0;
  int category = 0;     // a top-level category number
  std::string bidText;  // the text of the bid cell: "7", "-", "1250", "<b>12</b>"
  std::string endTime;  // "Mar-05 18:30"
  bool featured = false;
  bool ended = false;  // listed by the completed-items search only
};

// The title as pages show it: the words capitalised, joined by blanks.
std::string Title(const Item& item);

// The item's bid count: the number its bid text shows ("7", "1250", "<b>12</b>": 12),
// 0 for "-".
int BidCount(const Item& item);

// `count` items made from `seed` alone: the same seed and count give the same items
// on every platform. Items are in order of end time, which is also their number order;
// the earliest three tenths have ended.
std::vector<Item> GenerateItems(std::uint32_t seed, std::size_t count);

// The item with that number, or nullptr.
const Item* FindItem(const std::vector<Item>& items, std::int64_t number);

}  // namespace lotwise::sample
