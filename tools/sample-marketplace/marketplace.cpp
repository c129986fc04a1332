#include "sample-marketplace/marketplace.h"

#include <algorithm>

#include "sample-marketplace/listing.h"
#include "sample-marketplace/pages.h"
#include "sample-marketplace/pictures.h"
#include "sample-marketplace/target.h"

namespace lotwise::sample {
namespace {

std::vector<Item> Copy(const std::vector<const Item*>& items) {
  std::vector<Item> copies;
  copies.reserve(items.size());
  for (const Item* item : items) copies.push_back(*item);
  return copies;
}

void Append(std::vector<Item>& to, std::vector<Item> more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

std::string ListingPage(const Listing& listing, std::string_view host) {
  switch (listing.kind) {
    case ListingKind::kCategory:
    case ListingKind::kFeatured:
      return BrowsePage(listing, host);
    case ListingKind::kKeyword:
      return KeywordPage(listing, host);
    case ListingKind::kCompleted:
      break;
  }
  return CompletedPage(listing, host);
}

// The item of a classic item page, or of today's "/itm/<number>" (the German site's
// "/de/itm/<number>"), whatever follows in the query.
const Item* ViewedItem(const std::vector<Item>& items, const Target& target) {
  std::optional<long long> number;
  for (const std::string_view prefix : {"/itm/", "/de/itm/"}) {
    if (target.path.starts_with(prefix)) number = ParseCount(target.path.substr(prefix.size()));
  }
  if (target.path == "/ws/eBayISAPI.dll" && target.Has("ViewItem")) {
    number = ParseCount(target.Param("item"));
  }
  return number ? FindItem(items, *number) : nullptr;
}

}  // namespace

Marketplace::Marketplace(std::vector<Item> items) : items_(std::move(items)) {}

Reply Marketplace::Answer(std::string_view target, std::string_view host) const {
  Reply reply;
  if (auto location = RedirectLocation(target)) {
    reply.status = 302;
    reply.location = *location;
    reply.body = "<html><body><a href=\"" + *location + "\">Moved</a></body></html>\r\n";
    return reply;
  }
  const Target parsed = ParseTarget(target);
  if (const auto listing = FindListing(items_, parsed)) {
    reply.body = ListingPage(*listing, host);
  } else if (const Item* item = ViewedItem(items_, parsed)) {
    reply.body = ItemPage(*item, host);
  } else if (parsed.path == "/aw/listings/list/categories.html") {
    reply.body = CategoriesPage(items_);
  } else if (auto picture = PictureReply(items_, parsed.path)) {
    return *picture;
  } else if (parsed.path == "/" || parsed.path == "/adware/zadadorud.html") {
    reply.body = PublisherPage();
  } else {
    reply.status = 404;
    reply.body = NotFoundPage(target);
  }
  return reply;
}

std::vector<Item> Marketplace::PageItems(std::string_view target) const {
  const auto listing = FindListing(items_, ParseTarget(target));
  return listing ? Copy(listing->Shown()) : std::vector<Item>();
}

std::vector<Item> Marketplace::CollectedItems(std::string_view first,
                                              std::string_view nextPrefix) const {
  const auto listing = FindListing(items_, ParseTarget(first));
  if (!listing || listing->tooBroad) return {};
  std::vector<Item> collected = Copy(listing->Shown());
  if (listing->kind == ListingKind::kCategory || listing->kind == ListingKind::kFeatured) {
    for (int page = 2; page <= listing->PageCount(); ++page) {
      Append(collected, PageItems(BrowsePageTarget(*listing, page)));
    }
    return collected;
  }
  const std::size_t total = listing->matches.size();
  for (std::size_t offset = 0; offset < total;) {
    offset += kResultsPerPage;
    Append(collected, PageItems(std::string(nextPrefix) + std::to_string(offset)));
  }
  return collected;
}

std::vector<Item> ReportOrder(const std::vector<Item>& listed, int minimum) {
  std::vector<Item> kept;
  std::copy_if(listed.begin(), listed.end(), std::back_inserter(kept),
               [&](const Item& item) { return BidCount(item) >= minimum; });
  std::stable_sort(kept.begin(), kept.end(),
                   [](const Item& a, const Item& b) { return BidCount(a) > BidCount(b); });
  return kept;
}

std::optional<std::string> RedirectLocation(std::string_view target) {
  constexpr std::string_view kClick = "/click-";
  constexpr std::string_view kLoc = "?loc=";
  if (target.substr(0, kClick.size()) != kClick) return std::nullopt;
  const auto loc = target.find(kLoc);
  const std::string_view ids = target.substr(kClick.size(), loc - kClick.size());
  const auto dash = ids.find('-');
  if (loc == target.npos || dash == ids.npos || dash == 0 || dash + 1 == ids.size()) {
    return std::nullopt;
  }
  std::string location = PercentDecode(target.substr(loc + kLoc.size()));
  if (location.empty() || location.find_first_of(std::string_view("\r\n\0", 3)) != location.npos) {
    return std::nullopt;
  }
  return location;
}

}  // namespace lotwise::sample
