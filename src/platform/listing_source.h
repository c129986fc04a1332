#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lotwise {

// One item as a source of items (the marketplace's API, its site) gives it.
struct ListedItem {
  std::string itemId;        // the API's "v1|123456789012|0"; empty from the site
  std::string legacyItemId;  // the number in item-page addresses
  std::string title;
  std::string itemWebUrl;
  std::string itemAffiliateWebUrl;  // empty unless the marketplace gave one
  std::string imageUrl;             // empty when none
  std::string price;                // decimal text: the current bid, else the price
  std::string currency;             // of the price: "USD", "EUR", ...
  int bidCount = 0;
  // "yyyy-MM-ddThh:mm:ss.sssZ" (the API) or "yyyy-MM-ddThh:mm:ssZ", UTC; a date alone
  // ("yyyy-MM-dd") where only that is known; empty when not given.
  std::string endDate;
  // False when the source says the item is sold otherwise than by auction only (the
  // API's buyingOptions without "AUCTION").
  bool auction = true;
};

// What a search asks a source for: the search as the user asked for it, whatever the
// source, and the marketplace API's own parameters made of it.
struct ListingQuery {
  std::int16_t kind = 0;       // the window's SearchKind: 1 keyword, 2 category, 4 completed items
  std::string words;           // the words, one blank between two
  int combine = 0;             // 0 all of the words, 1 any of them, 2 the exact phrase
  std::string excluded;        // words no item may hold, one blank between two
  std::string lowestPrice;     // a decimal number with a point ("12.50"), or empty
  std::string highestPrice;    // the same
  bool inDescription = false;  // the descriptions too, not only the titles
  std::string categoryId;      // a category's number; empty for all
  int minimumBids = 0;

  // The API's `q`, `filter` ("buyingOptions:{AUCTION},bidCount:[10]", not yet
  // URL-encoded), `limit` and `offset`; `categoryId` is its `category_ids`. Empty ones are
  // not sent.
  std::string keywords;
  std::string filter;
  int limit = 200;
  int offset = 0;
};

// One page of a search answer.
struct ListingPage {
  std::vector<ListedItem> items;
  long long total = 0;  // the marketplace's indication of all matches; -1 when it gives none
  std::string next;     // the address of the next page; empty on the last
  std::vector<std::string> warnings;  // the answer's warnings, as messages for the user
};

// A request the API answered with an error, or could not answer.
class ListingError : public std::runtime_error {
 public:
  enum class Kind {
    kCredentials,  // no token: the client id or secret was refused
    kCallLimit,    // the application's daily call limit is reached (429)
    kServer,       // the marketplace's own failure (5xx)
    kRequest,      // the request was refused (4xx): the message says why
  };
  ListingError(Kind kind, int status, const std::string& message)
      : std::runtime_error(message), kind_(kind), status_(status) {}
  Kind kind() const { return kind_; }
  int status() const { return status_; }

 private:
  Kind kind_;
  int status_;
};

// A source of items as the core sees it: the marketplace's API, or its site. The adapter
// does what its source needs (the API's token and headers, ...) and handles user input
// while a request waits (as Platform::OpenURL does). Both calls throw ListingError for an
// answer the API gives as an error, and FetchError when no answer arrives.
class ListingSource {
 public:
  virtual ~ListingSource() = default;
  // The first page of a search.
  virtual ListingPage Search(const ListingQuery& query) = 0;
  // The page at `next`, an address that the page before named.
  virtual ListingPage Next(const std::string& next) = 0;
  // The currency of the marketplace searched, for a price filter ("USD").
  virtual std::string Currency() const = 0;
  // What the window shows of the source: "Marketplace API (EBAY_US)".
  virtual std::string Name() const = 0;
  // Why the source has no search of kind `searchKind` (the window's SearchKind: 1
  // keyword, 2 category, 3 featured, 4 completed items), as a message for the user;
  // nothing when it has one.
  virtual std::optional<std::string> Lacks(std::int16_t searchKind) const = 0;
  // The items a page holds at the most: what the progress counts by.
  virtual int PageSize() const = 0;
  // Whether the source itself keeps to the exact phrase and the excluded words; when it
  // does not, the search checks them on the items' titles.
  virtual bool MatchesWords() const = 0;
};

}  // namespace lotwise
