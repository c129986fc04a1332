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

}  // namespace lotwise
