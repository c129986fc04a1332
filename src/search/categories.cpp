#include "search/categories.h"

#include <array>

namespace lotwise {
namespace {

constexpr std::array<Category, 24> kCategories{{
    {"All Categories", ""},
    {"Antiques & Art", "353"},
    {"Automotive, Ebay motors", "6000"},
    {"Books", "267"},
    {"Business, Office, Industrial", "12576"},
    {"Clothing and Accessories", "11450"},
    {"Coins", "11116"},
    {"Collectibles", "1"},
    {"Computers, Networking, IT", "160"},
    {"Consumer Electronics", "293"},
    {"Dolls & Bears", "237"},
    {"eBay Premier", "2038"},
    {"Home & Garden", "11700"},
    {"Jewelry, Gemstones, Watches", "281"},
    {"Movies", "11232"},
    {"Music", "11233"},
    {"Photo", "625"},
    {"Pottery & Glass", "870"},
    {"Real Estate", "10542"},
    {"Sports", "888"},
    {"Stamps", "260"},
    {"Tickets and Travel", "11730"},
    {"Toys & Hobbies", "220"},
    {"Everything Else", "99"},
}};

}  // namespace

std::span<const Category> CategoryTable() { return kCategories; }

std::string getcatno(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= kCategories.size()) return {};
  return std::string(kCategories[static_cast<std::size_t>(position)].number);
}

}  // namespace lotwise
