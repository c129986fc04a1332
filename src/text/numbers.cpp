#include "text/numbers.h"

#include <limits>

#include "text/characters.h"
namespace lotwise {
namespace {

constexpr std::int64_t kTooLarge = std::int64_t{1} << 40;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

struct Parsed {
  bool negative = false;
  std::int64_t whole = 0;     // magnitude, capped at kTooLarge
  std::string_view fraction;  // digits after the decimal point
};

// Sign, digits with "," grouping, and (when allowed) a decimal point with digits.
std::optional<Parsed> Parse(std::string_view text, bool allowFraction) {
  text = TrimBlanks(text);
  Parsed parsed;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    parsed.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = allowFraction ? text.find('.') : std::string_view::npos;
  std::string_view whole = text.substr(0, point);
  if (point != std::string_view::npos) {
    parsed.fraction = text.substr(point + 1);
    for (char c : parsed.fraction) {
      if (!IsDigit(c)) return std::nullopt;
    }
    if (whole.empty() && parsed.fraction.empty()) return std::nullopt;
  } else if (whole.empty()) {
    return std::nullopt;
  }
  if (!whole.empty() && (!IsDigit(whole.front()) || !IsDigit(whole.back()))) return std::nullopt;
  for (char c : whole) {
    if (c == ',') continue;
    if (!IsDigit(c)) return std::nullopt;
    if (parsed.whole < kTooLarge) parsed.whole = parsed.whole * 10 + (c - '0');
  }
  return parsed;
}

template <typename Int>
std::optional<Int> Fit(bool negative, std::int64_t magnitude) {
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    return std::nullopt;
  }
  return static_cast<Int>(value);
}

// Rounds a magnitude with its fraction digits to the nearest, a half to even.
std::int64_t RoundHalfEven(std::int64_t whole, std::string_view fraction) {
  if (fraction.empty() || fraction.front() < '5') return whole;
  if (fraction.front() > '5') return whole + 1;
  for (char c : fraction.substr(1)) {
    if (c != '0') return whole + 1;
  }
  return (whole % 2 == 0) ? whole : whole + 1;
}

}  // namespace

std::optional<std::int16_t> ToInt16(std::string_view text) {
  const auto parsed = Parse(text, false);
  if (!parsed) return std::nullopt;
  return Fit<std::int16_t>(parsed->negative, parsed->whole);
}

std::optional<std::int32_t> ToInt32(std::string_view text) {
  const auto parsed = Parse(text, false);
  if (!parsed) return std::nullopt;
  return Fit<std::int32_t>(parsed->negative, parsed->whole);
}

bool IsWholeNumber(std::string_view text) { return Parse(text, false).has_value(); }

std::optional<std::int16_t> RoundToInt16(std::string_view text) {
  const auto parsed = Parse(text, true);
  if (!parsed) return std::nullopt;
  return Fit<std::int16_t>(parsed->negative, RoundHalfEven(parsed->whole, parsed->fraction));
}

}  // namespace lotwise
