#include "sample-marketplace/rows.h"

#include "sample-marketplace/markup.h"

namespace lotwise::sample {
namespace {

std::string Open(TableStart start) {
  switch (start) {
    case TableStart::kBrowse:
      return R"(<table width="100%" cellpadding=3 border=0 cellspacing=0 bgcolor="#FFFFFF">)";
    case TableStart::kKeywordFirst:
      return R"(<table width="100%" cellpadding="3" border="0" cellspacing="0" bgcolor="#FFFFFF">)";
    case TableStart::kOffset:
      break;
  }
  return R"(<table width=100% cellpadding=3 border=0 cellspacing=0 bgcolor="#FFFFFF">)";
}

std::string Table(TableStart start, bool upperCase, std::string_view inner) {
  std::string open = Open(start);
  std::string close = "</table>";
  if (upperCase) {
    open = Upper(open);
    close = Upper(close);
  }
  return open + std::string(inner) + close;
}

// "", a lone LF or a CR LF, between the table tags and the row of a browse or
// completed table (a line without links or bid cell adds nothing to a report there).
std::string_view TagBreak(const Item& item, std::uint32_t salt) {
  switch (Variation(item.number, salt) % 3) {
    case 0:
      return "";
    case 1:
      return kLf;
    default:
      return kCrLf;
  }
}

std::string Anchor(const Item& item, std::string_view host) {
  const std::string address = ItemAddress(host, item, "&");
  if (Variation(item.number, 1) % 4 == 0) return R"(<A HREF=")" + address + R"(">)";
  return R"(<a href=")" + address + R"(">)";
}

std::string_view CompletedBidEnd(const Item& item) {
  switch (Variation(item.number, 2) % 3) {
    case 0:
      return "<BR><img";
    case 1:
      return "<br><img";
    default:
      return "<BR><IMG";
  }
}

}  // namespace

std::string BrowseTable(const Item& item, std::string_view host, bool featured, bool upperCase) {
  const std::string anchor = Anchor(item, host);
  const std::string_view bidEnd = featured && Variation(item.number, 3) % 2 == 0 ? "<BR>" : "<br>";
  std::string row;
  row += TagBreak(item, 4);
  row += R"(<tr valign=middle><td width="12%" align=center>)" + anchor + R"(<img src=")" +
         PictureAddress(host, item) + R"(" border=0 width=80 height=60></a></TD>)";
  row += R"(<TD WIDTH="50%">)" + anchor + HtmlEscape(Title(item)) + "</a>";
  row += kLf;
  row += "<br><font size=1>#" + std::to_string(item.number) + "</font></TD>";
  row += R"(<TD WIDTH="12%" ALIGN=RIGHT><b>)" + Money(item.priceCents) + "</b>";
  row += R"(</TD><TD ALIGN=CENTER WIDTH="10%">)" + item.bidText + std::string(bidEnd) + "</TD>";
  row += R"(<TD WIDTH="16%" ALIGN=CENTER>)" + item.endTime + "</TD></tr>";
  row += TagBreak(item, 5);
  return Table(TableStart::kBrowse, upperCase, row);
}

std::string KeywordTable(const Item& item, std::string_view host, TableStart start,
                         bool upperCase) {
  const std::string anchor = R"(<a href=")" + ItemAddress(host, item, "&amp;") + R"(">)";
  const std::string_view bidEnd = Variation(item.number, 6) % 4 == 0 ? "<BR>" : "<br>";
  std::string row;
  row += R"(<tr bgcolor="#FFFFFF"><td align="center" valign="top" width="12%">)" + anchor +
         R"(<img src=")" + PictureAddress(host, item) + R"(" border="0" width="80" height="60">)" +
         "</a></td>";
  row += R"(<td valign="top" width="50%">)" + anchor + HtmlEscape(Title(item)) + "</a>";
  row += kLf;
  row += R"(<br><font size="2">Item #)" + std::to_string(item.number) + "</font>";
  row += R"(</td><td align="right" valign="top" width="12%"><b>)" + Money(item.priceCents) + "</b>";
  row += R"(</td><td align="center" valign="top" width="10%"><font size="3">)" + item.bidText +
         std::string(bidEnd) + "</font></td>";
  row += R"(<td align="center" valign="top" width="16%"><font size="2">)" + item.endTime +
         "</font></td></tr>";
  return Table(start, upperCase, row);
}

std::string CompletedTable(const Item& item, std::string_view host, bool upperCase) {
  const std::string anchor = Anchor(item, host);
  std::string row;
  row += TagBreak(item, 7);
  row += "<tr><td width=12% align=center>" + anchor + R"(<img src=")" + PictureAddress(host, item) +
         R"(" border=0></a></td>)";
  row += "<td width=50%>" + anchor + HtmlEscape(Title(item)) + "</a>";
  row += kLf;
  row += "<br><font size=1>#" + std::to_string(item.number) + "</font>";
  row += "</td><td width=12% align=right>" + Money(item.priceCents);
  row += "</td><td align=center valign=top width=10%><font size=3>" + item.bidText +
         std::string(CompletedBidEnd(item)) + R"( src="http://)" + std::string(host) +
         R"(/pict/sold.gif" border=0></font></td>)";
  row += "<td width=16%>Ended " + item.endTime + "</td></tr>";
  row += TagBreak(item, 8);
  return Table(TableStart::kOffset, upperCase, row);
}

}  // namespace lotwise::sample
