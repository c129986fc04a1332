#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

// An answer to one request.
struct Reply {
  int status = 200;
  std::string contentType = "text/html";
  std::string body;
  std::string location;  // for a redirect
};

// The sample marketplace: answers every address the program requests from a fixed set
// of items. Addresses are taken by path and query alone; the host does not matter.
class Marketplace {
 public:
  explicit Marketplace(std::vector<Item> items);

  const std::vector<Item>& items() const { return items_; }

  // The answer to a request target ("/path?query"). Item links and pictures in the
  // pages point at `host` ("127.0.0.1:8080").
  Reply Answer(std::string_view target, std::string_view host) const;

  // The items the listing page at `target` shows, in page order; empty for a target
  // that is no listing page. Takes a target or a whole "http://" address.
  std::vector<Item> PageItems(std::string_view target) const;

  // The items a complete collection lists, in the order it reads them. For a category
  // or featured search, `first` is the index page and `nextPrefix` is empty: the index
  // page, then pages 2 to the page count. For a keyword or completed-items search,
  // `first` is the first results page and `nextPrefix` the address its further pages
  // begin with: the first page, then `nextPrefix` + 50, + 100, ... up to and including
  // the first offset that is not below the total the first page shows. A search the
  // marketplace refuses (no words) lists nothing.
  std::vector<Item> CollectedItems(std::string_view first, std::string_view nextPrefix) const;

 private:
  std::vector<Item> items_;
};

// The rows a report keeps of `listed`: those with at least `minimum` bids (BidCount),
// highest counts first, equal counts in listed order.
std::vector<Item> ReportOrder(const std::vector<Item>& listed, int minimum);

// Where an affiliate redirect target ("/click-<link id>-<publisher id>?loc=<escaped
// address>") sends the browser: the address after "loc=" with its %XX escapes undone.
// nullopt for any other target.
std::optional<std::string> RedirectLocation(std::string_view target);

}  // namespace lotwise::sample
