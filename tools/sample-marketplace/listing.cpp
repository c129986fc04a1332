#include "sample-marketplace/listing.h"

#include <algorithm>

#include "sample-marketplace/query.h"

namespace lotwise::sample {
namespace {

constexpr std::string_view kCategoryPrefix = "/aw/plistings/list/category";
constexpr std::string_view kFeaturedPrefix = "/pool1/plistings/list/auction/category0/";

// "index.html" is page 1, "page<k>.html" page k; 0 for anything else.
int PageNumber(std::string_view file) {
  if (file == "index.html") return 1;
  constexpr std::string_view kPage = "page";
  constexpr std::string_view kHtml = ".html";
  if (file.size() <= kPage.size() + kHtml.size() || file.substr(0, kPage.size()) != kPage ||
      file.substr(file.size() - kHtml.size()) != kHtml) {
    return 0;
  }
  const auto number =
      ParseCount(file.substr(kPage.size(), file.size() - kPage.size() - kHtml.size()));
  return number && *number >= 1 && *number <= 1'000'000 ? static_cast<int>(*number) : 0;
}

std::vector<const Item*> Select(const std::vector<Item>& items, auto keep) {
  std::vector<const Item*> selected;
  for (const Item& item : items) {
    if (keep(item)) selected.push_back(&item);
  }
  return selected;
}

std::optional<Listing> BrowseListing(const std::vector<Item>& items, std::string_view path) {
  Listing listing;
  std::string_view file;
  if (path.substr(0, kFeaturedPrefix.size()) == kFeaturedPrefix) {
    listing.kind = ListingKind::kFeatured;
    file = path.substr(kFeaturedPrefix.size());
    listing.matches = Select(items, [](const Item& item) { return item.featured && !item.ended; });
  } else if (path.substr(0, kCategoryPrefix.size()) == kCategoryPrefix) {
    const std::string_view rest = path.substr(kCategoryPrefix.size());
    const auto slash = rest.find('/');
    const auto category = ParseCount(rest.substr(0, slash));
    if (slash == rest.npos || !category || *category > 1'000'000) return std::nullopt;
    listing.kind = ListingKind::kCategory;
    listing.category = static_cast<int>(*category);
    file = rest.substr(slash + 1);
    listing.matches = Select(
        items, [&](const Item& item) { return item.category == listing.category && !item.ended; });
  } else {
    return std::nullopt;
  }
  listing.page = PageNumber(file);
  if (listing.page == 0) return std::nullopt;
  listing.firstPage = file == "index.html";
  listing.offset = static_cast<std::size_t>(listing.page - 1) * kBrowsePageSize;
  return listing;
}

std::optional<int> CategoryParam(const Target& target) {
  const std::string text = target.Param("category0");
  if (text.empty()) return std::nullopt;
  const auto number = ParseCount(text);
  return number && *number <= 1'000'000 ? static_cast<int>(*number) : -1;
}

std::size_t Offset(const Target& target, std::string_view name) {
  const auto offset = ParseCount(target.Param(name));
  return offset ? static_cast<std::size_t>(*offset) : 0;
}

std::optional<Listing> SearchListing(const std::vector<Item>& items, const Target& target) {
  Listing listing;
  SearchFilter filter;
  std::string words;
  if (target.path == "/ws/search/SaleSearch") {
    listing.kind = ListingKind::kKeyword;
    listing.firstPage = false;
    listing.offset = Offset(target, "sorecordstoskip");
    words = target.Param("satitle");
  } else if (target.path != "/search/search.dll") {
    return std::nullopt;
  } else if (target.Param("srchdesc") == "y" || target.Has("MfcISAPICommand")) {
    listing.kind = ListingKind::kKeyword;
    listing.description = target.Param("srchdesc") == "y";
    listing.firstPage = !target.Has("skip");
    listing.offset = Offset(target, "skip");
    words = target.Param("query");
    filter.minCents = ParsePrice(target.Param("minPrice"));
    filter.maxCents = ParsePrice(target.Param("maxPrice"));
    filter.category = CategoryParam(target);
  } else {
    listing.kind = ListingKind::kCompleted;
    listing.firstPage = !target.Has("skip");
    listing.offset = Offset(target, "skip");
    words = target.Param("query");
    filter.ended = true;
  }
  filter.query = ParseWordQuery(words);
  for (std::string& word : SplitWords(target.Param("exclude"), '+')) {
    filter.query.excluded.push_back(std::move(word));
  }
  filter.description = listing.description;
  listing.words = words;
  listing.tooBroad = filter.query.words.empty();
  if (!listing.tooBroad) {
    listing.matches = Select(items, [&](const Item& item) { return Matches(item, filter); });
  }
  return listing;
}

}  // namespace

std::vector<const Item*> Listing::Shown() const {
  const std::size_t size = kind == ListingKind::kCategory || kind == ListingKind::kFeatured
                               ? kBrowsePageSize
                               : kResultsPerPage;
  if (offset >= matches.size()) return {};
  const auto first = matches.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto count = static_cast<std::ptrdiff_t>(std::min(size, matches.size() - offset));
  return {first, first + count};
}

int Listing::PageCount() const {
  return std::max(1, static_cast<int>((matches.size() + kBrowsePageSize - 1) / kBrowsePageSize));
}

std::optional<Listing> FindListing(const std::vector<Item>& items, const Target& target) {
  if (auto listing = BrowseListing(items, target.path)) return listing;
  return SearchListing(items, target);
}

std::optional<long long> ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  long long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string BrowsePageTarget(const Listing& listing, int page) {
  const std::string file = page == 1 ? "index.html" : "page" + std::to_string(page) + ".html";
  if (listing.kind == ListingKind::kFeatured) {
    return std::string(kFeaturedPrefix) + file + "?featured";
  }
  return std::string(kCategoryPrefix) + std::to_string(listing.category) + "/" + file;
}

}  // namespace lotwise::sample
