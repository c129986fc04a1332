#pragma once

#include "report/row_kind.h"

namespace lotwise {

// The rows of the items a source gave (the search's `items`, kept in memory in the order
// received): each item's own bid count, whatever its size, and its ItemRow.
class ItemRows : public RowKind {
 public:
  std::optional<int> Highest(const SearchContext& search, SearchSummary& summary) const override;
  std::size_t Write(const SearchContext& search, int highest, int minimum,
                    ReportFiles& files) const override;
};

// The rows of every source of items.
const RowKind& ListedItemRows();

}  // namespace lotwise
