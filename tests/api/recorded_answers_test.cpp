// The API's answers as others recorded them from the live service and its sandbox
// (../shared/api-answers): every search answer read item by item as the plain reading
// reads it, every error answer a ListingError of its kind, every token answer a token
// or a refusal of the credentials.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "api/api_source.h"
#include "api/plain_answer_reading.h"
#include "api/recorded_exchange.h"
#include "support/files.h"

namespace lotwise {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Kind = ListingError::Kind;

const fs::path kAnswers = fs::path(LOTWISE_SHARED_DIR) / "api-answers";

struct Recorded {
  std::string name;
  std::string bytes;
  json document;
};

// The answers of each kind, told apart by their shape: an OAuth answer has an
// access_token or an error, an error answer an errors[] array; every other one, an
// object or a bare list of items, is a search answer.
struct RecordedAnswers {
  std::vector<Recorded> searches, errors, tokens;
};

RecordedAnswers ReadRecorded() {
  RecordedAnswers answers;
  for (const auto& entry : fs::directory_iterator(kAnswers)) {
    if (entry.path().extension() != ".json") continue;
    Recorded answer{entry.path().filename().string(), testing::ReadFile(entry.path()), {}};
    answer.document = json::parse(answer.bytes);
    const json& document = answer.document;
    if (document.is_object() && (document.contains("access_token") || document.contains("error"))) {
      answers.tokens.push_back(std::move(answer));
    } else if (document.is_object() && document.contains("errors")) {
      answers.errors.push_back(std::move(answer));
    } else {
      answers.searches.push_back(std::move(answer));
    }
  }
  return answers;
}

class RecordedAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kAnswers)) {
      GTEST_SKIP() << "No recorded answers of the API: " << kAnswers
                   << " is absent (it lives beside the checkout, not in it).";
    }
    answers = ReadRecorded();
    settings.clientId = "id";
    settings.clientSecret = "secret";
    settings.baseUrl = "https://api.test/buy/browse/v1";
    settings.tokenUrl = "https://api.test/identity/v1/oauth2/token";
  }
  RecordedAnswers answers;
  ApiSettings settings;
  testing::RecordedSender http;
  testing::MovableClock clock;
};

TEST_F(RecordedAnswersTest, EverySearchAnswerReadsAsItsJsonPlainlySays) {
  ASSERT_FALSE(answers.searches.empty());
  int items = 0, auctions = 0, currentBids = 0;
  for (const Recorded& answer : answers.searches) {
    SCOPED_TRACE(answer.name);
    // Some were kept as the bare list of a search's items: an answer holds them as its
    // itemSummaries.
    const bool bare = answer.document.is_array();
    const json document = bare ? json{{"itemSummaries", answer.document}} : answer.document;
    const ListingPage plain = testing::PlainPage(document);
    ListingPage read;
    ASSERT_NO_THROW(read = ReadSearchAnswer(bare ? document.dump() : answer.bytes));
    EXPECT_EQ(read.total, plain.total);
    EXPECT_EQ(read.next, plain.next);
    EXPECT_EQ(read.warnings, plain.warnings);
    ASSERT_EQ(read.items.size(), plain.items.size());
    for (std::size_t i = 0; i < plain.items.size(); ++i) {
      EXPECT_EQ(testing::Described(read.items[i]), testing::Described(plain.items[i]))
          << "item " << i;
      const json& summary = document.at("itemSummaries").at(i);
      auctions += plain.items[i].auction;
      currentBids += plain.items[i].auction && summary.contains("currentBidPrice") &&
                     summary.contains("price") &&
                     summary.at("currentBidPrice").at("value") != summary.at("price").at("value");
    }
    items += static_cast<int>(plain.items.size());
  }
  // The answers hold fixed-price items and auctions whose bid is below their price, so
  // that the comparison decides the choice of price.
  EXPECT_GT(items, auctions);
  EXPECT_GT(currentBids, 0);
}

