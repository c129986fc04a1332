#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "report/report_file.h"

namespace lotwise {

// The bid count and the report row of one line of the page file.
using BidCountOf = std::function<std::int16_t(std::string_view line)>;
using RowTextOf = std::function<std::string(std::string_view line)>;

struct OnePassLimits {
  // Most bytes of row text, with their bookkeeping, held in memory. The lines kept
  // after that are only noted (16 bytes each) and read again when their turn comes.
  std::size_t memory = 24u << 20;
  // Size of the pieces the page file is read in.
  std::size_t piece = 64u << 10;
};

// Writes to `report` the rows of the page file whose bid count lies between `minimum`
// and `highest`, higher counts first, equal counts in page-file order: what reading
// the file once per count from `highest` down to `minimum` writes, from one reading.
//
// The file is read once from start to end in pieces, never whole, and its lines are
// split as ReadLines splits them. `bidCount` is asked once for each line, in file
// order; it must give what it would give for the line at any other time, as the
// count operations of the report do: they depend on the line alone. (The featured
// reader's FeaturedMode only picks one of two spellings of an end marker that is
// searched for ignoring case, so no count depends on it.) The row texts of the lines
// kept are held in memory, listed by count, up to `limits.memory`; for the lines kept
// after that only their place in the file is noted, listed by count as well, and
// their text is read again from its place and rewritten when their count's turn comes. Since
// the rows held come before those noted in the file, each count's rows are written
// held ones first, then noted ones, each in file order. `rowText` is thus asked once
// for each line kept (twice for the line at which the memory runs out), and must
// depend on the line alone. No pass runs when `highest`
// is below `minimum`: the file is then not read at all.
//
// Gives the number of rows written (an empty row text is not a row). Throws
// PageFileError when the page file cannot be read or no longer exists, ReportError when
// the report cannot be written.
std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, ReportFile& report,
                               const OnePassLimits& limits = {});

}  // namespace lotwise
