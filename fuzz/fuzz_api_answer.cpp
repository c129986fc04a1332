// Answers of the marketplace's API as they come from the network: reading one gives its
// page or a ListingError, never anything worse; the report row of every item of it has
// the row's own tags only and, once cleaned as the report writer cleans it, nothing a
// browser would run.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "api/api_source.h"
#include "fuzz_support.h"
#include "plain_markup.h"
#include "report/active_content.h"
#include "report/item_row.h"

namespace {

using lotwise::ListedItem;

// The names of the row's tags, in order.
std::vector<std::string> Tags(std::string_view row) {
  std::vector<std::string> names;
  for (const auto& token : lotwise::fuzz::PlainRead(row, false).tokens) {
    names.push_back(token.comment ? "!--" : (token.endTag ? "/" : "") + token.name);
  }
  return names;
}

// The row of an item as the report writes it, at a moment of its own.
std::string Row(const ListedItem& item, const lotwise::Config& config) {
  static const lotwise::ReportMoment ran = lotwise::ReportMomentOf(1772712000);
  return lotwise::ItemRow(
      lotwise::ReportedItemOf(item, 0, item.legacyItemId, lotwise::ItemLink(item, config)), 0, ran);
}

// The row of an item of plain words with the same fields given.
std::string PlainRow(const ListedItem& item, const lotwise::Config& config) {
  ListedItem plain;
  const auto word = [](const std::string& field) { return field.empty() ? "" : "x"; };
  plain.title = word(item.title);
  plain.itemWebUrl = word(item.itemWebUrl);
  plain.itemAffiliateWebUrl = word(item.itemAffiliateWebUrl);
  plain.imageUrl = word(item.imageUrl);
  plain.price = word(item.price);
  plain.currency = word(item.currency);
  plain.endDate = word(item.endDate);
  plain.legacyItemId = word(item.legacyItemId);
  return Row(plain, config);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  static const Config config = testing::TestConfig();
  ListingPage page;
  try {
    page = ReadSearchAnswer(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const ListingError& refused) {
    FUZZ_EXPECT(refused.kind() == ListingError::Kind::kServer);
    return 0;
  }
  for (const ListedItem& item : page.items) {
    FUZZ_EXPECT(item.bidCount >= 0);
    std::string row = Row(item, config);
    FUZZ_EXPECT(row.find_first_of("\r\n") == std::string::npos);
    FUZZ_EXPECT(Tags(row) == Tags(PlainRow(item, config)));
    RemoveActiveContent(row);
    FUZZ_EXPECT(fuzz::PlainInactive(fuzz::PlainRead(row, true)));
  }
  return 0;
}
