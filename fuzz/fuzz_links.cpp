// The link rewriters of the report rows: SwitchUrl (keyword rows) and AddAffliate with
// CgiConvert (category, featured and completed-items rows) must give exactly the row
// that a plain step-by-step rewriting of the line gives, whatever the line holds.
//
// Input: one control byte (bit 0: StopRequested for SwitchUrl), then the line.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "report/affiliate.h"
#include "report/switch_url.h"
#include "support/plain_rewrite.h"
#include "support/test_config.h"

namespace {

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
  FUZZ_EXPECT(AddAffliate(line, config) == PlainAddAffliate(std::string(line), anchor));
  return 0;
}
