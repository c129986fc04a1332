#pragma once

#include <string>

#include "platform/listing_source.h"

namespace lotwise {

// The auctions a result page of the site lists at the most (_ipg).
inline constexpr int kSitePageSize = 240;

// The address of page `page` (from 1) of the search `query` on the site at `site`
// ("https://www.ebay.com"), as the site's advanced search writes it: /sch/i.html with
// the words (_nkw) and how they combine (_in_kw: 1 all, 2 any, 3 the exact phrase), the
// excluded words (_ex_kw), the category (_sacat, 0 for all), the price range (_udlo,
// _udhi), the descriptions too (LH_TitleDesc=1); a category search its _sacat alone; a
// completed-items search its words with LH_Complete=1. Every search asks for auctions
// only (LH_Auction=1) and kSitePageSize of them a page (_ipg); the page number (_pgn)
// comes last. Values are percent-encoded; parameters without a value are left out.
std::string SiteSearchAddress(const std::string& site, const ListingQuery& query, int page);

}  // namespace lotwise
