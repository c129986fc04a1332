#include "report/item_row.h"

#include <charconv>

#include "report/html_text.h"
#include "report/item_report_history.h"
#include "report/redirect.h"
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

}  // namespace

std::string ItemLink(const ListedItem& item, const Config& config) {
  if (!item.itemAffiliateWebUrl.empty()) return item.itemAffiliateWebUrl;
  if (!RedirectConfigured(config)) return item.itemWebUrl;
  // The address as the value of the redirect's "loc" parameter, its slashes kept.
  return RedirectPrefix(config, config.itemPageLinkId) + PercentEncoded(item.itemWebUrl, "/");
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

std::string ItemRow(const ReportedItem& row, const ReportMoment& ran) {
  const ListedItem& item = *row.item;
  std::string out;
  out.reserve(120 + item.title.size() + row.link.size() + item.imageUrl.size());
  out += "<tr id=";
  AppendAttributeValue(out, RowName(row));
  if (row.price) {
    out += " data-p=";
    AppendAttributeValue(out, item.price);
  }
  if (row.end) out += " data-e=" + std::to_string(*row.end);
  // Cells and rows end where the next begins: a tenth of a large report is end tags.
  out += "><td>";
  if (!item.imageUrl.empty()) {
    out += "<img src=\"";
    AppendHtml(out, item.imageUrl);
    out += "\" alt loading=lazy>";
  }
  out += "<td><a href=\"";
  AppendHtml(out, row.link);
  out += "\" target=\"_blank\">";
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
