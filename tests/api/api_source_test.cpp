// The Browse API client on a recorded exchange: the requests it sends, its token kept,
// renewed and replaced, and the answers and errors it reads.

#include "api/api_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/recorded_exchange.h"

namespace lotwise {
namespace {

using namespace std::chrono_literals;

using testing::MovableClock;
using testing::RecordedSender;

HttpResponse Token(const std::string& token, int lifetime = 7200) {
  return {200, "{\"access_token\": \"" + token + "\", \"expires_in\": " + std::to_string(lifetime) +
                   ", \"token_type\": \"Application Access Token\"}"};
}

const std::string kOnePage = R"({"total": 3, "next": "https://api.test/page2",
  "warnings": [{"errorId": 12012, "message": "The price filter needs a currency."}],
  "itemSummaries": [
    {"itemId": "v1|5|0", "legacyItemId": "5", "title": "Brass lamp",
     "itemWebUrl": "https://items.test/itm/5", "image": {"imageUrl": "https://p.test/5.jpg"},
     "price": {"value": "30.00", "currency": "USD"},
     "currentBidPrice": {"value": "12.50", "currency": "USD"},
     "bidCount": 1234, "itemEndDate": "2026-03-06T02:30:00.000Z"},
    {"itemId": "v1|6|0", "title": "Lamp without extras", "price": {"value": "9.99", "currency": "EUR"}},
    "not an item"]})";

class ApiSourceTest : public ::testing::Test {
 protected:
  ApiSourceTest() {
    settings.clientId = "id";
    settings.clientSecret = "secret";
    settings.baseUrl = "https://api.test/buy/browse/v1";
    settings.tokenUrl = "https://api.test/identity/v1/oauth2/token";
    settings.marketplace = "EBAY_DE";
  }
  ApiSettings settings;
  RecordedSender http;
  MovableClock clock;
};

