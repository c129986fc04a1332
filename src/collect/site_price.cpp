#include <array>
#include <utility>

#include "collect/site_values.h"

namespace lotwise {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDollar(std::string_view code) {
  static constexpr std::array<std::string_view, 6> kDollars = {"USD", "CAD", "AUD",
                                                               "NZD", "SGD", "HKD"};
  for (std::string_view dollar : kDollars) {
    if (code == dollar) return true;
  }
  return false;
}

std::string CurrencyOf(std::string_view sign, std::string_view siteCurrency) {
  static constexpr std::pair<std::string_view, std::string_view> kSigns[] = {
      {"US$", "USD"},          {"C$", "CAD"},          {"CA$", "CAD"},
      {"AU$", "AUD"},          {"A$", "AUD"},          {"NZ$", "NZD"},
      {"S$", "SGD"},           {"HK$", "HKD"},         {"\xC2\xA3", "GBP"},
      {"\xE2\x82\xAC", "EUR"}, {"\xC2\xA5", "JPY"},    {"\xE5\x86\x86", "JPY"},
      {"\xEF\xBF\xA5", "JPY"}, {"S/.", "PEN"},         {"R$", "BRL"},
      {"z\xC5\x82", "PLN"},    {"\xE2\x82\xB9", "INR"}};
  if (sign == "$") return IsDollar(siteCurrency) ? std::string(siteCurrency) : "USD";
  for (const auto& [known, code] : kSigns) {
    if (sign == known) return std::string(code);
  }
  if (sign.size() == 3) {
    bool code = true;
    for (char c : sign) code = code && c >= 'A' && c <= 'Z';
    if (code) return std::string(sign);
  }
  return std::string(siteCurrency);
}

}  // namespace

SitePrice ReadSitePrice(std::string_view text, std::string_view siteCurrency) {
  std::size_t first = 0;
  while (first < text.size() && !IsDigit(text[first])) ++first;
  if (first == text.size()) return {};
  // The digits, and where the last group after a separator starts in them.
  std::string digits;
  std::size_t lastGroup = std::string::npos;
  std::size_t i = first;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digits.push_back(c);
    } else if ((c == ',' || c == '.') && i + 1 < text.size() && IsDigit(text[i + 1])) {
      lastGroup = digits.size();
    } else {
      break;
    }
  }
  SitePrice price;
  if (lastGroup != std::string::npos && digits.size() - lastGroup <= 2) {
    price.amount = digits.substr(0, lastGroup) + "." + digits.substr(lastGroup);
  } else {
    price.amount = digits;
  }
  std::string sign;
  for (char c : text.substr(0, first)) {
    if (c != ' ') sign.push_back(c);
  }
  if (sign.empty()) {
    std::string_view after = text.substr(i);
    if (after.starts_with(' ')) after.remove_prefix(1);
    sign = after.substr(0, after.find(' '));
  }
  price.currency = CurrencyOf(sign, siteCurrency);
  return price;
}

}  // namespace lotwise
