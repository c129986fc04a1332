#include "report/one_pass_writer.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "collect/page_file.h"
#include "files/file_errors.h"

namespace lotwise {
namespace {

// The places, in a list of kept lines, of those lines by count: higher counts first,
// equal counts in file order. Sorting costs the number of lines kept, whatever the counts
// are, so that no count range has to be held.
template <typename Lines>
std::vector<std::uint32_t> ByCount(const Lines& lines) {
  std::vector<std::uint32_t> order(lines.size());
  std::iota(order.begin(), order.end(), std::uint32_t{0});
  std::stable_sort(order.begin(), order.end(), [&lines](std::uint32_t a, std::uint32_t b) {
    return lines[a].count > lines[b].count;
  });
  return order;
}

// The kept lines with their counts: the row texts of the first ones, the places of the
// rest.
class KeptRows {
 public:
  KeptRows(std::size_t memory, std::uintmax_t fileSize) : memory_(memory) {
    // Room for the row texts of the whole file when that is within the limit; rows
    // run a little longer than their lines.
    const std::uintmax_t expected = fileSize + fileSize / 4 + 4096;
    text_.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(expected, memory_)));
  }

  bool Holding() const { return !full_; }

  // The row text of a kept line while there is room; false (and nothing held from
  // then on) when there is none.
  bool Hold(std::int16_t count, std::string_view row) {
    if (row.empty()) return true;
    const std::size_t held = text_.size() + row.size() + (held_.size() + 1) * sizeof(Held);
    if (held > memory_ && !held_.empty()) {
      full_ = true;
      return false;
    }
    if (row.size() > text_.capacity() - text_.size()) {
      text_.reserve(std::max(text_.size() + row.size(), std::min(2 * text_.capacity(), memory_)));
    }
    if (held_.size() == kMostRows) throw ReportError("Too many rows for the report");
    held_.push_back({text_.size(), row.size(), count});
    text_.insert(text_.end(), row.begin(), row.end());
    return true;
  }

  // The place of a kept line whose text is read again later.
  void Note(std::int16_t count, std::uint64_t offset, std::size_t length) {
    if (length > std::numeric_limits<std::uint32_t>::max() || noted_.size() == kMostRows) {
      throw ReportError("Too many rows for the report");
    }
    noted_.push_back({offset, static_cast<std::uint32_t>(length), count});
  }

  // Gives the number of rows written.
  std::size_t WriteTo(const RowOut& out, PageFileReader& file, const RowTextOf& rowText) const {
    const std::vector<std::uint32_t> held = ByCount(held_);
    const std::vector<std::uint32_t> noted = ByCount(noted_);
    std::size_t rows = 0;
    std::string line;
    std::size_t h = 0;
    std::size_t n = 0;
    while (h < held.size() || n < noted.size()) {
      // Of equal counts the held rows first: they stand before the noted ones in the file.
      if (n == noted.size() ||
          (h < held.size() && held_[held[h]].count >= noted_[noted[n]].count)) {
        const Held& row = held_[held[h++]];
        out(std::string_view(text_.data() + row.offset, row.length), row.count);
        ++rows;
        continue;
      }
      const Noted& place = noted_[noted[n++]];
      file.ReadAt(place.offset, place.length, line);
      const std::string row = rowText(line);
      if (row.empty()) continue;
      out(row, place.count);
      ++rows;
    }
    return rows;
  }

 private:
  static constexpr std::size_t kMostRows = std::numeric_limits<std::uint32_t>::max();

  struct Held {
    std::size_t offset;  // in text_
    std::size_t length;
    std::int16_t count;
  };
  struct Noted {           // 16 bytes
    std::uint64_t offset;  // in the page file
    std::uint32_t length;
    std::int16_t count;
  };

  std::size_t memory_;
  bool full_ = false;
  std::vector<char> text_;  // the row texts held, in file order
  std::vector<Held> held_;
  std::deque<Noted> noted_;  // grows without moving what it holds
};

}  // namespace

std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, ReportFile& report,
                               const OnePassLimits& limits) {
  return WriteRowsInOnePass(
      pageFile, highest, minimum, bidCount, rowText,
      [&report](std::string_view row, std::int16_t) { report.Write(row); }, limits);
}

std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, const RowOut& out,
                               const OnePassLimits& limits) {
  if (highest < minimum) return 0;
  PageFileReader file(pageFile);
  std::error_code sizeUnknown;
  const std::uintmax_t fileSize = std::filesystem::file_size(pageFile, sizeUnknown);
  KeptRows kept(limits.memory, sizeUnknown ? 0 : fileSize);
  file.ReadLines(
      [&](std::string_view line, std::uint64_t offset) {
        const std::int16_t count = bidCount(line);
        if (count < minimum || count > highest) return;
        if (!kept.Holding() || !kept.Hold(count, rowText(line))) {
          kept.Note(count, offset, line.size());
        }
      },
      limits.piece);
  return kept.WriteTo(out, file, rowText);
}

}  // namespace lotwise