TEST_F(ApiSourceTest, SendsTheTokenRequestThenSearchesWithItsHeaders) {
  settings.campaignId = "533";
  ApiSource source(settings, http, clock);
  http.answers = {Token("t1"), {200, kOnePage}};
  ListingQuery query;
  query.keywords = "(red, car)";
  query.categoryId = "353";
  query.filter = "buyingOptions:{AUCTION},bidCount:[10]";
  const ListingPage page = source.Search(query);

  ASSERT_EQ(http.requests.size(), 2u);
  const HttpRequest& token = http.requests[0];
  EXPECT_EQ(token.url, settings.tokenUrl);
  EXPECT_EQ(token.formBody,
            "grant_type=client_credentials&scope=https%3A%2F%2Fapi.ebay.com%2Foauth%2Fapi_scope");
  EXPECT_EQ(token.user, "id");
  EXPECT_EQ(token.password, "secret");
  EXPECT_EQ(http.Header(0, "Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(http.requests[1].url,
            "https://api.test/buy/browse/v1/item_summary/search?q=%28red%2C%20car%29&"
            "category_ids=353&filter=buyingOptions%3A%7BAUCTION%7D%2CbidCount%3A%5B10%5D&"
            "limit=200&offset=0");
  EXPECT_EQ(http.Header(1, "Authorization"), "Bearer t1");
  EXPECT_EQ(http.Header(1, "X-EBAY-C-MARKETPLACE-ID"), "EBAY_DE");
  EXPECT_EQ(http.Header(1, "X-EBAY-C-ENDUSERCTX"), "affiliateCampaignId=533");
  EXPECT_EQ(source.Currency(), "EUR");

  EXPECT_EQ(page.total, 3);
  EXPECT_EQ(page.next, "https://api.test/page2");
  EXPECT_EQ(page.warnings, std::vector<std::string>{"The price filter needs a currency. (12012)"});
  ASSERT_EQ(page.items.size(), 2u);
  EXPECT_EQ(page.items[0].legacyItemId, "5");
  EXPECT_EQ(page.items[0].price, "12.50");  // the current bid before the price
  EXPECT_EQ(page.items[0].bidCount, 1234);
  EXPECT_EQ(page.items[0].imageUrl, "https://p.test/5.jpg");
  EXPECT_EQ(page.items[0].endDate, "2026-03-06T02:30:00.000Z");
  EXPECT_EQ(page.items[1].price, "9.99");
  EXPECT_EQ(page.items[1].currency, "EUR");
  EXPECT_EQ(page.items[1].bidCount, 0);
  EXPECT_EQ(page.items[1].imageUrl, "");
}

TEST_F(ApiSourceTest, TheTokenIsKeptRenewedFiveMinutesEarlyAndReplacedOnceOn401) {
  ApiSource source(settings, http, clock);
  http.answers = {Token("t1", 3600), {200, "{}"}, {200, "{}"}};
  source.Search({});
  clock.now += 54min;  // within the hour less five minutes: the same token
  source.Next("https://api.test/page2");
  EXPECT_EQ(http.requests.size(), 3u);
  EXPECT_EQ(http.Header(2, "Authorization"), "Bearer t1");

  clock.now += 2min;  // five minutes before it expires: a new one
  http.answers = {Token("t2"), {200, "{}"}};
  source.Next("https://api.test/page3");
  EXPECT_EQ(http.requests[3].url, settings.tokenUrl);
  EXPECT_EQ(http.Header(4, "Authorization"), "Bearer t2");

  // The marketplace no longer takes it: one new token, one more try, then the answer.
  http.requests.clear();
  http.answers = {{401, R"({"errors": [{"errorId": 1001, "message": "Invalid access token"}]})"},
                  Token("t3"),
                  {200, R"({"total": 7})"}};
  EXPECT_EQ(source.Next("https://api.test/page4").total, 7);
  ASSERT_EQ(http.requests.size(), 3u);
  EXPECT_EQ(http.Header(2, "Authorization"), "Bearer t3");

  // A token request cut short by a stop: nothing more is sent, and nothing is read.
  http.requests.clear();
  http.answers = {{401, "{}"}, HttpResponse::Stopped()};
  EXPECT_TRUE(source.Next("https://api.test/page5").items.empty());
  EXPECT_EQ(http.requests.size(), 2u);
}

TEST_F(ApiSourceTest, ErrorsBecomeListingErrorsOfTheirKind) {
  ApiSource source(settings, http, clock);
  const auto kindOf = [&](HttpResponse answer) {
    http.answers.push_back(std::move(answer));
    try {
      source.Search({});
    } catch (const ListingError& error) {
      return std::make_pair(error.kind(), std::string(error.what()));
    }
    ADD_FAILURE() << "no ListingError";
    return std::make_pair(ListingError::Kind::kRequest, std::string());
  };
  http.answers = {
      {401, R"({"error": "invalid_client", "error_description": "client authentication failed"})"}};
  const auto refused = kindOf({});
  EXPECT_EQ(refused.first, ListingError::Kind::kCredentials);
  EXPECT_EQ(refused.second,
            "The marketplace did not give a token for the client id and secret (HTTP 401): "
            "client authentication failed");

  http.answers = {Token("t1")};
  EXPECT_EQ(kindOf({429, R"({"errors": [{"errorId": 2001}]})"}).first,
            ListingError::Kind::kCallLimit);
  EXPECT_EQ(kindOf({503, "<html>down</html>"}).first, ListingError::Kind::kServer);
  const auto conflict = kindOf(
      {409,
       R"({"errors": [{"errorId": 12013, "message": "A top-level category needs keywords."}]})"});
  EXPECT_EQ(conflict.first, ListingError::Kind::kRequest);
  EXPECT_EQ(conflict.second,
            "The marketplace refused the search (HTTP 409): A top-level category needs keywords.");
  EXPECT_EQ(kindOf({200, "not json"}).first, ListingError::Kind::kServer);
}

// Shapes that recorded answers show or hint at: current bids on fixed-price items, numbers
// as text, items without a listing number, warnings without words, totals that say nothing.
TEST(SearchAnswerTest, OlderAndOddAnswersReadAsTheyPlainlySay) {
  const ListingPage page = ReadSearchAnswer(R"({"total": "83",
    "warnings": [{"errorId": 12017}, {"domain": "API_BROWSE"}],
    "itemSummaries": [
      {"itemId": "v1|11|0", "buyingOptions": ["FIXED_PRICE", "BEST_OFFER"], "bidCount": 3,
       "price": {"value": "30.00", "currency": "GBP"},
       "currentBidPrice": {"value": "20.00", "currency": "GBP"}},
      {"itemId": "v1|12|345", "buyingOptions": ["FIXED_PRICE", "AUCTION"], "bidCount": "17",
       "price": {"value": "99.00", "currency": "USD"}},
      {"itemId": "item-3", "buyingOptions": [], "bidCount": "many",
       "currentBidPrice": {"currency": "EUR"}, "price": {"value": 12.5, "currency": "USD"}}]})");
  EXPECT_EQ(page.total, 83);
  EXPECT_EQ(page.warnings, std::vector<std::string>{"warning 12017"});
  ASSERT_EQ(page.items.size(), 3u);
  const ListedItem& fixed = page.items[0];
  EXPECT_FALSE(fixed.auction);
  EXPECT_EQ(fixed.price + " " + fixed.currency, "30.00 GBP");  // no bid on a fixed price
  EXPECT_EQ(fixed.legacyItemId, "11");
  EXPECT_EQ(fixed.bidCount, 3);
  const ListedItem& noBid = page.items[1];
  EXPECT_TRUE(noBid.auction);
  EXPECT_EQ(noBid.price, "99.00");
  EXPECT_EQ(noBid.legacyItemId, "12");  // the listing's number, not the variation's
  EXPECT_EQ(noBid.bidCount, 17);
  const ListedItem& odd = page.items[2];
  EXPECT_TRUE(odd.auction);  // no buying options listed
  EXPECT_EQ(odd.price + " " + odd.currency, "12.5 USD");
  EXPECT_EQ(odd.legacyItemId, "");
  EXPECT_EQ(odd.bidCount, 0);
  EXPECT_EQ(odd.endDate, "");

  // No total, or none that counts: unknown, so that the search counts pages instead.
  for (const char* answer :
       {R"({})", R"({"total": -4})", R"({"total": 1.5})", R"({"total": "x"})"}) {
    EXPECT_EQ(ReadSearchAnswer(answer).total, -1) << answer;
  }
  EXPECT_EQ(ReadSearchAnswer(R"({"total": 0})").total, 0);
  EXPECT_THROW(ReadSearchAnswer(R"([{"itemId": "v1|1|0"}])"), ListingError);
}

TEST(ApiSettingsTest, TheEnvironmentWinsOverTheSettings) {
  ApiSettings settings;
  settings.clientId = "from settings";
  settings.marketplace = "EBAY_GB";
  const ApiSettings merged =
      WithEnvironment(settings, [](const char* name) -> std::optional<std::string> {
        if (std::string(name) == "LOTWISE_SOURCE") return "api";
        if (std::string(name) == "LOTWISE_API_CLIENT_ID") return "from environment";
        return std::nullopt;
      });
  EXPECT_EQ(merged.source, SearchSource::kMarketplaceApi);
  EXPECT_EQ(merged.clientId, "from environment");
  EXPECT_EQ(merged.marketplace, "EBAY_GB");
  EXPECT_EQ(merged.baseUrl, "https://api.ebay.com/buy/browse/v1");
  EXPECT_EQ(CurrencyOf("EBAY_AU"), "AUD");
}

}  // namespace
}  // namespace lotwise
