#pragma once

#include <string>
#include <string_view>

#include "app/config.h"
#include "platform/listing_source.h"

namespace lotwise {

// The report row of an item a source gave (the marketplace API, its site), laid out as the classic
// rows are (picture, item, price, bids, end): its picture; its title, HTML-escaped on one
// line, linked to open in a new window: to the partner address the marketplace gave,
// else to its address through the affiliate redirect of `config`, or straight to it when
// no redirect host is configured; its price with the currency; its bid count; and its
// end in US Pacific time ("Mar-05 18:30").
std::string ItemRow(const ListedItem& item, const Config& config);

// The link an item's row opens: the partner address the marketplace gave, else the item's
// address through the affiliate redirect, or straight to it when no redirect is
// configured.
std::string ItemLink(const ListedItem& item, const Config& config);

// An end date of the API ("2026-03-06T02:30:00.000Z", UTC) in US Pacific time as the
// report shows it: "Mar-05 18:30" (standard or daylight time by the date); the text as
// it stands when it is not such a date.
std::string PacificEndTime(std::string_view endDate);

}  // namespace lotwise
