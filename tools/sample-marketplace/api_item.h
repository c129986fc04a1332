#pragma once

#include <string>
#include <string_view>

#include "sample-marketplace/api_json.h"
#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

// The end time the API gives, "2026-03-06T02:30:00.000Z": the item's end time text
// ("Mar-05 18:30") read as US Pacific time in 2026 (daylight time from 8 March 02:00 to
// 1 November 01:00, standard time otherwise), in UTC. Empty for a text that is no end
// time.
std::string ApiEndDate(const Item& item);

// "http://<host>/ws/eBayISAPI.dll?ViewItem&item=<number>".
std::string ItemWebUrl(std::string_view host, const Item& item);

// What an item summary shows besides the item itself.
struct SummaryContext {
  std::string_view itemHost;     // of item pages and pictures
  std::string_view currency;     // of the marketplace asked
  std::string_view campaignId;   // the partner's campaign; empty: no partner link
  std::string_view referenceId;  // the partner's reference, may be empty
};

// The item as a search answer lists it (an ItemSummary).
Json ItemSummary(const Item& item, const SummaryContext& context);

}  // namespace lotwise::sample
