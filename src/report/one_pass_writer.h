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
// Where the rows go, in report order, each with its bid count.
using RowOut = std::function<void(std::string_view row, std::int16_t count)>;

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
// count operations of the report do: they depend on the line alone. The row texts of the
// lines kept are held in memory with their counts, up to `limits.memory`; for the lines
// kept after that only their place in the file and their count are noted, and their
// text is read again from its place and rewritten when its turn comes. The rows are put
// in order by sorting what was held and what was noted by count (a stable sort, so equal
// counts keep their file order), which costs what the rows cost, however far apart the
// counts lie. Since the rows held come before those noted in the file, each count's rows
// are written held ones first, then noted ones. `rowText` is thus asked once for each
// line kept (twice for the line at which the memory runs out), and must depend on the
// line alone. No pass runs when `highest` is below `minimum`: the file is then not read
// at all.
//
// Gives the number of rows written (an empty row text is not a row). Throws
// PageFileError when the page file cannot be read or no longer exists, ReportError when
// the report cannot be written.
std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, const RowOut& out,
                               const OnePassLimits& limits = {});

// The same, the rows written to `report` as they are.
std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, ReportFile& report,
                               const OnePassLimits& limits = {});

}  // namespace lotwise
