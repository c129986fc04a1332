#include "desktop/window_fixture.h"

namespace lotwise::testing {

std::string ListingPage(int bids, int item) {
  return "<html><body>\r\n"
         "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=#ffffff>"
         "<tr><td><a href=\"http://x/y?item=" +
         std::to_string(item) + "\">Item " + std::to_string(item) +
         "</a></TD><TD ALIGN=CENTER WIDTH=\"10%\">" + std::to_string(bids) +
         "<br></td></tr></table>\r\n</body></html>";
}

std::string IndexPage(int pages, int bids, int item) {
  return "<font size=2>Page 1 of <b>" + std::to_string(pages) + "</b></font>\r\n" +
         ListingPage(bids, item);
}

std::string CategoryAddress(const std::string& number, const std::string& page) {
  return "http://listings.test/aw/plistings/list/category" + number + "/" + page + ".html";
}

WindowTest::WindowTest() {
  platform.attachView(&window, [this] { window.refresh(); });
  window.show();
}

std::filesystem::path WindowTest::path(const char* name) const {
  return std::filesystem::path(folder.path().toStdString()) / name;
}

void WindowTest::serveCategory(const std::string& number, int pages, int bids) {
  platform.pages[CategoryAddress(number, "index")] = IndexPage(pages, bids, 1);
  for (int page = 2; page <= pages; ++page) {
    platform.pages[CategoryAddress(number, "page" + std::to_string(page))] =
        ListingPage(bids, page);
  }
}

}  // namespace lotwise::testing
