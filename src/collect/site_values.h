#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lotwise {

// The values of a result card of the marketplace's site, read from the text the card
// shows (character references decoded, blanks folded: text/blanks.h).

struct SitePrice {
  std::string amount;    // "1234.50"; empty when the text holds no number
  std::string currency;  // "USD"; empty with the amount
};

// The first amount of a price text ("$1,234.50", "EUR 12,50", "12,50 EUR", "3,858 円",
// "AU $5.00", "$10.44 to $15.96"): its digits, "," and "." between digits grouping them,
// except a last one followed by one or two digits, which is the decimal point. The
// currency is that of the sign or code before the number (blanks taken out), else of the
// word after it: a sign or code the table knows, any other three capital letters as a
// code, and otherwise `siteCurrency`. A bare "$" is the site's currency when that is a
// dollar, else "USD".
SitePrice ReadSitePrice(std::string_view text, std::string_view siteCurrency);

// A bid count that is the whole text: a number ("," or "." grouping allowed), an optional
// space and the word for bids in one of the site's languages ("12 bids", "1 Gebot",
// "3 enchères", "2 offerte", "4 pujas", "5 ofertas de subasta", "28件の入札"). Nothing
// for any other text, or a count above 2^31 - 1.
std::optional<int> ReadBidCount(std::string_view text);

// The seconds of a time left ("1d 19h", "Noch 1 T 1 Std", "Quedan 10 h 24 min", "3g 4h"):
// each number of at most six digits, with the unit word that follows it (after one space
// at most), counted: a word starting with "Std" or "std" or 時 is hours, 日 days, 分
// minutes, 秒 seconds, and otherwise by its first letter: d, D, T, g, j days; h, H hours;
// m, M minutes; s, S seconds. Other numbers are left out; the sum stops at 10^10. Nothing
// when no number has a unit ("Ended").
std::optional<std::int64_t> ReadTimeLeft(std::string_view text);

// The date of a sold card's caption ("Sold  Mar 4, 2026", "Verkauft 4. Mär 2026",
// "Vendido 30 ene 2026") as "2026-03-04": among its words (trailing "," and "." left
// out), the first month name or abbreviation of the site's languages, the first number of
// one or two digits from 1 to 31 and the first of four digits. Empty unless all three are
// there.
std::string ReadSoldDate(std::string_view text);

}  // namespace lotwise
