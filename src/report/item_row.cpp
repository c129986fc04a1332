#include "report/item_row.h"

#include <charconv>

#include "report/html_text.h"
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
  out.reserve(160 + item.title.size() + row.link.size() + item.imageUrl.size());
  out += "<tr id=\"item-";
  if (row.number.empty()) {
    out += "r" + std::to_string(row.received);
  } else {
    AppendHtml(out, row.number);
  }
  out += "\" data-o=\"" + std::to_string(row.received) + "\"";
  if (row.price) {
    out += " data-p=\"";
    AppendHtml(out, item.price);
    out += '"';
  }
  out += " data-b=\"" + std::to_string(item.bidCount) + "\"";
  if (row.end) out += " data-e=\"" + std::to_string(*row.end) + "\"";
  out += "><td>";
  if (!item.imageUrl.empty()) {
    out += "<img src=\"";
    AppendHtml(out, item.imageUrl);
    out += "\" alt=\"\" loading=\"lazy\" width=\"64\" height=\"64\">";
  }
  out += "</td><td><a href=\"";
  AppendHtml(out, row.link);
  out += "\" target=\"_blank\">";
  AppendHtml(out, item.title);
  out += "</a></td><td>";
  AppendHtml(out, item.price);
  if (!item.currency.empty()) {
    out += ' ';
    AppendHtml(out, item.currency);
  }
  out += "</td><td>" + std::to_string(item.bidCount) + "</td><td>";
  AppendHtml(out, EndText(row, ran));
  out += "</td></tr>";
  return out;
}

}  // namespace lotwise
