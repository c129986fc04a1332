#pragma once

#include <string_view>

#include "sample-marketplace/api_search.h"

namespace lotwise::sample {

// Reads the entries of a search's filter parameter into `search`: buyingOptions:{...},
// bidCount:[n], bidCount:[a..b], bidCount:[..b], price:[lo..hi] (either end may be left
// open) with priceCurrency:<currency>, and searchInDescription:true|false. Entries are
// separated by commas outside braces and brackets. An entry of an unknown field or with
// a value it cannot read is left out with warning 12002; a price without the currency
// with warning 12012.
void ReadFilter(std::string_view filter, std::string_view currency, ApiSearch& search);

}  // namespace lotwise::sample
