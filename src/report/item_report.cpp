#include "report/item_report.h"

#include <charconv>
#include <utility>

#include "report/active_content.h"
#include "report/html_text.h"
#include "report/item_report_charts.h"
#include "report/item_report_history.h"
#include "report/item_report_page.h"
#include "report/item_row.h"
#include "report/report_file.h"
#include "report/utc_time.h"

namespace lotwise {
namespace {

std::string Plural(long long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::optional<double> PriceOf(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 0) return std::nullopt;
  return value;
}

// "2026-12-09T17:30Z", as a <time> element gives a moment.
std::string IsoUtc(std::int64_t seconds) {
  const std::int64_t minutes = WholeMinutes(seconds);
  const std::int64_t days = minutes / 1440 - (minutes % 1440 < 0);
  const std::int64_t minuteOfDay = minutes - days * 1440;
  const CivilDate date = CivilFromDays(days);
  const auto two = [](std::int64_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
  };
  return std::to_string(date.year) + "-" + two(date.month) + "-" + two(date.day) + "T" +
         two(minuteOfDay / 60) + ":" + two(minuteOfDay % 60) + "Z";
}

// "3 of 7 pages", or "3 pages" when the number is not known.
std::string PagesRead(const ItemReportFacts& facts) {
  if (facts.pagesExpected > 0) {
    return std::to_string(facts.pages) + " of " + Plural(facts.pagesExpected, "page", "pages");
  }
  return Plural(facts.pages, "page", "pages");
}

void Fact(std::string& out, std::string_view term, const std::string& html) {
  out += "<dt>";
  out += term;
  out += "</dt><dd>";
  out += html;
  out += "</dd>";
}

// The document up to the rows of the items' table.
std::string Beginning(const ItemReportFacts& facts, std::span<const ReportedItem> rows,
                      const Config& config) {
  const std::string site = "http://" + config.publisherWebsiteHost + "/adware/zadadorud";
  const std::string kept = Plural(static_cast<long long>(rows.size()), "auction", "auctions") +
                           " with at least " + Plural(facts.minimumBids, "bid", "bids");
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
      ItemReportPolicy() +
      "\">\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Search results: " +
      Html(kept) + "</title>\n<style>";
  out += ItemReportStyle();
  out += "</style>\n</head>\n<body>\n<header class=\"banner\"><a href=\"" + Html(site) +
         ".html\" target=\"_blank\"><img src=\"" + Html(site) +
         ".gif\" alt=\"Our publisher's website\"></a></header>\n<main>\n<h1>Search results</h1>\n"
         "<p class=\"lead\">" +
         Html(kept) + ", most bids first.</p>\n<dl class=\"facts\">";

  Fact(out, "Search", Html(facts.search));
  Fact(out, "Minimum bids", std::to_string(facts.minimumBids));
  Fact(out, "Source", Html(facts.source));
  Fact(out, "Ran",
       "<time datetime=\"" + IsoUtc(facts.ran.seconds) + "\">" +
           Html(DayAndTime(facts.ran.local, true) + " " + facts.ran.local.zone) + "</time>");
  Fact(out, "Read",
       Html(PagesRead(facts) + ": " + Plural(facts.seen, "item", "items") + " seen, " +
            std::to_string(rows.size()) + " kept"));
  // Why the search ended, when it did not end after its last page.
  const bool beforeLastPage = facts.pagesExpected == 0 || facts.pages < facts.pagesExpected;
  if (facts.cutShort) {
    Fact(out, "Ended",
         Html("Cut short by \xE2\x80\x9CSee Incomplete Results\xE2\x80\x9D after " +
              PagesRead(facts)));
  } else if (!facts.message.empty() && beforeLastPage) {
    Fact(out, "Ended", Html("Early, after " + PagesRead(facts) + ": " + facts.message));
  }
  if (!facts.message.empty() && (facts.cutShort || !beforeLastPage)) {
    Fact(out, "Message", Html(facts.message));
  }
  if (const std::string changes = ChangesSummary(facts, rows); !changes.empty()) {
    Fact(out, "Changes", changes);
  }
  out += "</dl>\n";

  if (!rows.empty()) {
    out += "<h2>Demand</h2>\n<div class=\"demand\"><figure><figcaption>Bids</figcaption>" +
           BidHistogram(rows) + "</figure>";
    const std::string scatter = PriceScatter(rows);
    if (!scatter.empty()) {
      out += "<figure><figcaption>Price against bids</figcaption>" + scatter + "</figure>";
    }
    out += "<div class=\"figures-box\">" +
           PriceFiguresTable(PriceFigures(rows, facts.ran.seconds)) + "</div></div>\n";
  }
  out +=
      "<h2>Items</h2>\n<p class=\"csv\"><a href=\"Finalsearch.csv\" download>"
      "The same items as a spreadsheet (Finalsearch.csv)</a></p>\n"
      "<table id=\"items\"><thead><tr>"
      "<th scope=\"col\" data-key=\"i\">Picture</th>"
      "<th scope=\"col\" data-key=\"t\">Item</th>"
      "<th scope=\"col\" data-key=\"p\">Price</th>"
      "<th scope=\"col\" data-key=\"b\" aria-sort=\"descending\">Bids</th>"
      "<th scope=\"col\" data-key=\"e\">Ends (" +
      Html(facts.ran.local.zone) + ")</th></tr></thead>\n<tbody>\n";
  return out;
}

std::string Ending(const ItemReportFacts& facts, std::span<const ReportedItem> rows) {
  std::string out = "</tbody></table>\n";
  if (rows.empty()) out += "<p>No item has as many bids as the minimum.</p>\n";
  out += EndedSection(facts);
  out += "</main>\n<script>";
  out += ItemReportScript();
  out += "</script>\n</body>\n</html>\n";
  return out;
}

}  // namespace

ReportedItem ReportedItemOf(const ListedItem& item, std::size_t received, std::string number,
                            std::string link) {
  ReportedItem row;
  row.item = &item;
  row.received = received;
  row.number = std::move(number);
  row.link = std::move(link);
  row.price = PriceOf(item.price);
  row.end = UtcSeconds(item.endDate);
  if (!row.end) {
    row.end = UtcDaySeconds(item.endDate);
    row.endIsDay = row.end.has_value();
  }
  return row;
}

std::string RowName(std::size_t place) { return std::to_string(place + 1); }

ReportMoment ReportMomentOf(std::int64_t seconds) { return {seconds, ToLocalTime(seconds)}; }

void WriteItemReport(const ItemReportFacts& facts, std::span<const ReportedItem> rows,
                     const Config& config, ReportFile& out) {
  out.Write(Beginning(facts, rows, config));
  for (std::size_t place = 0; place < rows.size(); ++place) {
    std::string row = ItemRow(rows[place], place, facts.ran);
    RemoveActiveContent(row);  // an address the marketplace gave may be a script's
    row += '\n';
    out.Write(row);
  }
  out.Write(Ending(facts, rows));
}

}  // namespace lotwise
