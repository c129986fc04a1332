#pragma once

#include <chrono>
#include <string>

namespace lotwise {

// The shortest time from one request to the site to the next, whatever the settings say:
// the site answers a client that asks faster with its robot check.
inline constexpr std::chrono::milliseconds kShortestSitePause{1000};

// What searching the marketplace's site needs.
struct SiteSourceSettings {
  // Whose site is searched and in which currency its prices are read (platform/
  // marketplaces.h).
  std::string marketplace = "EBAY_US";
  // The address searched instead of the marketplace's site when not empty, without a
  // trailing "/": the sample marketplace ("http://127.0.0.1:8642", or ".../de" for its
  // German pages), a test's server.
  std::string baseUrl;
  // From the start of one request to the start of the next; never shorter than
  // kShortestSitePause.
  std::chrono::milliseconds pause = kShortestSitePause;
};

}  // namespace lotwise
