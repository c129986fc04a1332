// Search words as the program writes them into its addresses, and how they narrow a
// search.

#include "sample-marketplace/query.h"

#include <gtest/gtest.h>

namespace {

using namespace lotwise::sample;

Item Titled(std::vector<std::string> title, std::vector<std::string> description = {}) {
  Item item;
  item.titleWords = std::move(title);
  item.descriptionWords = std::move(description);
  item.priceCents = 1500;
  item.category = 353;
  return item;
}

SearchFilter Filter(std::string_view words) {
  SearchFilter filter;
  filter.query = ParseWordQuery(words);
  return filter;
}

TEST(WordQueryTest, ReadsTheThreeFormsWithAndWithoutExcludedWords) {
  const WordQuery all = ParseWordQuery("Red++car+-(blue,green)");
  EXPECT_EQ(all.mode, WordMode::kAll);
  EXPECT_EQ(all.words, (std::vector<std::string>{"red", "car"}));
  EXPECT_EQ(all.excluded, (std::vector<std::string>{"blue", "green"}));

  const WordQuery any = ParseWordQuery("(,red,car)");
  EXPECT_EQ(any.mode, WordMode::kAny);
  EXPECT_EQ(any.words, (std::vector<std::string>{"red", "car"}));
  EXPECT_TRUE(any.excluded.empty());

  const WordQuery phrase = ParseWordQuery("\"red+car\"+-(blue)");
  EXPECT_EQ(phrase.mode, WordMode::kPhrase);
  EXPECT_EQ(phrase.words, (std::vector<std::string>{"red", "car"}));
  EXPECT_EQ(phrase.excluded, (std::vector<std::string>{"blue"}));

  EXPECT_TRUE(ParseWordQuery("").words.empty());
  EXPECT_TRUE(ParseWordQuery("()").words.empty());
}

TEST(WordQueryTest, WordsNarrowByModeAndExclusion) {
  const Item redCar = Titled({"red", "car"});
  const Item carRed = Titled({"car", "red", "lamp"});
  const Item red = Titled({"red", "lamp"});
  EXPECT_TRUE(Matches(redCar, Filter("red+car")));
  EXPECT_TRUE(Matches(carRed, Filter("red+car")));
  EXPECT_FALSE(Matches(red, Filter("red+car")));
  EXPECT_TRUE(Matches(red, Filter("(car,red)")));
  EXPECT_FALSE(Matches(red, Filter("(car,vase)")));
  EXPECT_TRUE(Matches(redCar, Filter("\"red+car\"")));
  EXPECT_FALSE(Matches(carRed, Filter("\"red+car\"")));
  EXPECT_FALSE(Matches(carRed, Filter("red+-(lamp)")));
  EXPECT_TRUE(Matches(redCar, Filter("red+-(lamp)")));
}

TEST(WordQueryTest, DescriptionWordsCountOnlyForADescriptionSearch) {
  const Item item = Titled({"oak", "clock"}, {"brass", "key"});
  SearchFilter filter = Filter("brass");
  EXPECT_FALSE(Matches(item, filter));
  filter.description = true;
  EXPECT_TRUE(Matches(item, filter));
  filter = Filter("clock+-(key)");
  EXPECT_TRUE(Matches(item, filter));
  filter.description = true;
  EXPECT_FALSE(Matches(item, filter));
}

TEST(SearchFilterTest, PriceCategoryAndEndedStateNarrowTheMatches) {
  const Item item = Titled({"red"});  // $15.00 in category 353, current
  SearchFilter filter = Filter("red");
  filter.minCents = 1500;
  filter.maxCents = 1500;
  EXPECT_TRUE(Matches(item, filter));
  filter.minCents = 1501;
  EXPECT_FALSE(Matches(item, filter));
  filter = Filter("red");
  filter.maxCents = 1499;
  EXPECT_FALSE(Matches(item, filter));
  filter = Filter("red");
  filter.category = 353;
  EXPECT_TRUE(Matches(item, filter));
  filter.category = -1;
  EXPECT_FALSE(Matches(item, filter));
  filter = Filter("red");
  filter.ended = true;
  EXPECT_FALSE(Matches(item, filter));
}

TEST(SearchFilterTest, PricesAreReadAsTypedOrIgnored) {
  EXPECT_EQ(ParsePrice("12"), 1200);
  EXPECT_EQ(ParsePrice("$12.5"), 1250);
  EXPECT_EQ(ParsePrice(" 0.07 "), 7);
  EXPECT_EQ(ParsePrice(""), std::nullopt);
  EXPECT_EQ(ParsePrice("12.345"), std::nullopt);
  EXPECT_EQ(ParsePrice("ten"), std::nullopt);
  EXPECT_EQ(ParsePrice("$"), std::nullopt);
}

}  // namespace
