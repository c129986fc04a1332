#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/listing_source.h"

namespace lotwise {

// The page-file line of an item found through the marketplace's API: "lotwise-item",
// then its fields separated by tabs (bid count, item number, item id, title, item
// address, partner address, picture, price, currency, end date), each with "%", tab, CR
// and LF written as %25, %09, %0D and %0A, so that the line holds no line end.
std::string ItemRecord(const ListedItem& item);

// The item of such a line; nothing for any other line.
std::optional<ListedItem> ReadItemRecord(std::string_view line);

// Its bid count alone, read without the rest of the line; nothing for any other line.
std::optional<int> ItemRecordBids(std::string_view line);

}  // namespace lotwise
