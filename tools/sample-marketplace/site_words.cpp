#include "sample-marketplace/site_words.h"

#include <array>
#include <chrono>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/markup.h"

namespace lotwise::sample {
namespace {

using namespace std::chrono;

constexpr SitePhrases kEnglish{
    "en",
    " results for ",
    " results found for ",
    "No exact matches found",
    "Results matching fewer words",
    "Opens in a new window or tab",
    "Time left",
    "Pre-owned",
    "Search results",
    "Results pages - page ",
    "Go to the previous page of results",
    "Go to the next page of results",
    "Shop on eBay",
};

constexpr SitePhrases kGerman{
    "de",
    " Ergebnisse f\xC3\xBCr ",
    " Ergebnisse gefunden f\xC3\xBCr ",
    "Keine genauen Treffer gefunden",
    "Ergebnisse f\xC3\xBCr weniger Suchbegriffe",
    "Wird in neuem Fenster oder Tab ge\xC3\xB6"
    "ffnet",
    "Restzeit",
    "Gebraucht",
    "Suchergebnisse",
    "Ergebnisseiten - Seite ",
    "Zur vorigen Seite der Ergebnisse",
    "Zur n\xC3\xA4"
    "chsten Seite der Ergebnisse",
    "Shop on eBay",
};

constexpr std::array<std::string_view, 12> kGermanMonths{
    "Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// 1234567 as "1,234,567" or "1.234.567".
std::string Grouped(long long number, char separator) {
  std::string digits = std::to_string(number);
  for (auto i = static_cast<long long>(digits.size()) - 3; i > 0; i -= 3) {
    digits.insert(static_cast<std::size_t>(i), 1, separator);
  }
  return digits;
}

std::string TwoDigits(int cents) {
  return std::string(1, static_cast<char>('0' + cents / 10)) + static_cast<char>('0' + cents % 10);
}

// The two largest units of a time, a zero second one left out, as "<n><unit>" pieces
// joined by blanks.
std::string TwoUnits(std::int64_t minutes, std::array<std::string_view, 3> units) {
  const std::int64_t days = minutes / (24 * 60);
  const std::int64_t hours = minutes / 60 % 24;
  const auto piece = [&](std::int64_t n, std::size_t unit) {
    return std::to_string(n) + std::string(units[unit]);
  };
  if (days > 0) return piece(days, 0) + (hours > 0 ? " " + piece(hours, 1) : "");
  if (hours > 0) return piece(hours, 1) + (minutes % 60 > 0 ? " " + piece(minutes % 60, 2) : "");
  return piece(minutes, 2);
}

}  // namespace

const SitePhrases& PhrasesOf(SiteLanguage language) {
  return language == SiteLanguage::kGerman ? kGerman : kEnglish;
}

std::string SitePrice(int cents, SiteLanguage language) {
  if (language == SiteLanguage::kGerman) {
    return "EUR " + Grouped(cents / 100, '.') + "," + TwoDigits(cents % 100);
  }
  return "$" + Grouped(cents / 100, ',') + "." + TwoDigits(cents % 100);
}

std::string SiteBids(long long count, SiteLanguage language) {
  if (count <= 0) return {};
  if (language == SiteLanguage::kGerman) {
    return Grouped(count, '.') + (count == 1 ? " Gebot" : " Gebote");
  }
  return Grouped(count, ',') + (count == 1 ? " bid" : " bids");
}

std::string SiteTimeLeft(std::int64_t seconds, SiteLanguage language) {
  const std::int64_t minutes = seconds > 0 ? seconds / 60 : 0;
  if (language == SiteLanguage::kGerman) return "Noch " + TwoUnits(minutes, {" T", " Std", " Min"});
  return TwoUnits(minutes, {"d", "h", "m"}) + " left";
}

std::string SiteSoldDate(std::int64_t end, SiteLanguage language) {
  const year_month_day date{floor<days>(sys_seconds(seconds(end)))};
  const auto month = static_cast<unsigned>(date.month()) - 1;
  const std::string day = std::to_string(static_cast<unsigned>(date.day()));
  const std::string year = std::to_string(static_cast<int>(date.year()));
  if (language == SiteLanguage::kGerman) {
    return "Verkauft  " + day + ". " + std::string(kGermanMonths[month]) + " " + year;
  }
  return "Sold  " + std::string(kEndTimeMonths[month]) + " " + day + ", " + year;
}

std::string SiteDelivery(std::int64_t number, SiteLanguage language) {
  const std::uint32_t choice = Variation(number, 41) % 4;
  const bool german = language == SiteLanguage::kGerman;
  if (choice == 0) return german ? "Kostenloser Versand" : "Free delivery";
  const int cents = static_cast<int>(choice) * 250 + 199;
  return "+" + SitePrice(cents, language) + (german ? " Versand" : " delivery");
}

}  // namespace lotwise::sample
