#include "report/item_report_charts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "report/html_text.h"

namespace lotwise {
namespace {

// The drawing area of both charts, in the SVG's own units.
constexpr int kWidth = 480;
constexpr int kHeight = 240;
constexpr int kLeft = 52;
constexpr int kRight = 12;
constexpr int kTop = 12;
constexpr int kBottom = 36;
constexpr int kPlotWidth = kWidth - kLeft - kRight;
constexpr int kPlotHeight = kHeight - kTop - kBottom;
constexpr int kMostBins = 30;
constexpr std::size_t kMostCurrencies = 4;  // each of its own colour; the rest share one

std::string At(double value) { return std::to_string(std::lround(value)); }

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// A step of 1, 2 or 5 times a power of ten, at least `raw`.
double NiceStep(double raw) {
  if (raw <= 1) return 1;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10 * magnitude;
}

// An axis label of a price: no decimals from 1 on.
std::string TickText(double value) {
  if (value >= 1) return Fixed(value, 0);
  const int decimals = static_cast<int>(std::ceil(-std::log10(value) - 1e-9));
  return Fixed(value, decimals);
}

std::string SvgStart(const std::string& label, const std::string& title,
                     const std::string& description) {
  return "<svg viewBox=\"0 0 " + std::to_string(kWidth) + " " + std::to_string(kHeight) +
         "\" role=\"img\" aria-label=\"" + Html(label) + "\"><title>" + Html(title) +
         "</title><desc>" + Html(description) + "</desc>";
}

std::string Line(double x1, double y1, double x2, double y2, const char* kind) {
  return "<line class=\"" + std::string(kind) + "\" x1=\"" + At(x1) + "\" y1=\"" + At(y1) +
         "\" x2=\"" + At(x2) + "\" y2=\"" + At(y2) + "\"/>";
}

std::string Label(double x, double y, const std::string& text, const char* anchor) {
  return "<text x=\"" + At(x) + "\" y=\"" + At(y) + "\" text-anchor=\"" + anchor + "\">" +
         Html(text) + "</text>";
}

std::string BinText(int from, int width) {
  if (width == 1) return Plural(from, "bid", "bids");
  return std::to_string(from) + "\xE2\x80\x93" + std::to_string(from + width - 1) + " bids";
}

// The currencies of the rows, the most common first.
std::vector<std::string> CurrenciesByCount(std::span<const ReportedItem> rows) {
  std::vector<std::pair<std::string, long long>> counts;
  for (const ReportedItem& row : rows) {
    const std::string& currency = row.item->currency;
    const auto found = std::find_if(counts.begin(), counts.end(),
                                    [&](const auto& entry) { return entry.first == currency; });
    if (found == counts.end()) {
      counts.emplace_back(currency, 1);
    } else {
      ++found->second;
    }
  }
  std::stable_sort(counts.begin(), counts.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<std::string> currencies;
  for (const auto& entry : counts) currencies.push_back(entry.first);
  return currencies;
}

}  // namespace

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  return std::string(text, end);
}

std::string PriceText(double price) { return Fixed(price, 2); }

std::string BidHistogram(std::span<const ReportedItem> rows) {
  if (rows.empty()) return {};
  int lowest = rows.front().item->bidCount;
  int highest = lowest;
  for (const ReportedItem& row : rows) {
    lowest = std::min(lowest, row.item->bidCount);
    highest = std::max(highest, row.item->bidCount);
  }
  const long long span = static_cast<long long>(highest) - lowest + 1;
  const int width = static_cast<int>(NiceStep(static_cast<double>(span) / kMostBins));
  const int first = lowest / width * width;
  const std::size_t bins = static_cast<std::size_t>((highest - first) / width + 1);
  std::vector<long long> counts(bins, 0);
  for (const ReportedItem& row : rows) {
    ++counts[static_cast<std::size_t>((row.item->bidCount - first) / width)];
  }
  const long long most = *std::max_element(counts.begin(), counts.end());

  std::string description =
      "Bid counts from " + std::to_string(lowest) + " to " + std::to_string(highest) + ": ";
  for (std::size_t i = 0; i < bins; ++i) {
    if (counts[i] == 0) continue;
    if (description.back() != ' ') description += "; ";
    description += BinText(first + static_cast<int>(i) * width, width) + ": " +
                   Plural(counts[i], "item", "items");
  }
  description += ".";
  const std::string label = "Histogram of the bid counts of " +
                            Plural(static_cast<long long>(rows.size()), "item", "items");
  std::string svg = SvgStart(label, "Bid counts", description);

  const double barWidth = static_cast<double>(kPlotWidth) / static_cast<double>(bins);
  const double baseline = kTop + kPlotHeight;
  // Count lines: about five, at whole numbers.
  const double step = NiceStep(static_cast<double>(most) / 5);
  for (double count = 0; count <= static_cast<double>(most); count += step) {
    const double y = baseline - count / static_cast<double>(most) * kPlotHeight;
    svg += Line(kLeft, y, kLeft + kPlotWidth, y, "grid");
    svg += Label(kLeft - 6, y + 4, Fixed(count, 0), "end");
  }
  for (std::size_t i = 0; i < bins; ++i) {
    if (counts[i] == 0) continue;
    const double height = static_cast<double>(counts[i]) / static_cast<double>(most) * kPlotHeight;
    const double x = kLeft + static_cast<double>(i) * barWidth;
    svg += "<rect class=\"bar\" x=\"" + Fixed(x + barWidth * 0.08, 1) + "\" y=\"" +
           Fixed(baseline - height, 1) + "\" width=\"" + Fixed(barWidth * 0.84, 1) +
           "\" height=\"" + Fixed(height, 1) + "\"><title>" +
           BinText(first + static_cast<int>(i) * width, width) + ": " +
           Plural(counts[i], "item", "items") + "</title></rect>";
  }
  // Bin labels: about eight.
  const std::size_t every = (bins + 7) / 8;
  for (std::size_t i = 0; i < bins; i += every) {
    const double x = kLeft + (static_cast<double>(i) + 0.5) * barWidth;
    svg += Label(x, baseline + 16, std::to_string(first + static_cast<int>(i) * width), "middle");
  }
  svg += Line(kLeft, baseline, kLeft + kPlotWidth, baseline, "axis");
  svg += Label(kLeft + kPlotWidth / 2.0, kHeight - 4, "Bids", "middle");
  svg += "<text x=\"14\" y=\"" + At(kTop + kPlotHeight / 2.0) + "\" text-anchor=\"middle\" " +
         "transform=\"rotate(-90 14 " + At(kTop + kPlotHeight / 2.0) + ")\">Items</text>";
  svg += "</svg>";
  return svg;
}

std::string PriceScatter(std::span<const ReportedItem> rows) {
  const std::vector<std::string> currencies = CurrenciesByCount(rows);
  double lowPrice = 0;
  double highPrice = 0;
  int lowBids = 0;
  int highBids = 0;
  long long shown = 0;
  for (const ReportedItem& row : rows) {
    if (!row.price || *row.price <= 0) continue;
    const int bids = row.item->bidCount;
    if (shown == 0) {
      lowPrice = highPrice = *row.price;
      lowBids = highBids = bids;
    }
    lowPrice = std::min(lowPrice, *row.price);
    highPrice = std::max(highPrice, *row.price);
    lowBids = std::min(lowBids, bids);
    highBids = std::max(highBids, bids);
    ++shown;
  }
  if (shown == 0) return {};
  const bool oneCurrency = currencies.size() == 1;
  const std::string unit =
      oneCurrency && !currencies.front().empty() ? " " + currencies.front() : "";

  // Decades of the price, at least one; the bids from the lowest to the highest.
  const double fromDecade = std::floor(std::log10(lowPrice));
  double toDecade = std::ceil(std::log10(highPrice));
  if (toDecade <= fromDecade) toDecade = fromDecade + 1;
  if (highBids == lowBids) {
    lowBids = std::max(0, lowBids - 1);
    highBids = lowBids + 2;
  }
  const auto xOf = [&](int bids) {
    return kLeft + static_cast<double>(bids - lowBids) / (highBids - lowBids) * kPlotWidth;
  };
  const auto yOf = [&](double price) {
    return kTop + kPlotHeight -
           (std::log10(price) - fromDecade) / (toDecade - fromDecade) * kPlotHeight;
  };

  std::string description =
      "Each point is an item, its bids across and its price up on a "
      "logarithmic scale: " +
      Plural(shown, "item", "items") + " with " + std::to_string(lowBids) + " to " +
      std::to_string(highBids) + " bids, priced from " + PriceText(lowPrice) + " to " +
      PriceText(highPrice) + unit + ".";
  if (!oneCurrency) description += " Prices in different currencies are drawn apart.";
  const long long unshown = static_cast<long long>(rows.size()) - shown;
  if (unshown > 0)
    description +=
        " " + Plural(unshown, "item", "items") + " without a price above 0 are not shown.";
  description += " Each point links to its item's row.";
  std::string svg = SvgStart("Price against bids of " + Plural(shown, "item", "items"),
                             "Price against bids", description);

  const bool fewDecades = toDecade - fromDecade <= 2;
  for (double decade = fromDecade; decade <= toDecade; ++decade) {
    for (const double factor : {1.0, 2.0, 5.0}) {
      if (factor > 1 && (!fewDecades || decade == toDecade)) continue;
      const double value = factor * std::pow(10.0, decade);
      const double y = yOf(value);
      svg += Line(kLeft, y, kLeft + kPlotWidth, y, "grid");
      svg += Label(kLeft - 6, y + 4, TickText(value), "end");
    }
  }
  const double bidStep = NiceStep(static_cast<double>(highBids - lowBids) / 6);
  for (double bids = std::ceil(lowBids / bidStep) * bidStep; bids <= highBids; bids += bidStep) {
    const double x = xOf(static_cast<int>(bids));
    svg += Line(x, kTop, x, kTop + kPlotHeight, "grid");
    svg += Label(x, kTop + kPlotHeight + 16, Fixed(bids, 0), "middle");
  }
  svg += Line(kLeft, kTop + kPlotHeight, kLeft + kPlotWidth, kTop + kPlotHeight, "axis");
  svg += Line(kLeft, kTop, kLeft, kTop + kPlotHeight, "axis");
  svg += Label(kLeft + kPlotWidth / 2.0, kHeight - 4, "Bids", "middle");
  svg += "<text x=\"14\" y=\"" + At(kTop + kPlotHeight / 2.0) + "\" text-anchor=\"middle\" " +
         "transform=\"rotate(-90 14 " + At(kTop + kPlotHeight / 2.0) + ")\">Price" + Html(unit) +
         "</text>";

  // About 40 bytes a point, a report may draw 10,000: the radius is the style sheet's.
  svg.reserve(svg.size() + static_cast<std::size_t>(shown) * 40);
  svg += "<g class=\"dots\">";
  for (std::size_t place = 0; place < rows.size(); ++place) {
    const ReportedItem& row = rows[place];
    if (!row.price || *row.price <= 0) continue;
    std::size_t colour = static_cast<std::size_t>(
        std::find(currencies.begin(), currencies.end(), row.item->currency) - currencies.begin());
    colour = std::min(colour, kMostCurrencies);
    svg += "<a href=";
    AppendAttributeValue(svg, "#" + RowName(place));
    svg += "><circle";
    if (colour > 0) svg += " class=c" + std::to_string(colour);
    svg += " cx=" + At(xOf(row.item->bidCount)) + " cy=" + At(yOf(*row.price)) + " /></a>";
  }
  svg += "</g></svg>";
  return svg;
}

std::vector<CurrencyFigures> PriceFigures(std::span<const ReportedItem> rows, std::int64_t ran) {
  const std::vector<std::string> currencies = CurrenciesByCount(rows);
  std::vector<CurrencyFigures> figures;
  for (const std::string& currency : currencies) {
    std::vector<double> prices;
    CurrencyFigures entry;
    entry.currency = currency;
    for (const ReportedItem& row : rows) {
      if (row.item->currency != currency) continue;
      if (row.end && !row.endIsDay && *row.end > ran && *row.end <= ran + 24 * 3600) {
        ++entry.endingSoon;
      }
      if (row.price) prices.push_back(*row.price);
    }
    entry.items = static_cast<long long>(prices.size());
    if (!prices.empty()) {
      std::sort(prices.begin(), prices.end());
      const std::size_t middle = prices.size() / 2;
      entry.lowest = prices.front();
      entry.highest = prices.back();
      entry.median =
          prices.size() % 2 == 1 ? prices[middle] : (prices[middle - 1] + prices[middle]) / 2;
    }
    figures.push_back(std::move(entry));
  }
  return figures;
}

std::string PriceFiguresTable(const std::vector<CurrencyFigures>& figures) {
  if (figures.empty()) return {};
  std::string table =
      "<table class=\"figures\"><caption>Prices of the items</caption><thead><tr>"
      "<th scope=\"col\">Currency</th><th scope=\"col\">Items</th><th scope=\"col\">Lowest</th>"
      "<th scope=\"col\">Median</th><th scope=\"col\">Highest</th>"
      "<th scope=\"col\">Ending within 24&nbsp;h</th></tr></thead><tbody>";
  for (const CurrencyFigures& entry : figures) {
    table += "<tr><th scope=\"row\">" +
             (entry.currency.empty() ? std::string("(none given)") : Html(entry.currency)) +
             "</th><td>" + std::to_string(entry.items) + "</td>";
    if (entry.items > 0) {
      table += "<td>" + PriceText(entry.lowest) + "</td><td>" + PriceText(entry.median) +
               "</td><td>" + PriceText(entry.highest) + "</td>";
    } else {
      table += "<td></td><td></td><td></td>";
    }
    table += "<td>" + std::to_string(entry.endingSoon) + "</td></tr>";
  }
  return table + "</tbody></table>";
}

}  // namespace lotwise
