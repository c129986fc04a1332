#include "sample-marketplace/categories.h"

#include <array>

namespace lotwise::sample {
namespace {

constexpr std::array<Category, 23> kCategories{{
    {353, "Antiques & Art"},
    {6000, "Motors"},
    {267, "Books"},
    {12576, "Business & Industrial"},
    {11450, "Clothing & Accessories"},
    {11116, "Coins"},
    {1, "Collectibles"},
    {160, "Computers & Networking"},
    {293, "Consumer Electronics"},
    {237, "Dolls & Bears"},
    {2038, "Premier"},
    {11700, "Home & Garden"},
    {281, "Jewelry & Watches"},
    {11232, "Movies"},
    {11233, "Music"},
    {625, "Photo"},
    {870, "Pottery & Glass"},
    {10542, "Real Estate"},
    {888, "Sports"},
    {260, "Stamps"},
    {11730, "Tickets & Travel"},
    {220, "Toys & Hobbies"},
    {99, "Everything Else"},
}};

}  // namespace

std::span<const Category> TopLevelCategories() { return kCategories; }

std::string_view CategoryName(int number) {
  for (const Category& category : kCategories) {
    if (category.number == number) return category.name;
  }
  return {};
}

}  // namespace lotwise::sample
