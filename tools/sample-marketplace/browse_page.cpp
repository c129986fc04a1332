#include "sample-marketplace/catalog.h"
#include "sample-marketplace/categories.h"
#include "sample-marketplace/markup.h"
#include "sample-marketplace/pages.h"
#include "sample-marketplace/rows.h"

namespace lotwise::sample {
namespace {

std::string Heading(const Listing& listing) {
  if (listing.kind == ListingKind::kFeatured) return "Featured auctions";
  const std::string_view name = CategoryName(listing.category);
  return name.empty() ? "Category " + std::to_string(listing.category) : std::string(name);
}

std::string PageCountLine(const Listing& listing) {
  return "<font size=2>Page " + std::to_string(listing.page) + " of <b>" +
         WithGrouping(listing.PageCount()) + "</b></font>";
}

}  // namespace

std::string BrowsePage(const Listing& listing, std::string_view host) {
  const bool featured = listing.kind == ListingKind::kFeatured;
  const std::int64_t key = listing.category * 10'000LL + listing.page;
  LineBreaks breaks(Variation(key, 11));
  const bool upperFirst = Variation(key, 12) % 3 == 0;
  const std::string heading = HtmlEscape(Heading(listing));

  std::string page = "<html>";
  page += breaks.Next();
  page += "<head><title>" + heading + "</title></head>";
  page += breaks.Next();
  page += R"(<body bgcolor="#FFFFFF">)";
  page += breaks.Next();
  page += R"(<table width="100%" cellpadding=0 border=0 cellspacing=0><tr><td><font size=4><b>)" +
          heading + "</b></font></td></tr></table>";
  page += breaks.Next();
  page += PageCountLine(listing);
  page += breaks.Next();
  bool first = true;
  for (const Item* item : listing.Shown()) {
    page += BrowseTable(*item, host, featured, first && upperFirst);
    page += breaks.Next();
    first = false;
  }
  page += "<p>" + PageCountLine(listing);
  if (listing.page < listing.PageCount()) {
    page += R"( <a href="page)" + std::to_string(listing.page + 1) + ".html" +
            (featured ? "?featured" : "") + R"(">Next page</a>)";
  }
  page += "</p>";
  page += breaks.Next();
  page += "</body></html>";
  page += breaks.Next();
  return page;
}

}  // namespace lotwise::sample
