#include "report/item_report_history.h"

#include "report/active_content.h"
#include "report/html_text.h"
#include "report/item_report_charts.h"
#include "report/utc_time.h"

namespace lotwise {
namespace {

std::string Cents(long long cents) { return PriceText(static_cast<double>(cents) / 100.0); }

std::string Moment(std::int64_t seconds, const ReportMoment& ran) {
  const LocalTime local = ToLocalTime(seconds);
  std::string text = DayAndTime(local, local.year != ran.local.year);
  if (local.zone != ran.local.zone) text += " " + local.zone;
  return text;
}

std::string FiguresTable(const std::vector<EndedFigures>& figures) {
  std::string table =
      "<div class=\"figures-box\"><table class=\"figures\"><caption>Last seen, per "
      "currency</caption><thead><tr><th scope=\"col\">Currency</th><th scope=\"col\">Items</th>"
      "<th scope=\"col\">Lowest price</th><th scope=\"col\">Median price</th>"
      "<th scope=\"col\">Highest price</th><th scope=\"col\">Fewest bids</th>"
      "<th scope=\"col\">Median bids</th><th scope=\"col\">Most bids</th></tr></thead><tbody>";
  for (const EndedFigures& entry : figures) {
    table += "<tr><th scope=\"row\">" +
             (entry.currency.empty() ? std::string("(none given)") : Html(entry.currency)) +
             "</th><td>" + std::to_string(entry.count) + "</td>";
    if (entry.priced > 0) {
      table += "<td>" + Cents(entry.lowestCents) + "</td><td>" + Cents(entry.medianCents) +
               "</td><td>" + Cents(entry.highestCents) + "</td>";
    } else {
      table += "<td></td><td></td><td></td>";
    }
    table += "<td>" + std::to_string(entry.lowestBids) + "</td><td>" +
             std::to_string(entry.medianBids) + "</td><td>" + std::to_string(entry.highestBids) +
             "</td></tr>";
  }
  return table + "</tbody></table></div>\n";
}

std::string EndedRow(const HistoryItem& item, const ReportMoment& ran) {
  std::string row = "<tr><td>";
  if (item.url.empty()) {
    AppendHtml(row, item.title);
  } else {
    row += "<a href=\"";
    AppendHtml(row, item.url);
    row += "\" target=\"_blank\">";
    AppendHtml(row, item.title);
    row += "</a>";
  }
  row += "</td><td>";
  AppendHtml(row, item.price);
  if (!item.currency.empty()) {
    row += ' ';
    AppendHtml(row, item.currency);
  }
  row += "</td><td>" + std::to_string(item.bids) + "</td><td>";
  const std::optional<std::int64_t> end = UtcSeconds(item.endTime);
  AppendHtml(row, end ? Moment(*end, ran) : item.endTime.empty() ? "not known" : item.endTime);
  row += "</td><td>" + Html(Moment(item.lastSeen, ran)) + "</td></tr>\n";
  RemoveActiveContent(row);  // what an earlier run recorded is cleaned as a row of this one
  return row;
}

}  // namespace

void AppendChangeMarks(std::string& out, const ItemChange& change) {
  if (!change.compared) return;
  if (change.isNew) {
    out += "<small class=change><b>new</b></small>";
    return;
  }
  if (change.bidsGained <= 0) return;
  out += "<small class=change><b>+" + std::to_string(change.bidsGained) + "</b>";
  if (change.bidsPerHour) {
    out += " \xC2\xB7 " + Fixed(*change.bidsPerHour, 1) + "/h";
  }
  out += "</small>";
}

std::string ChangesSummary(const ItemReportFacts& facts, std::span<const ReportedItem> rows) {
  if (!facts.lastRan) return {};
  long long fresh = 0;
  long long gained = 0;
  for (const ReportedItem& row : rows) {
    if (row.change.isNew) {
      ++fresh;
    } else if (row.change.bidsGained > 0) {
      ++gained;
    }
  }
  std::string text = std::to_string(fresh) + " new, " + std::to_string(gained) +
                     " with more bids, " + std::to_string(facts.ended.size()) +
                     " ended since the last run (" + Moment(facts.lastRan->seconds, facts.ran) +
                     ")";
  std::string html = Html(text);
  if (!facts.ended.empty()) html += " \xE2\x80\x94 <a href=\"#ended\">what the ended reached</a>";
  return html;
}

std::string EndedSection(const ItemReportFacts& facts) {
  if (facts.ended.empty()) return {};
  const std::size_t count = facts.ended.size();
  std::string out =
      "<h2 id=\"ended\">Ended since the last run</h2>\n<p>" + std::to_string(count) +
      (count == 1 ? " auction" : " auctions") +
      " that earlier runs listed and this one no longer does, whose end has passed or was "
      "never known. Prices and bids are as last seen, not what they sold for.</p>\n";
  out += FiguresTable(FiguresOf(facts.ended));
  out +=
      "<div class=\"figures-box\"><table class=\"ended\"><thead><tr><th scope=\"col\">Item</th>"
      "<th scope=\"col\">Last seen price</th><th scope=\"col\">Last seen bids</th>"
      "<th scope=\"col\">Ends</th><th scope=\"col\">Last seen</th></tr></thead><tbody>\n";
  for (const HistoryItem& item : facts.ended) out += EndedRow(item, facts.ran);
  return out + "</tbody></table></div>\n";
}

}  // namespace lotwise
