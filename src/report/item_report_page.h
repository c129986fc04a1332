#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// The fixed parts of the report of a source's items.

// Its style sheet: light and dark colours, print, and the table's layout at a phone's
// width (picture and title first).
std::string_view ItemReportStyle();

// Its one script: sorts the items' table by the column whose header is clicked (the
// same header again turns the order round), by keys read once a column from the rows
// (the price, a number before the currency, and the bid count from their cells; data-e;
// the title's text; rows with a picture first),
// rows without a key last, equal keys in the order written; and by the address's
// fragment when it opens or the fragment changes ("#sort=price", "#sort=-end": "-" from
// the highest; the names picture, title, price, bids, end). The rows are moved in one
// step, so the page lays itself out once.
std::string_view ItemReportScript();

// "sha256-<base64>", as a Content-Security-Policy names an inline script or style sheet.
std::string HashSource(std::string_view text);

// The policy of the report: nothing but its own script and style sheet (by their hashes)
// and pictures over HTTP and HTTPS.
std::string ItemReportPolicy();

}  // namespace lotwise
