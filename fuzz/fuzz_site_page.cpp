// The reading of the site's result pages against the plain reading the tests hold it to,
// on arbitrary bytes: the same cards, items and next-page link, whatever the page holds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "collect/site_page.h"
#include "fuzz_support.h"
#include "support/plain_site_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);
  // A site whose own currency is not a dollar, so that "$" and the codes each count.
  const lotwise::SiteReading reading{"https://www.ebay.de", "EUR", 1765000000};
  const lotwise::SitePage read = lotwise::ReadSitePage(page, reading);
  const std::string difference =
      lotwise::testing::ReadingDifference(read, lotwise::testing::PlainSiteReading(page, reading));
  if (!difference.empty()) std::fprintf(stderr, "%s\n", difference.c_str());
  FUZZ_EXPECT(difference.empty());
  return 0;
}
