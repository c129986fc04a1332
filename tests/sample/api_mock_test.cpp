// The marketplace's API as the sample serves it: the application token, the item search
// with its parameters, filters, warnings, errors and pages, and its faults.

#include "sample-marketplace/api_mock.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>

#include "sample-marketplace/api_item.h"

namespace {

using namespace lotwise::sample;
using nlohmann::json;

constexpr std::string_view kItemHost = "items.test";
constexpr std::string_view kOwnHost = "api.test:81";
constexpr char kSearch[] = "/buy/browse/v1/item_summary/search?";
constexpr char kTokenBody[] =
    "grant_type=client_credentials&scope=https%3A%2F%2Fapi.ebay.com%2Foauth%2Fapi_scope";
constexpr char kAuctions[] = "&filter=buyingOptions:%7BAUCTION%7D";

std::string Basic(const std::string& id, const std::string& secret) {
  return httplib::make_basic_authentication_header(id, secret).second;
}

bool InTitle(const Item& item, const std::string& word) {
  return std::find(item.titleWords.begin(), item.titleWords.end(), word) != item.titleWords.end();
}

class ApiMockTest : public ::testing::Test {
 protected:
  using Headers = std::vector<std::pair<std::string, std::string>>;

  void Serve(ApiSettings settings) {
    api_ = std::make_unique<ApiMock>(market_.items(), settings);
    token_.clear();
  }

  Reply Token(const std::string& authorization, const std::string& body = kTokenBody,
              const std::string& type = "application/x-www-form-urlencoded") {
    return api_->Answer({"POST",
                         "/identity/v1/oauth2/token",
                         {{"Authorization", authorization}, {"content-type", type}},
                         body},
                        kItemHost, kOwnHost);
  }
  std::string NewToken() {
    const Reply reply = Token(Basic("sample-client-id", "sample-client-secret"));
    EXPECT_EQ(reply.status, 200) << reply.body;
    return json::parse(reply.body).value("access_token", "");
  }
  // A search with a token of its own unless `headers` carry one.
  Reply Search(const std::string& query, Headers headers = {}) {
    if (headers.empty() || headers.front().first != "Authorization") {
      if (token_.empty()) token_ = NewToken();
      headers.insert(headers.begin(), {"Authorization", "Bearer " + token_});
    }
    return api_->Answer({"GET", kSearch + query, headers, ""}, kItemHost, kOwnHost);
  }
  json Page(const std::string& query, Headers headers = {}) {
    const Reply reply = Search(query, std::move(headers));
    EXPECT_EQ(reply.status, 200) << query << ": " << reply.body;
    EXPECT_EQ(reply.contentType, "application/json");
    return json::parse(reply.body);
  }
  // The status of a search's answer and the id of its first error (0: none).
  std::pair<int, int> Outcome(const std::string& query, Headers headers = {}) {
    const Reply reply = Search(query, std::move(headers));
    const json errors = json::parse(reply.body).value("errors", json::array());
    return {reply.status, errors.empty() ? 0 : errors[0].value("errorId", 0)};
  }

  // The numbers of the current items `wanted` takes, in number order.
  std::vector<std::string> Expected(const std::function<bool(const Item&)>& wanted) const {
    std::vector<std::string> numbers;
    for (const Item& item : market_.items()) {
      if (!item.ended && wanted(item)) numbers.push_back(std::to_string(item.number));
    }
    return numbers;
  }
  static std::vector<std::string> Listed(const json& page) {
    std::vector<std::string> numbers;
    for (const json& item : page.value("itemSummaries", json::array())) {
      numbers.push_back(item["legacyItemId"]);
    }
    return numbers;
  }
  static std::vector<int> WarningIds(const json& page) {
    std::vector<int> ids;
    for (const json& warning : page.value("warnings", json::array())) {
      ids.push_back(warning["errorId"]);
    }
    return ids;
  }

