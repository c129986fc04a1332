// The generated items, the pages besides the listings, the redirect, and the expected
// data that end-to-end tests build on.

#include "sample-marketplace/marketplace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sample-marketplace/categories.h"

namespace {

using namespace lotwise::sample;

constexpr std::string_view kHost = "items.test";

std::vector<std::int64_t> Numbers(const std::vector<Item>& items) {
  std::vector<std::int64_t> numbers;
  for (const Item& item : items) numbers.push_back(item.number);
  return numbers;
}

TEST(CatalogTest, ItemsAreOrderedUniqueAndSpreadOverAllTopLevelCategories) {
  const auto items = GenerateItems(5, 2000);
  std::set<int> categories;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(items[i - 1].number, items[i].number);
    }
    EXPECT_FALSE(CategoryName(items[i].category).empty()) << items[i].category;
    EXPECT_EQ(items[i].ended, i < 600);
    categories.insert(items[i].category);
  }
  EXPECT_EQ(categories.size(), 23u);
  EXPECT_EQ(FindItem(items, items[1234].number), &items[1234]);
  EXPECT_EQ(FindItem(items, items.front().number - 1), nullptr);
}

class MarketplaceTest : public ::testing::Test {
 protected:
  Marketplace market_{GenerateItems(7, 3000)};
};

TEST_F(MarketplaceTest, AnswersTheOverviewItemPagesAndUnknownAddresses) {
  const Reply overview = market_.Answer("/aw/listings/list/categories.html", kHost);
  EXPECT_EQ(overview.status, 200);
  for (const Category& category : TopLevelCategories()) {
    EXPECT_NE(overview.body.find("/aw/plistings/list/category" + std::to_string(category.number) +
                                 "/index.html"),
              std::string::npos);
  }
  const Item& item = market_.items()[2000];
  const Reply page = market_.Answer(
      "/ws/eBayISAPI.dll?ViewItem&item=" + std::to_string(item.number) + "&category=1", kHost);
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.body.find(Title(item)), std::string::npos);
  EXPECT_EQ(market_.Answer("/ws/eBayISAPI.dll?ViewItem&item=17", kHost).status, 404);
  EXPECT_EQ(market_.Answer("/aw/plistings/list/category353/page0.html", kHost).status, 404);
  EXPECT_EQ(market_.Answer("/nothing/here", kHost).status, 404);
}

TEST_F(MarketplaceTest, TheAffiliateRedirectSendsToTheUnescapedAddress) {
  const Reply reply = market_.Answer(
      "/click-12-345?loc=http%3A//items.test%3A81/ws/eBayISAPI.dll%3FViewItem%26item%3D3100004436",
      kHost);
  EXPECT_EQ(reply.status, 302);
  EXPECT_EQ(reply.location, "http://items.test:81/ws/eBayISAPI.dll?ViewItem&item=3100004436");
  EXPECT_EQ(RedirectLocation("/click-12?loc=http%3A//x"), std::nullopt);
  EXPECT_EQ(RedirectLocation("/click-1-2?loc="), std::nullopt);
  EXPECT_EQ(RedirectLocation("/click-1-2?loc=http%3A//x/%0D%0ASet-Cookie:"), std::nullopt);
}

TEST_F(MarketplaceTest, CollectedItemsFollowTheCollectionsPageSequence) {
  const auto category =
      market_.CollectedItems("http://listings.test/aw/plistings/list/category353/index.html", "");
  ASSERT_GT(category.size(), 25u);
  for (const Item& item : category) EXPECT_EQ(item.category, 353);

  // The title search's further pages carry neither price nor category: they page
  // through the words alone, as the marketplace does.
  const std::string first =
      "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=red&minPrice=&maxPrice=5"
      "&category0=&exclude=&query=red";
  const std::string next = "/ws/search/SaleSearch?exclude=&ht=1&satitle=red&sorecordstoskip=";
  const auto firstPage = market_.PageItems(first);
  const auto collected = market_.CollectedItems(first, next);
  ASSERT_FALSE(firstPage.empty());
  ASSERT_LT(firstPage.size(), 50u);
  EXPECT_TRUE(std::equal(firstPage.begin(), firstPage.end(), collected.begin(),
                         [](const Item& a, const Item& b) { return a.number == b.number; }));
  EXPECT_EQ(Numbers(std::vector<Item>(collected.begin() + static_cast<long>(firstPage.size()),
                                      collected.end())),
            Numbers(market_.PageItems(next + "50")));
  EXPECT_TRUE(market_.CollectedItems("/search/search.dll?ht=1&query=&x=1", "").empty());
}

TEST(ReportOrderTest, KeepsRowsWithEnoughBidsHighestFirstEqualCountsInListedOrder) {
  std::vector<Item> listed(6);
  const char* bids[] = {"7", "2", "7", "<b>9</b>", "4", "1000"};
  for (std::size_t i = 0; i < listed.size(); ++i) {
    listed[i].number = static_cast<std::int64_t>(i);
    listed[i].bidText = bids[i];
  }
  // Four digits and a count in bold count too.
  EXPECT_EQ(Numbers(ReportOrder(listed, 3)), (std::vector<std::int64_t>{5, 3, 0, 2, 4}));
  EXPECT_EQ(Numbers(ReportOrder(listed, 0)), (std::vector<std::int64_t>{5, 3, 0, 2, 4, 1}));
}

}  // namespace
