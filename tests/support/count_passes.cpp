#include "support/count_passes.h"

#include <climits>
#include <string>

#include "collect/page_file.h"

namespace lotwise {

void WriteRowsByCountPasses(const std::filesystem::path& pageFile, std::int16_t highest,
                            std::int16_t minimum, const BidCountOf& bidCount,
                            const RowTextOf& rowText, const RowSink& write) {
  int lowest = INT_MAX;
  for (int count = highest; count >= minimum; --count) {
    if (count != highest && count < lowest) break;
    const bool found = ReadLines(pageFile, [&](std::string_view line) {
      const int lineCount = bidCount(line);
      if (lineCount < lowest) lowest = lineCount;
      if (lineCount == count) write(rowText(line));
    });
    if (!found) {
      throw PageFileError("Could not read " + pageFile.filename().string() +
                          ": the file no longer exists");
    }
  }
}

}  // namespace lotwise
