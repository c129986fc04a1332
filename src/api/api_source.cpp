#include "api/api_source.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "api/json_fields.h"
#include "api/search_answer.h"
#include "search/search_state.h"
#include "text/percent_encoding.h"

namespace lotwise {
namespace {

using api::Json;
using api::Text;
using Kind = ListingError::Kind;

constexpr std::chrono::minutes kRenewEarly{5};
constexpr std::chrono::seconds kLongestLifetime{24 * 3600};
constexpr char kTokenForm[] =
    "grant_type=client_credentials&scope=https%3A%2F%2Fapi.ebay.com%2Foauth%2Fapi_scope";

// The first error's words of an answer in the API's errors[] shape; empty when none.
std::string ErrorWords(const Json& answer) {
  const auto errors = answer.find("errors");
  if (errors == answer.end() || !errors->is_array() || errors->empty()) return {};
  const Json& first = errors->front();
  if (!first.is_object()) return {};
  std::string words = Text(first, "longMessage");
  if (words.empty()) words = Text(first, "message");
  return words;
}

[[noreturn]] void Refused(const HttpResponse& response) {
  const Json answer = Json::parse(response.body, nullptr, false);
  const std::string words = answer.is_object() ? ErrorWords(answer) : std::string();
  const std::string status = " (HTTP " + std::to_string(response.status) + ")";
  if (response.status == 429) {
    throw ListingError(Kind::kCallLimit, response.status, "the daily call limit" + status);
  }
  if (response.status >= 500) {
    throw ListingError(
        Kind::kServer, response.status,
        "the marketplace's server failed" + status + (words.empty() ? "" : ": " + words));
  }
  if (response.status == 401 || response.status == 403) {
    throw ListingError(
        Kind::kCredentials, response.status,
        "The marketplace refused the access token" + status + (words.empty() ? "." : ": " + words));
  }
  throw ListingError(
      Kind::kRequest, response.status,
      "The marketplace refused the search" + status + (words.empty() ? "." : ": " + words));
}

}  // namespace

ApiSource::ApiSource(ApiSettings settings, HttpSender& http, const Clock& clock)
    : settings_(std::move(settings)), http_(http), clock_(clock) {}

std::string ApiSource::Currency() const { return CurrencyOf(settings_.marketplace); }

std::string ApiSource::Name() const { return "Marketplace API (" + settings_.marketplace + ")"; }

std::optional<std::string> ApiSource::Lacks(std::int16_t searchKind) const {
  if (searchKind == kFeaturedSearch) {
    return "The marketplace's API offers no search for featured auctions: choose \"Classic "
           "pages\" in Settings for it.";
  }
  if (searchKind == kCompletedSearch) {
    return "The marketplace's API offers no search for completed items: they are only in its "
           "Marketplace Insights API, which is closed to new applications.";
  }
  return std::nullopt;
}

int ApiSource::PageSize() const { return ListingQuery{}.limit; }

std::string ApiSource::SearchAddress(const ListingQuery& query) const {
  std::string url = settings_.baseUrl + "/item_summary/search?";
  if (!query.keywords.empty()) url += "q=" + PercentEncoded(query.keywords) + "&";
  if (!query.categoryId.empty()) url += "category_ids=" + PercentEncoded(query.categoryId) + "&";
  if (!query.filter.empty()) url += "filter=" + PercentEncoded(query.filter) + "&";
  url += "limit=" + std::to_string(query.limit) + "&offset=" + std::to_string(query.offset);
  return url;
}

ListingPage ApiSource::Search(const ListingQuery& query) { return Page(SearchAddress(query)); }

ListingPage ApiSource::Next(const std::string& next) { return Page(next); }

// A request cut short because the search was stopped: the page asked for is given empty.
struct ApiSource::Stopped {};

HttpResponse ApiSource::Sent(const HttpRequest& request) {
  HttpResponse response = http_.Send(request);
  if (response.stopped()) throw Stopped{};
  return response;
}

const std::string& ApiSource::Token() {
  if (!token_.empty() && clock_.Now() < renewAt_) return token_;
  token_.clear();
  HttpRequest request;
  request.url = settings_.tokenUrl;
  request.formBody = kTokenForm;
  request.headers = {{"Content-Type", "application/x-www-form-urlencoded"}};
  request.user = settings_.clientId;
  request.password = settings_.clientSecret;
  const HttpResponse response = Sent(request);
  const Json answer = Json::parse(response.body, nullptr, false);
  if (response.status != 200 || !answer.is_object() || Text(answer, "access_token").empty()) {
    std::string words = answer.is_object() ? Text(answer, "error_description") : "";
    if (words.empty() && answer.is_object()) words = Text(answer, "error");
    throw ListingError(Kind::kCredentials, response.status,
                       "The marketplace did not give a token for the client id and secret "
                       "(HTTP " +
                           std::to_string(response.status) + ")" +
                           (words.empty() ? "." : ": " + words));
  }
  token_ = Text(answer, "access_token");
  // Held within a day, so that the time of renewal cannot overflow.
  std::chrono::seconds lifetime{7200};
  if (const auto expires = answer.find("expires_in"); expires != answer.end()) {
    lifetime = std::chrono::seconds(std::clamp<long long>(
        api::WholeNumber(*expires).value_or(lifetime.count()), 0, kLongestLifetime.count()));
  }
  renewAt_ = clock_.Now() + lifetime - kRenewEarly;
  return token_;
}

HttpResponse ApiSource::Ask(const std::string& url) {
  HttpRequest request;
  request.url = url;
  request.headers = {{"Authorization", "Bearer " + Token()},
                     {"X-EBAY-C-MARKETPLACE-ID", settings_.marketplace}};
  if (!settings_.campaignId.empty()) {
    request.headers.push_back(
        {"X-EBAY-C-ENDUSERCTX", "affiliateCampaignId=" + settings_.campaignId});
  }
  return Sent(request);
}

ListingPage ApiSource::Page(const std::string& url) {
  try {
    HttpResponse response = Ask(url);
    if (response.status == 401) {
      // An expired (or revoked) token: one new token, one more try.
      token_.clear();
      response = Ask(url);
    }
    if (response.status != 200) Refused(response);
    return ReadSearchAnswer(response.body);
  } catch (const Stopped&) {
    return {};  // the search was stopped: it reads nothing more
  }
}

}  // namespace lotwise
