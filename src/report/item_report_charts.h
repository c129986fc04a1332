#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "report/item_report.h"

namespace lotwise {

// The report's charts, drawn as inline SVG (role "img", a label, a title and a
// description that says in words what they show), coloured by the document's style
// sheet so that they follow its light, dark and print colours.

// The rows' bid counts as a histogram: a bar for each count, or for each range of
// counts when they span more than 30.
std::string BidHistogram(std::span<const ReportedItem> rows);

// Price against bids, the price on a logarithmic axis: a point for each row with a
// price above 0, which links to its row ("#1" for the first, RowName). Points of other currencies
// than the first are drawn apart.
std::string PriceScatter(std::span<const ReportedItem> rows);

// The prices of the rows in one currency.
struct CurrencyFigures {
  std::string currency;  // as the items give it; empty when they give none
  long long items = 0;   // rows with a price in it
  double lowest = 0;
  double median = 0;
  double highest = 0;
  long long endingSoon = 0;  // rows that end within 24 hours after the search ran
};

// One entry a currency, the most common first (equal counts in the order met).
std::vector<CurrencyFigures> PriceFigures(std::span<const ReportedItem> rows, std::int64_t ran);

// The figures as a table with a caption.
std::string PriceFiguresTable(const std::vector<CurrencyFigures>& figures);

// A number with so many decimals, a point before them whatever the user's locale.
std::string Fixed(double value, int decimals);

// A price with two decimals ("1234.50").
std::string PriceText(double price);

}  // namespace lotwise
