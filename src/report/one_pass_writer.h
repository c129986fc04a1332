#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "report/report_file.h"
#include "report/report_writer.h"

namespace lotwise {

struct OnePassLimits {
  // Most bytes of row text and bookkeeping held in memory at once; beyond it the rows
  // are moved to a spill file in the report's folder, already in report order
  // piece by piece. At least one row is always held.
  std::size_t memory = 24u << 20;
};

// Writes to `report` the rows of the page file whose bid count lies between `minimum`
// and `highest`, higher counts first, equal counts in page-file order: what reading
// the file once per count from `highest` down to `minimum` would write, from a single
// reading of it.
//
// The file is read once, line by line, never whole. `bidCount` is asked once for each
// line, in file order, and `rowText` once for each line kept, also in file order; so
// both must give for a line what they would give for it at any other time, as the
// count and row operations of the report do: they depend on the line alone (the
// featured reader's FeaturedMode only picks one of two spellings of an end marker that
// is searched for ignoring case, and no count depends on it). The row texts are
// gathered by count in memory; when they pass `limits.memory`, those gathered are
// sorted by count (stably, by counting) and written to a spill file, each count's rows
// in one piece, and the report is put together from the pieces at the end, count by
// count, each count's pieces in the order they were written. No pass runs when
// `highest` is below `minimum`: the file is then not read at all.
//
// Throws ReportError when the page file cannot be read or no longer exists, or the
// spill file or the report cannot be written.
void WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                        std::int16_t minimum, const BidCountOf& bidCount, const RowTextOf& rowText,
                        ReportFile& report, const OnePassLimits& limits = {});

}  // namespace lotwise
