// The link rewriters of the report rows: SwitchUrl (keyword rows) and AddAffliate with
// CgiConvert (category, featured and completed-items rows) must give exactly the row
// that a plain step-by-step rewriting of the line gives, whatever the line holds.
// RemoveActiveContent, on those rows and on the line itself, must leave nothing a browser
// would run, read with a plain tokenizer both as a page is mostly read and as inside a
// select element (text elements read as markup), nor a row that runs on into the next one,
// in each row and in the rows joined; must leave a row without any such thing as it is,
// and a row it has cleaned as it is.
//
// Input: one control byte (bit 0: StopRequested for SwitchUrl), then the line.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "plain_markup.h"
#include "report/active_content.h"
#include "report/affiliate.h"
#include "report/line_rows.h"
#include "report/switch_url.h"
#include "support/plain_rewrite.h"
#include "support/test_config.h"

namespace {

using lotwise::fuzz::PlainInactive;
using lotwise::fuzz::PlainRead;
using lotwise::fuzz::PlainSameTokens;
using lotwise::testing::PlainAddAffliate;
using lotwise::testing::PlainCgiConvert;
using lotwise::testing::PlainFind;

// The keyword rewriting loop on one text that changes as it goes: each double-quoted
// link holding "item=" and, after it, "&amp;c" becomes the redirect link with the new
// window suffix; the search goes on just after the old closing quote's position in the
// line as it now stands. An "http://" without a quote after it ends the loop.
std::string PlainSwitchUrl(std::string line, const lotwise::Config& config) {
  std::size_t start = 1;
  for (std::size_t p = PlainFind(line, "http://", start, true); p > 0;
       p = PlainFind(line, "http://", start, true)) {
    const std::size_t q = PlainFind(line, "\"", p + 1, false);
    if (q == 0) break;
    const std::string link = line.substr(p - 1, q - p);
    const std::size_t i = PlainFind(link, "item=", 1, true);
    if (i > 0) {
      const std::size_t a = PlainFind(link, "&amp;c", i + 5, true);
      if (a > 0) {
        const std::string item = link.substr(i + 4, a - i - 5);
        line = line.substr(0, p - 1) + lotwise::CreateHyperlink(item, config) +
               "\"target=\"_new\"" + line.substr(q);
      }
    }
    start = q + 1;
  }
  return line;
}

bool Inactive(std::string_view html) {
  return PlainInactive(PlainRead(html, true)) && PlainInactive(PlainRead(html, false));
}

// The row without active content, checked.
std::string Cleaned(const std::string& row) {
  std::string cleaned = row;
  const bool changed = lotwise::RemoveActiveContent(cleaned);
  FUZZ_EXPECT(changed == (cleaned != row));
  FUZZ_EXPECT(Inactive(cleaned));
  // Kept as it is when nothing in it would run and it reads the same with text elements
  // read as text and as markup.
  const lotwise::fuzz::PlainReading asText = PlainRead(row, true);
  const lotwise::fuzz::PlainReading asMarkup = PlainRead(row, false);
  if (PlainInactive(asText) && PlainInactive(asMarkup) && PlainSameTokens(asText, asMarkup)) {
    FUZZ_EXPECT(!changed);
  }
  std::string again = cleaned;
  FUZZ_EXPECT(!lotwise::RemoveActiveContent(again));
  return cleaned;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const int stopRequested = data[0] & 1;
  const std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);
  static const Config config = testing::TestConfig();

  const std::string switched = SwitchUrl(line, config, stopRequested);
  FUZZ_EXPECT(switched ==
              (stopRequested ? std::string(line) : PlainSwitchUrl(std::string(line), config)));

  const std::string anchor = "<a href=\"http://" + config.affiliateHost + "/click-" +
                             config.browseLinkId + "-" + config.publisherId + "?loc=http%3A";
  FUZZ_EXPECT(CgiConvert(line, config) == PlainCgiConvert(std::string(line), anchor));
  const std::string affiliated = AddAffliate(line, config);
  FUZZ_EXPECT(affiliated == PlainAddAffliate(std::string(line), anchor));

  const std::string listingRow = Cleaned(affiliated);
  const std::string searchRow = Cleaned(switched);
  FUZZ_EXPECT(AffiliateRow(line, config) == listingRow);
  FUZZ_EXPECT(ItemLinkRow(line, config, stopRequested) == searchRow);
  FUZZ_EXPECT(Inactive(Cleaned(std::string(line)) + listingRow + searchRow + listingRow));
  return 0;
}
