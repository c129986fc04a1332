#include "walkthrough/sample_hosts.h"

#include <string>

namespace lotwise {

Config HostsAt(int port) {
  const std::string host = "127.0.0.1:" + std::to_string(port);
  Config config;
  config.searchHost = host;
  config.descriptionSearchHost = host;
  config.completedSearchHost = host;
  config.listingsHost = host;
  config.itemPageHost = host;
  config.affiliateHost = host;
  config.browseLinkId = "11";
  config.itemPageLinkId = "22";
  config.publisherId = "33";
  config.publisherWebsiteHost = host;
  config.contactAddress = "author@publisher.invalid";
  config.discussionGroup = "groups.invalid/lotwise";
  return config;
}

ApiSettings MockApiAt(int port) {
  ApiSettings settings;
  settings.source = SearchSource::kMarketplaceApi;
  const std::string address = "http://127.0.0.1:" + std::to_string(port);
  settings.baseUrl = address + "/buy/browse/v1";
  settings.tokenUrl = address + "/identity/v1/oauth2/token";
  settings.clientId = "sample-client-id";
  settings.clientSecret = "sample-client-secret";
  return settings;
}

}  // namespace lotwise
