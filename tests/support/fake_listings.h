#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/listing_source.h"
#include "platform/platform.h"
#include "search/search_state.h"

namespace lotwise::testing {

// An auction of a source as the tests make them: its number, bids and title; 12.50 USD,
// ending 2026-03-06 02:30 UTC.
inline ListedItem Item(int number, int bids, const std::string& title) {
  ListedItem item;
  item.itemId = "v1|" + std::to_string(number) + "|0";
  item.legacyItemId = std::to_string(number);
  item.title = title;
  item.itemWebUrl = "https://items.test/itm/" + std::to_string(number);
  item.imageUrl = "https://pictures.test/" + std::to_string(number) + ".jpg";
  item.price = "12.50";
  item.currency = "USD";
  item.bidCount = bids;
  item.endDate = "2026-03-06T02:30:00.000Z";
  return item;
}

// Answers with the pages given, in turn; a page may be an error instead.
class FakeListings : public ListingSource {
 public:
  struct Answer {
    ListingPage page;
    std::optional<ListingError> error;
  };
  std::deque<Answer> answers;
  std::vector<ListingQuery> searches;
  std::vector<std::string> nexts;
  // Runs while a request for a next page waits, as a person clicks meanwhile.
  std::function<void()> whileNextWaits;

  ListingPage Search(const ListingQuery& query) override {
    searches.push_back(query);
    return Take();
  }
  ListingPage Next(const std::string& next) override {
    nexts.push_back(next);
    if (whileNextWaits) whileNextWaits();
    return Take();
  }
  std::string Currency() const override { return currency; }
  std::string currency = "USD";
  std::string Name() const override { return "Marketplace API (EBAY_US)"; }
  std::optional<std::string> Lacks(std::int16_t kind) const override {
    if (kind == kFeaturedSearch) return "This fake has no search for featured auctions.";
    if (kind == kCompletedSearch) return "This fake has no Marketplace Insights either.";
    return std::nullopt;
  }
  int PageSize() const override { return 200; }
  bool MatchesWords() const override { return false; }

 private:
  ListingPage Take() {
    if (answers.empty()) throw FetchError("no more answers");
    Answer answer = std::move(answers.front());
    answers.pop_front();
    if (answer.error) throw *answer.error;
    return answer.page;
  }
};

// A page of a source's answer.
inline ListingPage Page(std::vector<ListedItem> items, long long total, std::string next = "") {
  ListingPage page;
  page.items = std::move(items);
  page.total = total;
  page.next = std::move(next);
  return page;
}

}  // namespace lotwise::testing
