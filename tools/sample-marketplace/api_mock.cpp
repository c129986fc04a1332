#include "sample-marketplace/api_mock.h"

#include <array>
#include <utility>

#include "sample-marketplace/api_item.h"
#include "sample-marketplace/api_json.h"
#include "sample-marketplace/api_search.h"

namespace lotwise::sample {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kCurrencies{{
    {"EBAY_US", "USD"},
    {"EBAY_GB", "GBP"},
    {"EBAY_DE", "EUR"},
    {"EBAY_FR", "EUR"},
    {"EBAY_IT", "EUR"},
    {"EBAY_ES", "EUR"},
    {"EBAY_AU", "AUD"},
    {"EBAY_CA", "CAD"},
}};

const ApiProblem kInvalidToken{
    1001,
    "Invalid access token. Check the value of the Authorization HTTP request header.",
    {},
    "OAuth"};
const ApiProblem kCallLimit{
    2001, "Too many requests. The request limit has been reached for the resource.", {}, "ACCESS"};
const ApiProblem kInternalError{
    12000,
    "There was a problem with an internal system or process of the marketplace.",
    {},
    "API_BROWSE",
    "APPLICATION"};

// The partner's ids of "affiliateCampaignId=<id>,affiliateReferenceId=<ref>".
struct Partner {
  std::string campaignId;
  std::string referenceId;
};

Partner ReadPartner(std::string_view context) {
  Partner partner;
  for (const std::string_view pair : Pieces(context, ',')) {
    const auto equals = pair.find('=');
    const std::string_view name = pair.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
    if (name == "affiliateCampaignId") partner.campaignId = value;
    if (name == "affiliateReferenceId") partner.referenceId = value;
  }
  return partner;
}

// The address of the page at `offset` of the search `target` asks for: the same
// parameters but limit and offset, then those two.
std::string PageAddress(std::string_view ownHost, std::string_view target, std::size_t limit,
                        std::size_t offset) {
  std::string address = "http://" + std::string(ownHost) + std::string(kSearchPath) + "?";
  const auto question = target.find('?');
  const std::string_view query =
      question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
  for (const std::string_view piece : Pieces(query, '&')) {
    const std::string_view name = piece.substr(0, piece.find('='));
    if (!piece.empty() && name != "limit" && name != "offset") {
      address += piece;
      address += '&';
    }
  }
  return address + "limit=" + std::to_string(limit) + "&offset=" + std::to_string(offset);
}

}  // namespace

std::string_view MarketplaceCurrency(std::string_view marketplaceId) {
  for (const auto& [id, currency] : kCurrencies) {
    if (id == marketplaceId) return currency;
  }
  return {};
}

ApiMock::ApiMock(const std::vector<Item>& items, const ApiSettings& settings)
    : items_(items),
      topLevelCategories_(settings.topLevelCategories),
      tokens_(settings.clientId, settings.clientSecret, settings.tokenLifetime),
      faults_(settings.fault, settings.faultAfter, settings.faultOnce) {}

bool ApiMock::Serves(std::string_view path) { return path == kTokenPath || path == kSearchPath; }

Reply ApiMock::Answer(const ApiRequest& request, std::string_view itemHost,
                      std::string_view ownHost) {
  if (ParseTarget(request.target).path != kTokenPath) return Search(request, itemHost, ownHost);
  if (request.method == "POST") return tokens_.Answer(request);
  return OAuthErrorReply(405, "invalid_request", "a token is asked for with a POST request");
}

Reply ApiMock::Search(const ApiRequest& request, std::string_view itemHost,
                      std::string_view ownHost) {
  if (!tokens_.Accepts(request.Header("Authorization"))) return ErrorReply(401, kInvalidToken);
  switch (faults_.Next()) {
    case ApiFault::kExpiredToken:
      return ErrorReply(401, kInvalidToken);
    case ApiFault::kRateLimit:
      return ErrorReply(429, kCallLimit);
    case ApiFault::kServerError:
      return ErrorReply(500, kInternalError);
    case ApiFault::kNone:
      break;
  }
  std::string marketplace = request.Header("X-EBAY-C-MARKETPLACE-ID");
  if (marketplace.empty()) marketplace = "EBAY_US";
  const std::string_view currency = MarketplaceCurrency(marketplace);
  if (currency.empty()) {
    return ErrorReply(400, {13000,
                            "The marketplace " + marketplace + " is not served.",
                            {{"X-EBAY-C-MARKETPLACE-ID", marketplace}}});
  }
  const ParsedSearch parsed =
      ParseSearch(ParseApiTarget(request.target), currency, topLevelCategories_);
  if (parsed.status != 200) return ErrorReply(parsed.status, parsed.refusal);
  const ApiSearch& search = parsed.search;

  std::vector<const Item*> found;
  for (const Item& item : items_) {
    if (Matches(item, search)) found.push_back(&item);
  }
  const Partner partner = ReadPartner(request.Header("X-EBAY-C-ENDUSERCTX"));
  const SummaryContext context{itemHost, currency, partner.campaignId, partner.referenceId};
  const std::size_t end = search.offset + search.limit;
  Json page = {{"href", PageAddress(ownHost, request.target, search.limit, search.offset)},
               {"total", found.size()}};
  if (end < found.size() && end < kOffsetLimit) {
    page["next"] = PageAddress(ownHost, request.target, search.limit, end);
  }
  if (search.offset > 0) {
    page["prev"] = PageAddress(ownHost, request.target, search.limit, search.offset - search.limit);
  }
  page["limit"] = search.limit;
  page["offset"] = search.offset;
  if (search.offset < found.size()) {
    Json summaries = Json::array();
    for (std::size_t i = search.offset; i < std::min(end, found.size()); ++i) {
      summaries.push_back(ItemSummary(*found[i], context));
    }
    page["itemSummaries"] = std::move(summaries);
  }
  if (!search.warnings.empty()) {
    Json warnings = Json::array();
    for (const ApiProblem& warning : search.warnings) warnings.push_back(ProblemJson(warning));
    page["warnings"] = std::move(warnings);
  }
  return JsonReply(200, page);
}

}  // namespace lotwise::sample
