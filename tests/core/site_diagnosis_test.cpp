// What a page of the site without results shows instead: the classic messages in their
// order, without the classic layout test, and the site's own notices.

#include <gtest/gtest.h>

#include <string>

#include "collect/diagnosis.h"

namespace lotwise {
namespace {

TEST(SiteDiagnosis, EveryPageItKnowsGetsItsMessageInTheClassicOrder) {
  const std::string filler(200000, 'x');
  const std::string robot =
      "The marketplace showed a robot check instead of results. Open the marketplace in your "
      "browser, wait a while, then try again.";
  const std::string error =
      "The marketplace's server answered with an error page instead of results. Try again later.";
  const std::string nothing = "The marketplace found no items for this search.";
  struct Case {
    std::string page;
    int status;
    std::optional<std::string> message;
  };
  const Case cases[] = {
      {"<title>Pardon Our Interruption</title>", 503,
       "The marketplace refused the request (HTTP 503)."},
      {"<title>Pardon our interruption...</title>", 200, robot},
      {"<title>Nous sommes d\xC3\xA9sol\xC3\xA9s...</title>" + filler, 200, robot},
      {"\xEF\xBB\xBF<!DOCTYPE html><title>Security measure | eBay</title>", 200, robot},
      {"<title>Sign in or Register | eBay</title><input type=\"password\">", 200,
       "The marketplace asked to sign in instead of showing results."},
      {"<title>Error Page | eBay</title>", 200, error},
      {filler + "<div class=s-message__content>There seems to be a problem completing the "
                "request at present.</div>",
       200, "The marketplace could not complete the search just now. Try again later."},
      {"<h1 class=srp-controls__count-heading><span class=BOLD>0</span> results for "
       "<span class=BOLD>lamp</span></h1>" +
           filler,
       200, nothing},
      {filler + "<li class=\"srp-river-answer srp-river-answer--REWRITE_START\">", 200, nothing},
      // Neither a count of 0 nor cards only after the divider: a page of some other kind.
      {"<h1 class=srp-controls__count-heading><span>1,230</span> results</h1>", 200, std::nullopt},
      {"<h1 class=srp-controls__count-heading>10 results</h1><ul class=srp-results>", 200,
       std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page.substr(0, 80));
    EXPECT_EQ(SiteDiagnosis({c.page, c.status}), c.message);
  }
}

}  // namespace
}  // namespace lotwise