  Marketplace market_{GenerateItems(7, 3000)};
  std::unique_ptr<ApiMock> api_ = std::make_unique<ApiMock>(market_.items(), ApiSettings{});
  std::string token_;
};

TEST_F(ApiMockTest, GivesAFreshTokenForTheClientCredentialsOnly) {
  const Reply first = Token(Basic("sample-client-id", "sample-client-secret"));
  ASSERT_EQ(first.status, 200);
  const json answer = json::parse(first.body);
  EXPECT_EQ(answer["expires_in"], 7200);
  EXPECT_EQ(answer["token_type"], "Application Access Token");
  const std::string second = NewToken();
  EXPECT_NE(answer["access_token"], second);
  EXPECT_EQ(Search("q=red", {{"Authorization", "Bearer " + second}}).status, 200);
  EXPECT_EQ(
      Search("q=red", {{"Authorization", "Bearer " + answer["access_token"].get<std::string>()}})
          .status,
      200);

  const auto error = [](const Reply& reply) {
    return std::make_pair(reply.status, json::parse(reply.body).value("error", ""));
  };
  EXPECT_EQ(error(Token(Basic("sample-client-id", "wrong"))),
            std::make_pair(401, std::string("invalid_client")));
  EXPECT_EQ(error(Token("")), std::make_pair(401, std::string("invalid_client")));
  EXPECT_EQ(
      error(Token(Basic("sample-client-id", "sample-client-secret"),
                  "grant_type=password&scope=https%3A%2F%2Fapi.ebay.com%2Foauth%2Fapi_scope")),
      std::make_pair(400, std::string("unsupported_grant_type")));
  EXPECT_EQ(error(Token(Basic("sample-client-id", "sample-client-secret"),
                        "grant_type=client_credentials")),
            std::make_pair(400, std::string("invalid_scope")));
  EXPECT_EQ(error(Token(Basic("sample-client-id", "sample-client-secret"), kTokenBody,
                        "application/json")),
            std::make_pair(400, std::string("invalid_request")));
  EXPECT_EQ(json::parse(Token("").body)["error_description"], "client authentication failed");
}

TEST_F(ApiMockTest, SearchesNeedAGoodTokenThatHasNotExpired) {
  EXPECT_EQ(Outcome("q=red", {{"Authorization", ""}}), std::make_pair(401, 1001));
  EXPECT_EQ(Outcome("q=red", {{"Authorization", "Bearer sample-token-99"}}),
            std::make_pair(401, 1001));
  ApiSettings settings;
  settings.clientId = "id";
  settings.clientSecret = "secret";
  settings.tokenLifetime = std::chrono::seconds(0);
  Serve(settings);
  EXPECT_EQ(Token(Basic("sample-client-id", "sample-client-secret")).status, 401);
  const Reply issued = Token(Basic("id", "secret"));
  ASSERT_EQ(issued.status, 200);
  const json token = json::parse(issued.body);
  EXPECT_EQ(token["expires_in"], 0);
  EXPECT_EQ(
      Outcome("q=red", {{"Authorization", "Bearer " + token["access_token"].get<std::string>()}}),
      std::make_pair(401, 1001));
}

TEST_F(ApiMockTest, WordsMustAllMatchOrAnyOfAGroupInTitlesOrAlsoDescriptions) {
  const auto title = [](const Item& item) { return InTitle(item, "red") && InTitle(item, "car"); };
  const json all = Page(std::string("q=Red%20car&limit=200") + kAuctions);
  EXPECT_EQ(Listed(all), Expected(title));
  EXPECT_EQ(all["total"], Expected(title).size());
  EXPECT_EQ(Listed(Page(std::string("q=red+car&limit=200") + kAuctions)), Expected(title));

  const auto any = [](const Item& item) { return InTitle(item, "red") || InTitle(item, "car"); };
  EXPECT_EQ(Page(std::string("q=(red,%20car)") + kAuctions)["total"], Expected(any).size());
  EXPECT_EQ(Page(std::string("q=(red,car)") + kAuctions)["total"], Expected(any).size());

  const auto described = [](const Item& item) {
    const auto has = [&](const std::string& word) {
      return InTitle(item, word) ||
             std::count(item.descriptionWords.begin(), item.descriptionWords.end(), word) > 0;
    };
    return has("red") && has("car");
  };
  ASSERT_GT(Expected(described).size(), Expected(title).size());
  EXPECT_EQ(Listed(Page(std::string("q=red%20car&limit=200&filter=searchInDescription:true,"
                                    "buyingOptions:%7BAUCTION%7D"))),
            Expected(described));
}

TEST_F(ApiMockTest, WithoutTheAuctionFilterAuctionsWithBidsAreLeftOut) {
  const auto red = [](const Item& item) { return InTitle(item, "red"); };
  const json plain = Page("q=red&limit=200");
  EXPECT_EQ(Listed(plain),
            Expected([&](const Item& item) { return red(item) && BidCount(item) == 0; }));
  EXPECT_EQ(Page(std::string("q=red") + kAuctions)["total"], Expected(red).size());
  EXPECT_EQ(Page("q=red&filter=buyingOptions:%7BFIXED_PRICE%7D")["total"], 0);
}

TEST_F(ApiMockTest, BidCountsAndTheCategoryNarrowTheSearch) {
  const auto count = [&](const std::string& bids, const std::function<bool(int)>& keep) {
    const json page = Page("q=(red,blue,car)" + std::string(kAuctions) + ",bidCount:" + bids);
    EXPECT_GT(page["total"], 0) << bids;
    EXPECT_EQ(page["total"],
              Expected([&](const Item& item) {
                return (InTitle(item, "red") || InTitle(item, "blue") || InTitle(item, "car")) &&
                       keep(BidCount(item));
              }).size())
        << bids;
  };
  count("%5B10%5D", [](int bids) { return bids >= 10; });
  count("%5B5..20%5D", [](int bids) { return bids >= 5 && bids <= 20; });
  count("%5B..3%5D", [](int bids) { return bids <= 3; });
  // The true counts: four digits and bold ones too.
  count("%5B1000%5D", [](int bids) { return bids >= 1000; });

  const json category = Page(std::string("q=red&category_ids=353&limit=200") + kAuctions);
  EXPECT_EQ(Listed(category), Expected([](const Item& item) {
              return InTitle(item, "red") && item.category == 353;
            }));
}

TEST_F(ApiMockTest, APriceRangeNeedsTheMarketplaceCurrency) {
  const auto red = [](const Item& item) { return InTitle(item, "red"); };
  const std::string query = std::string("q=red&limit=200") + kAuctions;
  const json us = Page(query + ",price:%5B10..50%5D,priceCurrency:USD");
  EXPECT_EQ(Listed(us), Expected([&](const Item& item) {
              return red(item) && item.priceCents >= 1000 && item.priceCents <= 5000;
            }));
  EXPECT_TRUE(WarningIds(us).empty());
  EXPECT_EQ(Listed(Page(query + ",price:%5B100..%5D,priceCurrency:GBP",
                        {{"X-EBAY-C-MARKETPLACE-ID", "EBAY_GB"}})),
            Expected([&](const Item& item) { return red(item) && item.priceCents >= 10000; }));
  EXPECT_EQ(Page(query + ",price:%5B..5%5D,priceCurrency:USD")["total"],
            Expected([&](const Item& item) { return red(item) && item.priceCents <= 500; }).size());

  const json noCurrency = Page(query + ",price:%5B10..50%5D");
  EXPECT_EQ(noCurrency["total"], Expected(red).size());
  EXPECT_EQ(WarningIds(noCurrency), std::vector<int>{12012});
  const json otherCurrency = Page(query + ",price:%5B10..50%5D,priceCurrency:EUR");
  EXPECT_EQ(otherCurrency["total"], Expected(red).size());
  EXPECT_EQ(WarningIds(otherCurrency), std::vector<int>{12002});
}

TEST_F(ApiMockTest, UnreadableFiltersAndSortsAreWarnedAboutAndIgnored) {
  const json page = Page("q=red&filter=conditions:%7BNEW,USED%7D,bidCount:%5Bmany%5D&sort=bids");
  EXPECT_EQ(WarningIds(page), (std::vector<int>{12002, 12002, 12008}));
  EXPECT_EQ(page["total"], Expected([](const Item& item) {
                             return InTitle(item, "red") && BidCount(item) == 0;
                           }).size());
  EXPECT_FALSE(Page("q=red&sort=-price").contains("warnings"));
}

TEST_F(ApiMockTest, RefusesSearchesAsTheMarketplaceDoes) {
  EXPECT_EQ(Outcome("limit=50"), std::make_pair(400, 12001));
  EXPECT_EQ(Outcome("q=" + std::string(101, 'a')), std::make_pair(400, 12001));
  EXPECT_EQ(Outcome("q=red&limit=0"), std::make_pair(400, 12006));
  EXPECT_EQ(Outcome("q=red&limit=201"), std::make_pair(400, 12006));
  EXPECT_EQ(Outcome("q=red&offset=30"), std::make_pair(400, 12515));
  EXPECT_EQ(Outcome("q=red&limit=200&offset=10000"), std::make_pair(400, 12029));
  EXPECT_EQ(Outcome("category_ids=353"), std::make_pair(200, 0));
  ApiSettings topLevel;
  topLevel.topLevelCategories = {353};
  Serve(topLevel);
  EXPECT_EQ(Outcome("category_ids=353"), std::make_pair(409, 12013));
  EXPECT_EQ(Outcome("q=red&category_ids=353"), std::make_pair(200, 0));
  EXPECT_EQ(Outcome("q=a&filter=searchInDescription:true"), std::make_pair(400, 12516));
  EXPECT_EQ(Outcome("q=red&limit=200&offset=9800"), std::make_pair(200, 0));
}

TEST_F(ApiMockTest, NextLeadsThroughEveryMatchOnce) {
  const std::string first = std::string("q=red&limit=7") + kAuctions;
  std::vector<std::string> listed;
  std::string query = first;
  for (int pages = 0; !query.empty(); ++pages) {
    ASSERT_LT(pages, 100);
    const json page = Page(query);
    EXPECT_EQ(page["limit"], 7);
    EXPECT_EQ(page["offset"], 7 * pages);
    EXPECT_EQ(page.contains("prev"), pages > 0);
    const auto more = Listed(page);
    listed.insert(listed.end(), more.begin(), more.end());
    const std::string next = page.value("next", "");
    ASSERT_TRUE(next.empty() || next.rfind("http://" + std::string(kOwnHost) + kSearch, 0) == 0)
        << next;
    query = next.empty() ? "" : next.substr(next.find('?') + 1);
  }
  EXPECT_EQ(listed, Expected([](const Item& item) { return InTitle(item, "red"); }));
  EXPECT_GT(listed.size(), 7u);
}

TEST_F(ApiMockTest, PagesEndBefore10000Items) {
  market_ = Marketplace(GenerateItems(7, 20000));
  Serve({});
  const std::string query =
      std::string(
          "q=(oak,gold,lamp,coin,doll,bear,car,map,ring,red,blue,set,mint,rare,lens,vase,"
          "book,print)&limit=200") +
      kAuctions;
  const json before = Page(query + "&offset=9600");
  ASSERT_GT(before["total"].get<std::size_t>(), 10000u);
  EXPECT_NE(before.value("next", "").find("offset=9800"), std::string::npos);
  const json last = Page(query + "&offset=9800");
  EXPECT_EQ(Listed(last).size(), 200u);
  EXPECT_FALSE(last.contains("next"));
}

TEST_F(ApiMockTest, AnItemShowsAsTheMarketplaceListsIt) {
  Item item;
  item.number = 3100000123;
  item.titleWords = {"red", "car"};
  item.priceCents = 1205;
  item.category = 353;
  item.bidText = "1250";
  item.endTime = "Mar-05 18:30";
  const json summary = json::parse(ItemSummary(item, {"items.test", "GBP", "55 5", "r1"}).dump());
  EXPECT_EQ(summary, json::parse(R"({
    "itemId": "v1|3100000123|0", "legacyItemId": "3100000123", "title": "Red Car",
    "itemWebUrl": "http://items.test/ws/eBayISAPI.dll?ViewItem&item=3100000123",
    "itemAffiliateWebUrl":
        "http://items.test/ws/eBayISAPI.dll?ViewItem&item=3100000123&campid=55%205&customid=r1",
    "image": {"imageUrl": "http://items.test/pict/3100000123.jpg"},
    "price": {"value": "12.05", "currency": "GBP"},
    "currentBidPrice": {"value": "12.05", "currency": "GBP"},
    "bidCount": 1250, "buyingOptions": ["AUCTION"], "itemEndDate": "2026-03-06T02:30:00.000Z",
    "categories": [{"categoryId": "353", "categoryName": "Antiques & Art"}]})"));

  item.bidText = "<b>12</b>";
  EXPECT_EQ(BidCount(item), 12);
  item.bidText = "-";
  EXPECT_EQ(BidCount(item), 0);
  // Pacific time: standard time until 8 March 02:00, daylight time until 1 November 01:00.
  const std::pair<const char*, const char*> ends[] = {
      {"Mar-08 01:59", "2026-03-08T09:59:00.000Z"}, {"Mar-08 03:00", "2026-03-08T10:00:00.000Z"},
      {"Nov-01 00:30", "2026-11-01T07:30:00.000Z"}, {"Nov-01 01:30", "2026-11-01T09:30:00.000Z"},
      {"Dec-31 20:00", "2027-01-01T04:00:00.000Z"}, {"Feb-30 10:00", ""}};
  for (const auto& [endTime, date] : ends) {
    item.endTime = endTime;
    EXPECT_EQ(ApiEndDate(item), date) << endTime;
  }
}

TEST_F(ApiMockTest, OnlyThePartnerHeaderGivesPartnerLinks) {
  const json partner =
      Page("q=red", {{"X-EBAY-C-ENDUSERCTX", "affiliateCampaignId=5338,affiliateReferenceId=x"}});
  const json plain = Page("q=red");
  ASSERT_FALSE(Listed(plain).empty());
  const json& item = partner["itemSummaries"][0];
  EXPECT_EQ(item["itemAffiliateWebUrl"],
            item["itemWebUrl"].get<std::string>() + "&campid=5338&customid=x");
  EXPECT_FALSE(plain["itemSummaries"][0].contains("itemAffiliateWebUrl"));
  EXPECT_EQ(plain["itemSummaries"][0]["price"]["currency"], "USD");
  EXPECT_EQ(Page("q=red",
                 {{"X-EBAY-C-MARKETPLACE-ID", "EBAY_AU"}})["itemSummaries"][0]["price"]["currency"],
            "AUD");
}

TEST_F(ApiMockTest, FaultsMeetSearchesWithAGoodToken) {
  const auto statuses = [&](ApiFault fault, std::uint64_t after, bool once) {
    ApiSettings settings;
    settings.fault = fault;
    settings.faultAfter = after;
    settings.faultOnce = once;
    Serve(settings);
    token_.clear();
    std::vector<std::pair<int, int>> seen;
    EXPECT_EQ(Outcome("q=red", {{"Authorization", "Bearer none"}}).first, 401);
    for (int i = 0; i < 4; ++i) seen.push_back(Outcome("q=red"));
    return seen;
  };
  using Seen = std::vector<std::pair<int, int>>;
  EXPECT_EQ(statuses(ApiFault::kExpiredToken, 0, false),
            (Seen{{401, 1001}, {200, 0}, {200, 0}, {200, 0}}));
  EXPECT_EQ(statuses(ApiFault::kRateLimit, 2, false),
            (Seen{{200, 0}, {200, 0}, {429, 2001}, {429, 2001}}));
  EXPECT_EQ(statuses(ApiFault::kServerError, 1, false),
            (Seen{{200, 0}, {500, 12000}, {500, 12000}, {500, 12000}}));
  EXPECT_EQ(statuses(ApiFault::kServerError, 1, true),
            (Seen{{200, 0}, {500, 12000}, {200, 0}, {200, 0}}));
}

}  // namespace
