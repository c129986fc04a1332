#pragma once

#include "app/config.h"

namespace lotwise::testing {

// Distinct, recognisable values so that tests can tell every configured value apart.
inline Config TestConfig() {
  Config config;
  config.searchHost = "search.test";
  config.descriptionSearchHost = "desc.test";
  config.completedSearchHost = "completed.test";
  config.listingsHost = "listings.test";
  config.itemPageHost = "items.test";
  config.affiliateHost = "aff.test";
  config.browseLinkId = "111";
  config.itemPageLinkId = "222";
  config.publisherId = "999";
  config.publisherWebsiteHost = "publisher.test";
  config.contactAddress = "author@publisher.test";
  config.discussionGroup = "groups.test/lotwise";
  return config;
}

}  // namespace lotwise::testing
