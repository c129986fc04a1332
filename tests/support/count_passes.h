#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "report/one_pass_writer.h"

namespace lotwise {

using RowSink = std::function<void(std::string_view rowText)>;

// The report rows the plain way, the reference for the report writer's single reading:
// the page file is read once per bid count, from `highest` down to `minimum`, and each
// pass hands `write` the row text of every line whose count equals the pass's count,
// in file order; `bidCount` is asked again in every pass, so state it changes carries
// over from pass to pass. No pass runs when `highest` is below `minimum`. The passes
// below the lowest count of any line are left out, since they could find nothing.
// Throws PageFileError when the page file cannot be read.
void WriteRowsByCountPasses(const std::filesystem::path& pageFile, std::int16_t highest,
                            std::int16_t minimum, const BidCountOf& bidCount,
                            const RowTextOf& rowText, const RowSink& write);

}  // namespace lotwise
