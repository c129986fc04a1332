#include "report/item_row.h"

#include <charconv>
#include <string_view>

#include "report/html_text.h"
#include "report/item_report_history.h"
#include "report/redirect.h"
#include "report/utc_time.h"
#include "text/characters.h"
#include "text/percent_encoding.h"

namespace lotwise {
namespace {

// The end as the row shows it, in the user's time zone.
std::string EndText(const ReportedItem& row, const ReportMoment& ran) {
  if (!row.end) return row.item->endDate;
  if (row.endIsDay) return row.item->endDate;  // a day alone has no zone to convert to
  const LocalTime end = ToLocalTime(*row.end);
  std::string text = DayAndTime(end, end.year != ran.local.year);
  if (end.zone != ran.local.zone) text += " " + end.zone;
  return text + " (" + TimeLeft(ran.seconds, *row.end) + ")";
}

// The item's own address without the query the marketplace adds to an "/itm/<number>"
// address (the search's words, a hash for its tracking): the same item opens without
// it, and in a report of 10,000 rows that query alone would be some 400 kB.
std::string ItemAddress(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return std::string(address);
  const std::size_t path = address.find('/', scheme + 3);
  constexpr std::string_view kItemPath = "/itm/";
  if (path == std::string_view::npos || address.compare(path, kItemPath.size(), kItemPath) != 0) {
    return std::string(address);
  }
  const std::size_t number = path + kItemPath.size();
  const std::size_t query = address.find('?', number);
  if (query == std::string_view::npos || !IsDigits(address.substr(number, query - number))) {
    return std::string(address);
  }
  return std::string(address.substr(0, query));
}

}  // namespace

std::string ItemLink(const ListedItem& item, const Config& config) {
  if (!item.itemAffiliateWebUrl.empty()) return item.itemAffiliateWebUrl;
  const std::string address = ItemAddress(item.itemWebUrl);
  if (!RedirectConfigured(config)) return address;
  // The address as the value of the redirect's "loc" parameter, its slashes and colons
  // kept as a query may.
  return RedirectPrefix(config, config.itemPageLinkId) + PercentEncoded(address, "/:");
}

std::string TimeLeft(std::int64_t from, std::int64_t to) {
  const std::int64_t minutes = (to - from) / 60;
  if (to <= from) return "ended";
  if (minutes < 60) return std::to_string(minutes) + " min";
  if (minutes < 24 * 60) {
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
  }
  return std::to_string(minutes / (24 * 60)) + " d " + std::to_string(minutes / 60 % 24) + " h";
}

std::string ItemRow(const ReportedItem& row, std::size_t place, const ReportMoment& ran) {
  const ListedItem& item = *row.item;
  std::string out;
  out.reserve(100 + item.title.size() + row.link.size() + item.imageUrl.size());
  out += "<tr id=" + RowName(place);
  if (row.end) out += " data-e=" + std::to_string(WholeMinutes(*row.end - ran.seconds));
  // Cells and rows end where the next begins: a tenth of a large report is end tags.
  out += "><td>";
  if (!item.imageUrl.empty()) {
    out += "<img src=";
    AppendAttributeValue(out, item.imageUrl);
    out += " alt loading=lazy>";
  }
  out += "<td><a href=";
  AppendAttributeValue(out, row.link);
  out += " target=_blank>";
  AppendHtml(out, item.title);
  out += "</a><td>";
  AppendHtml(out, item.price);
  if (!item.currency.empty()) {
    out += ' ';
    AppendHtml(out, item.currency);
  }
  out += "<td>" + std::to_string(item.bidCount);
  AppendChangeMarks(out, row.change);
  out += "<td>";
  AppendHtml(out, EndText(row, ran));
  return out;
}

}  // namespace lotwise
