#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/api_faults.h"
#include "sample-marketplace/api_request.h"
#include "sample-marketplace/api_token.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"

namespace lotwise::sample {

// How the sample marketplace's API behaves.
struct ApiSettings {
  std::string clientId = "sample-client-id";  // the credentials a token request must carry
  std::string clientSecret = "sample-client-secret";
  std::chrono::seconds tokenLifetime{7200};  // the expires_in of every token
  ApiFault fault = ApiFault::kNone;
  std::uint64_t faultAfter = 0;  // searches with a good token answered normally first
  bool faultOnce = false;        // rate-limit and server-error: only one search meets it
  // Categories searched with words only (409, error 12013, without q), as the real
  // marketplace's top-level categories are; none by default, so that the sample's
  // categories can be searched as the classic pages search them.
  std::vector<int> topLevelCategories;
};

// The currency of the marketplace with that id ("EBAY_US": "USD"); empty for a
// marketplace the API does not serve.
std::string_view MarketplaceCurrency(std::string_view marketplaceId);

// The marketplace's Browse API over the sample's items, at the real API's paths: the
// application token (POST kTokenPath) and the item search (GET kSearchPath), which takes
// a token from the former, the marketplace id (X-EBAY-C-MARKETPLACE-ID, EBAY_US when
// absent) and the partner's ids (X-EBAY-C-ENDUSERCTX:
// "affiliateCampaignId=<id>,affiliateReferenceId=<ref>"), and lists the matching
// current items in item number order. Safe to use from several threads.
class ApiMock {
 public:
  ApiMock(const std::vector<Item>& items, const ApiSettings& settings);

  // Whether requests for that path are the API's.
  static bool Serves(std::string_view path);

  // The answer to a request for a path the API serves. Item pages and pictures are addressed at
  // `itemHost`, the pages of a search at `ownHost` ("127.0.0.1:8080").
  Reply Answer(const ApiRequest& request, std::string_view itemHost, std::string_view ownHost);

 private:
  Reply Search(const ApiRequest& request, std::string_view itemHost, std::string_view ownHost);

  const std::vector<Item>& items_;
  std::vector<int> topLevelCategories_;
  TokenIssuer tokens_;
  ApiFaultPlan faults_;
};

}  // namespace lotwise::sample
