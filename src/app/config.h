#pragma once

#include <string>

namespace lotwise {

// The values fixed for a run. Hosts may carry a port ("127.0.0.1:8080").
struct Config {
  std::string searchHost;             // keyword search, title only
  std::string descriptionSearchHost;  // keyword search, title and description
  std::string completedSearchHost;    // completed-items search
  std::string listingsHost;           // category and featured listings, category overview
  std::string itemPageHost;           // item pages, in keyword-report redirect links
  std::string affiliateHost;          // affiliate redirect service
  std::string browseLinkId;           // decimal number, as text
  std::string itemPageLinkId;         // decimal number, as text
  std::string publisherId;            // decimal number, as text
  std::string publisherWebsiteHost;
  std::string contactAddress;   // e-mail address
  std::string discussionGroup;  // address without "http://"
};

// The values this build was configured with.
Config buildConfig();

// The program's version as every place shows it: major, minor and revision numbers
// joined by "." ("3.2.18").
std::string VersionNumber();

// The name of the source a fresh installation searches ("site", or "classic" in a build
// for other marketplace hosts than the marketplace's own).
std::string DefaultSourceName();

}  // namespace lotwise
