#include "sample-marketplace/markup.h"
#include "sample-marketplace/pages.h"
#include "sample-marketplace/rows.h"

namespace lotwise::sample {
namespace {

std::string Head(std::string_view title, std::string_view script, LineBreaks& breaks) {
  std::string head = "<html>";
  head += breaks.Next();
  head += "<head><title>" + std::string(title) + "</title>";
  head += breaks.Next();
  if (!script.empty()) {
    head += R"(<script language="JavaScript">)";
    head += breaks.Next();
    head += script;
    head += breaks.Next();
    head += "</script>";
    head += breaks.Next();
  }
  head += "</head>";
  head += breaks.Next();
  head += R"(<body bgcolor="#FFFFFF">)";
  head += breaks.Next();
  return head;
}

std::string Tail(const Listing& listing, LineBreaks& breaks) {
  std::string tail = "<p><font size=2>Results " + std::to_string(listing.offset + 1) + " to " +
                     std::to_string(listing.offset + listing.Shown().size()) + "</font></p>";
  tail += breaks.Next();
  tail += "</body></html>";
  tail += breaks.Next();
  return tail;
}

std::string ShownWords(const Listing& listing) { return HtmlEscape(listing.words); }

}  // namespace

std::string KeywordPage(const Listing& listing, std::string_view host) {
  LineBreaks breaks(Variation(static_cast<std::int64_t>(listing.offset), 21));
  if (listing.tooBroad) {
    std::string page = Head("Search", R"(var searchMessage = "too many results";)", breaks);
    page += "<p><b>Your search would return too many items.</b> Please add words to it.</p>";
    page += breaks.Next();
    page += "</body></html>";
    return page;
  }
  const std::string total = std::to_string(listing.matches.size());
  std::string page = Head(ShownWords(listing) + " - Search results",
                          "var searchResultTotal = \"" + total + "\";", breaks);
  page += R"(<table width="100%" cellpadding="0" border="0"><tr><td><font size="3"><b>)" + total +
          "</b> items found for <b>" + ShownWords(listing) + "</b>" +
          (listing.description ? " in titles and descriptions" : "") + "</font></td></tr></table>";
  page += breaks.Next();
  const TableStart start = listing.firstPage ? TableStart::kKeywordFirst : TableStart::kOffset;
  const bool upperFirst = Variation(static_cast<std::int64_t>(listing.offset), 22) % 2 == 0;
  bool first = true;
  for (const Item* item : listing.Shown()) {
    page += KeywordTable(*item, host, start, first && upperFirst);
    page += breaks.Next();
    first = false;
  }
  return page + Tail(listing, breaks);
}

std::string CompletedPage(const Listing& listing, std::string_view host) {
  LineBreaks breaks(Variation(static_cast<std::int64_t>(listing.offset), 31));
  if (listing.tooBroad) {
    std::string page = Head("Completed items", "", breaks);
    page += "<p><b>Your search would return too many items.</b> Please add words to it.</p>";
    page += breaks.Next();
    page += "</body></html>";
    return page;
  }
  std::string page = Head(ShownWords(listing) + " - Completed items", "", breaks);
  page +=
      "<table width=100% cellpadding=0 border=0 cellspacing=0>"
      R"(<tr><td><font size=2 face="Arial, Helvetica, sans-serif"><b>)" +
      WithGrouping(static_cast<long long>(listing.matches.size())) +
      "</b> completed items found for <b>" + ShownWords(listing) + "</b></font></td></tr></table>";
  page += breaks.Next();
  const bool upperFirst = Variation(static_cast<std::int64_t>(listing.offset), 32) % 2 == 0;
  bool first = true;
  for (const Item* item : listing.Shown()) {
    page += CompletedTable(*item, host, first && upperFirst);
    page += breaks.Next();
    first = false;
  }
  return page + Tail(listing, breaks);
}

}  // namespace lotwise::sample
