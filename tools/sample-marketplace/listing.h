#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/target.h"

namespace lotwise::sample {

inline constexpr std::size_t kBrowsePageSize = 25;  // rows of a category or featured page
inline constexpr std::size_t kResultsPerPage = 50;  // rows of a search-result page

enum class ListingKind { kCategory, kFeatured, kKeyword, kCompleted };

// One listing page a target asks for: everything its listing holds and the part that
// this page shows.
struct Listing {
  ListingKind kind = ListingKind::kCategory;
  bool firstPage = true;  // the index page, or the first page of a search
  std::vector<const Item*> matches;
  std::size_t offset = 0;    // index in `matches` of the first row shown
  int page = 1;              // category and featured pages, from 1
  int category = 0;          // category pages
  bool tooBroad = false;     // a search without any words, which the marketplace refuses
  bool description = false;  // keyword search in titles and descriptions
  std::string words;         // the words of a search, for its heading

  std::vector<const Item*> Shown() const;
  // Number of pages of a category or featured listing; at least 1.
  int PageCount() const;
};

// The listing page the target names, or nullopt when the target is no listing page.
std::optional<Listing> FindListing(const std::vector<Item>& items, const Target& target);

// A whole decimal number without sign, blanks or grouping; nullopt otherwise.
std::optional<long long> ParseCount(std::string_view text);

// The address of page `page` of the category or featured listing (page 1 is the index).
std::string BrowsePageTarget(const Listing& listing, int page);

}  // namespace lotwise::sample
