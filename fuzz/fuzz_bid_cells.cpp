// The bid readers of the page-file lines: StripBid for the category (2), featured (3)
// and completed-items (4) searches, and GrabBid for the
// keyword search. Their counts must be those of a plain reading of the cells, and never
// below 0 or above what a count holds (32,767).
//
// Input: one control byte (bits 0-2: search kind 1-8, where only 2-4 read cells; bit 4:
// StopRequested for GrabBid; the others unused), then the line.

#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "report/bid_text.h"
#include "report/grab_bid.h"
#include "report/strip_bid.h"
#include "support/plain_rewrite.h"

namespace {

using lotwise::testing::PlainFind;

// The count of the last cell the reading reaches: each cell from the end of its start
// marker to its end marker; the next start searched from the sum of the two positions.
std::int16_t PlainCellCount(std::string_view line, std::string_view start, std::string_view end) {
  std::int16_t result = 0;
  for (std::size_t p = PlainFind(line, start, 1, true); p > 0;) {
    const std::size_t s = p + start.size();
    const std::size_t e = PlainFind(line, end, s, true);
    if (e == 0) return 0;
    result = lotwise::BidTextCount(s <= line.size() ? line.substr(s - 1, e - s) : "");
    p = PlainFind(line, start, p + e, false);
  }
  return result;
}

bool InCellRange(std::int16_t count) { return count >= 0; }  // int16_t holds the rest

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  const std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto kind = static_cast<std::int16_t>((control & 7) + 1);
  const int stopRequested = (control >> 4) & 1;

  const std::int16_t stripped = StripBid(line, kind);
  FUZZ_EXPECT(InCellRange(stripped));
  if (kind == 2) {
    FUZZ_EXPECT(stripped == PlainCellCount(line, "</TD><TD ALIGN=CENTER WIDTH=\"10%\">", "<br>"));
  } else if (kind == 4) {
    FUZZ_EXPECT(stripped ==
                PlainCellCount(line, "</td><td align=center valign=top width=10%><font size=3>",
                               "<BR><img"));
  } else if (kind != 3) {
    FUZZ_EXPECT(stripped == 0);
  }

  const std::int16_t grabbed = GrabBid(line, stopRequested);
  FUZZ_EXPECT(InCellRange(grabbed));
  const std::int16_t plain =
      stopRequested != 0
          ? 0
          : PlainCellCount(
                line, "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">",
                "<br>");
  FUZZ_EXPECT(grabbed == plain);
  return 0;
}
