#include <map>

#include "sample-marketplace/categories.h"
#include "sample-marketplace/markup.h"
#include "sample-marketplace/pages.h"

namespace lotwise::sample {

std::string CategoriesPage(const std::vector<Item>& items) {
  std::map<int, int> counts;
  for (const Item& item : items) {
    if (!item.ended) ++counts[item.category];
  }
  std::string page = "<html>\r\n<head><title>All categories</title></head>\r\n<body>\r\n";
  page += "<h2>All categories</h2>\r\n<ul>\r\n";
  for (const Category& category : TopLevelCategories()) {
    page += R"(<li><a href="/aw/plistings/list/category)" + std::to_string(category.number) +
            R"(/index.html">)" + HtmlEscape(category.name) + "</a> (" +
            std::to_string(counts[category.number]) + ")</li>\r\n";
  }
  page += R"(</ul>)"
          "\r\n"
          R"(<p><a href="/pool1/plistings/list/auction/category0/index.html?featured">)"
          "Featured auctions</a></p>\r\n</body></html>\r\n";
  return page;
}

std::string ItemPage(const Item& item, std::string_view host) {
  const std::string title = HtmlEscape(Title(item));
  std::string page = "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n";
  page += "<h2>" + title + "</h2>\r\n";
  page += R"(<p><img src=")" + PictureAddress(host, item) + R"(" width=400 height=300></p>)";
  page += "\r\n<table border=1 cellpadding=4>\r\n";
  page += "<tr><td>Item number</td><td>" + std::to_string(item.number) + "</td></tr>\r\n";
  page += "<tr><td>" + std::string(item.ended ? "Sold for" : "Current bid") + "</td><td>" +
          Money(item.priceCents) + "</td></tr>\r\n";
  page += "<tr><td>Bids</td><td>" + HtmlEscape(item.bidText) + "</td></tr>\r\n";
  page += "<tr><td>" + std::string(item.ended ? "Ended" : "Ends") + "</td><td>" + item.endTime +
          "</td></tr>\r\n";
  page += "</table>\r\n<p>";
  for (const std::string& word : item.descriptionWords) page += word + " ";
  page += "</p>\r\n</body></html>\r\n";
  return page;
}

std::string NotFoundPage(std::string_view target) {
  return "<html>\r\n<head><title>Not found</title></head>\r\n<body>\r\n<p>Nothing is found at " +
         HtmlEscape(target) + ".</p>\r\n</body></html>\r\n";
}

}  // namespace lotwise::sample
