#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/config.h"
#include "platform/listing_source.h"
#include "report/item_report.h"

namespace lotwise {

// The row of an item a source gave (the marketplace API, its site) at `place` (from 0) in
// the report's one table: `<tr id=<place + 1>>` (RowName) with the key its script sorts
// the end by, which the cell shows in words (data-e, in minutes from `ran`), then its
// cells, each ended by the next: its picture; its title, HTML-escaped on one line,
// linked to open in a new window (ItemLink); its price with the currency; its bid count;
// and its end in the user's time zone with the time left after `ran` ("10 Dec 18:30 (1 d
// 2 h)"), the year shown when it is not the year of `ran` and the zone when it is not the
// zone of `ran`. The tags are the same whatever the item holds, but for the picture,
// which only an item with one has.
std::string ItemRow(const ReportedItem& row, std::size_t place, const ReportMoment& ran);

// The link an item's row opens: the partner address the marketplace gave, else the item's
// address through the affiliate redirect, or straight to it when no redirect is
// configured. An address "<site>/itm/<number>?..." is taken without its query.
std::string ItemLink(const ListedItem& item, const Config& config);

// The time from `from` to `to` as the report shows what is left: "3 d 4 h", "5 h 12 min",
// "12 min", "ended" once `to` is past.
std::string TimeLeft(std::int64_t from, std::int64_t to);

}  // namespace lotwise