// The status each error came with: the one the API documents for it, or the one its
// source says.
int StatusOf(long long errorId) {
  static const std::map<long long, int> kStatuses = {
      {1001, 401},   // invalid access token
      {11001, 404},  // no item of that id
      {12001, 400},  // no q, category_ids, ...
  };
  const auto found = kStatuses.find(errorId);
  return found == kStatuses.end() ? 0 : found->second;
}

int StatusOf(const std::string& oauthError) {
  static const std::map<std::string, int> kStatuses = {
      {"invalid_client", 401}, {"invalid_grant", 400}, {"unsupported_grant_type", 400}};
  const auto found = kStatuses.find(oauthError);
  return found == kStatuses.end() ? 0 : found->second;
}

// The error a search ends with, or nothing when it ends without one.
std::optional<ListingError> SearchError(ApiSource& source) {
  try {
    source.Search({});
  } catch (const ListingError& error) {
    return error;
  }
  return std::nullopt;
}

TEST_F(RecordedAnswersTest, ErrorAnswersBecomeListingErrorsOfTheirKind) {
  ASSERT_FALSE(answers.errors.empty());
  for (const Recorded& answer : answers.errors) {
    SCOPED_TRACE(answer.name);
    const json& first = answer.document.at("errors").at(0);
    const int status = StatusOf(first.at("errorId").get<long long>());
    ASSERT_NE(status, 0) << "the status of error " << first.at("errorId") << " is not known";
    const std::string words = first.contains("longMessage")
                                  ? first.at("longMessage").get<std::string>()
                                  : first.at("message").get<std::string>();
    ApiSource source(settings, http, clock);
    http.requests.clear();
    // A 401 gets a new token and one more try, answered the same.
    http.answers = {{200, R"({"access_token": "t1", "expires_in": 7200})"},
                    {status, answer.bytes},
                    {200, R"({"access_token": "t2", "expires_in": 7200})"},
                    {status, answer.bytes}};
    const std::optional<ListingError> error = SearchError(source);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), status == 401 ? Kind::kCredentials : Kind::kRequest);
    EXPECT_EQ(error->status(), status);
    EXPECT_TRUE(
        std::string(error->what()).ends_with("(HTTP " + std::to_string(status) + "): " + words))
        << error->what();
    EXPECT_EQ(http.requests.size(), status == 401 ? 4u : 2u);
  }
}

TEST_F(RecordedAnswersTest, TokenAnswersGiveATokenOrRefuseTheCredentials) {
  ASSERT_FALSE(answers.tokens.empty());
  using namespace std::chrono_literals;
  for (const Recorded& answer : answers.tokens) {
    SCOPED_TRACE(answer.name);
    ApiSource source(settings, http, clock);
    http.requests.clear();
    const json& document = answer.document;
    if (document.contains("error")) {
      const int status = StatusOf(document.at("error").get<std::string>());
      ASSERT_NE(status, 0) << "the status of " << document.at("error") << " is not known";
      http.answers = {{status, answer.bytes}};
      const std::optional<ListingError> error = SearchError(source);
      ASSERT_TRUE(error);
      EXPECT_EQ(error->kind(), Kind::kCredentials);
      EXPECT_TRUE(std::string(error->what())
                      .ends_with(": " + document.at("error_description").get<std::string>()))
          << error->what();
      EXPECT_EQ(http.requests.size(), 1u);  // no search without a token
      continue;
    }
    // The token is sent as given, and kept until five minutes before it expires.
    const std::chrono::seconds lifetime{document.at("expires_in").get<long long>()};
    http.answers = {
        {200, answer.bytes}, {200, "{}"}, {200, "{}"}, {200, answer.bytes}, {200, "{}"}};
    EXPECT_FALSE(SearchError(source));
    EXPECT_EQ(http.Header(1, "Authorization"),
              "Bearer " + document.at("access_token").get<std::string>());
    clock.now += lifetime - 5min - 1s;
    EXPECT_FALSE(SearchError(source));
    EXPECT_EQ(http.requests.size(), 3u);
    clock.now += 1s;
    EXPECT_FALSE(SearchError(source));
    EXPECT_EQ(http.requests.at(3).url, settings.tokenUrl);
  }
}

}  // namespace
}  // namespace lotwise
