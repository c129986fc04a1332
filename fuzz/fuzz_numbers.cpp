// The number readers: ToInt16, ToInt32 and IsWholeNumber for totals and page counts,
// RoundToInt16 and MinimumBidCount for the typed minimum, BidTextCount for bid cells.
// Each must agree with a plain reading of the text (blanks around it, a sign, ","
// grouping between digits) and with the others.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "report/bid_text.h"
#include "search/minimum_bids.h"
#include "text/numbers.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a whole number in the accepted form, when it fits in 64 bits.
std::optional<std::int64_t> PlainWhole(std::string_view text, bool& wellFormed) {
  wellFormed = false;
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string digits;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    if (text.front() == '-') digits = "-";
    text.remove_prefix(1);
  }
  if (text.empty() || !IsDigit(text.front()) || !IsDigit(text.back())) return std::nullopt;
  for (char c : text) {
    if (IsDigit(c)) {
      digits += c;
    } else if (c != ',') {
      return std::nullopt;
    }
  }
  wellFormed = true;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto to16 = ToInt16(text);
  const auto to32 = ToInt32(text);
  const bool whole = IsWholeNumber(text);
  const auto rounded = RoundToInt16(text);
  const std::int16_t minimum = MinimumBidCount(text);
  const std::int16_t bid = BidTextCount(text);

  bool wellFormed = false;
  const std::optional<std::int64_t> plain = PlainWhole(text, wellFormed);
  FUZZ_EXPECT(whole == wellFormed);
  const bool fits32 = plain && *plain >= std::numeric_limits<std::int32_t>::min() &&
                      *plain <= std::numeric_limits<std::int32_t>::max();
  const bool fits16 = plain && *plain >= std::numeric_limits<std::int16_t>::min() &&
                      *plain <= std::numeric_limits<std::int16_t>::max();
  FUZZ_EXPECT(to32.has_value() == fits32);
  if (to32) FUZZ_EXPECT(*to32 == *plain);
  FUZZ_EXPECT(to16.has_value() == fits16);
  if (to16) FUZZ_EXPECT(*to16 == *plain);

  if (to16) FUZZ_EXPECT(rounded == to16);
  if (text.find('.') == std::string_view::npos) FUZZ_EXPECT(rounded == to16);
  if (rounded) {
    FUZZ_EXPECT(minimum == *rounded);
  } else {
    FUZZ_EXPECT(minimum == 0 || minimum == std::numeric_limits<std::int16_t>::min() ||
                minimum == std::numeric_limits<std::int16_t>::max());
  }
  if (whole && !fits16) {
    FUZZ_EXPECT(minimum == (text.find('-') != std::string_view::npos
                                ? std::numeric_limits<std::int16_t>::min()
                                : std::numeric_limits<std::int16_t>::max()));
  }

  // A bid cell counts a whole number without a sign, grouped by single commas, up to what a
  // count holds; a sign, a point, a word or any other character counts 0.
  FUZZ_EXPECT(bid >= 0 && bid <= std::numeric_limits<std::int16_t>::max());
  const bool hasSign = text.find_first_of("+-") != std::string_view::npos;
  if (wellFormed && !hasSign && text.find(",,") == std::string_view::npos) {
    const std::int64_t most = std::numeric_limits<std::int16_t>::max();
    FUZZ_EXPECT(bid == (plain ? std::min(*plain, most) : most));
  }
  if (text.find('<') == std::string_view::npos &&
      text.find_first_not_of("0123456789, \t") != std::string_view::npos) {
    FUZZ_EXPECT(bid == 0);
  }
  return 0;
}
