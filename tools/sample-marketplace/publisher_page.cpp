#include "sample-marketplace/pages.h"

namespace lotwise::sample {

std::string PublisherPage() {
  return "<html>\r\n<head><title>Lotwise</title></head>\r\n<body>\r\n"
         R"(<p align="center"><img src="/adware/zadadorud.gif" width=468 height=60></p>)"
         "\r\n<h2>Lotwise</h2>\r\n"
         "<p>Lotwise finds the auctions that already draw bids: pick a search, a minimum "
         "number of bids, and read the listings with the most bids first.</p>\r\n"
         "<p>This is the sample marketplace's stand-in for the publisher's website.</p>\r\n"
         R"(<p><a href="/aw/listings/list/categories.html">All categories</a></p>)"
         "\r\n</body></html>\r\n";
}

}  // namespace lotwise::sample
