#include "support/pages.h"

#include "collect/tables.h"

namespace lotwise::testing {
namespace {

const std::string kItemLink = "http://items.test/ws/eBayISAPI.dll?ViewItem";
const std::string kRedirectedItem = "http%3A//items.test/ws/eBayISAPI.dll%3FViewItem%26item%3D";

const std::string kBrowseStart = std::string(kBrowseTableStart) + "\"#FFFFFF\">";

std::string BrowseCell(const std::string& bids) {
  return "</TD><TD ALIGN=CENTER WIDTH=\"10%\">" + bids + "<br></td></tr></table>";
}
std::string CompletedCell(const std::string& bids) {
  return "</td><td align=center valign=top width=10%><font size=3>" + bids +
         "<BR><img src=\"x.gif\"></td></tr></table>";
}
std::string KeywordCell(const std::string& bids) {
  return "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">" + bids +
         "<br></font></td></tr>";
}

// The affiliate redirect of a listing row's item link, opening in a new window.
std::string ListingRedirect(const std::string& item) {
  return "<a href=\"http://aff.test/click-111-999?loc=" + kRedirectedItem + item +
         "\" target=\"_blank\">";
}

}  // namespace

const std::string kFirstKeywordStart = std::string(kFirstKeywordTableStart) + " border=0>";
const std::string kOffsetStart = std::string(kOffsetTableStart) + "#ffffff>";

std::string BrowseTable(const std::string& item, const std::string& bids) {
  return kBrowseStart + "<tr><td><a href=\"" + kItemLink + "&item=" + item + "\">Item " + item +
         "</a>" + BrowseCell(bids);
}
std::string BrowseRow(const std::string& item, const std::string& bids) {
  return kBrowseStart + "<tr><td>" + ListingRedirect(item) + "Item " + item + "</a>" +
         BrowseCell(bids);
}

std::string CompletedTable(const std::string& item, const std::string& bids) {
  return kOffsetStart + "<tr><td><a href=\"" + kItemLink + "&item=" + item + "\">Item " + item +
         "</a>" + CompletedCell(bids);
}
std::string CompletedRow(const std::string& item, const std::string& bids) {
  return kOffsetStart + "<tr><td>" + ListingRedirect(item) + "Item " + item + "</a>" +
         CompletedCell(bids);
}

std::string KeywordCells(const std::string& item, const std::string& bids) {
  return "<tr><td><a href=\"" + kItemLink + "&amp;item=" + item + "&amp;category=5\">Item " + item +
         "</a>" + KeywordCell(bids);
}
std::string KeywordRowCells(const std::string& item, const std::string& bids) {
  return "<tr><td><a href=\"http://aff.test/click-222-999?loc=" + kRedirectedItem + item +
         "\"target=\"_new\">Item " + item + "</a>" + KeywordCell(bids);
}

std::string FirstKeywordTable(const std::string& cells) {
  return kFirstKeywordStart + cells + "</table>";
}
std::string KeywordTable(const std::string& cells) { return kOffsetStart + cells + "</table>"; }

}  // namespace lotwise::testing
