#include "report/one_pass_writer.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <memory>
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

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// The kept lines of one count, as a list through `next` in file order.
struct CountList {
  std::uint32_t first = kNone;
  std::uint32_t last = kNone;
};

// Appends item `index` of `items` to the list of its count.
template <typename Items>
void Append(Items& items, CountList& list, std::uint32_t index) {
  if (list.last == kNone) {
    list.first = index;
  } else {
    items[list.last].next = index;
  }
  list.last = index;
}

// The kept lines, by count: the row texts of the first ones, the places of the rest.
class KeptRows {
 public:
  KeptRows(std::int16_t highest, std::int16_t minimum, std::size_t memory, std::uintmax_t fileSize)
      : highest_(highest),
        minimum_(minimum),
        memory_(memory),
        heldByCount_(static_cast<std::size_t>(highest - minimum) + 1),
        notedByCount_(heldByCount_.size()) {
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
    if (held_.size() == kNone) throw ReportError("Too many rows for the report");
    Append(held_, heldByCount_[Slot(count)], static_cast<std::uint32_t>(held_.size()));
    held_.push_back({text_.size(), row.size(), kNone});
    text_.insert(text_.end(), row.begin(), row.end());
    return true;
  }

  // The place of a kept line whose text is read again later.
  void Note(std::int16_t count, std::uint64_t offset, std::size_t length) {
    if (length > std::numeric_limits<std::uint32_t>::max() || noted_.size() == kNone) {
      throw ReportError("Too many rows for the report");
    }
    Append(noted_, notedByCount_[Slot(count)], static_cast<std::uint32_t>(noted_.size()));
    noted_.push_back({offset, static_cast<std::uint32_t>(length), kNone});
  }

  // Gives the number of rows written.
  std::size_t WriteTo(ReportFile& report, PageFileReader& file, const RowTextOf& rowText) const {
    std::size_t rows = 0;
    std::string line;
    for (int count = highest_; count >= minimum_; --count) {
      const std::size_t slot = Slot(static_cast<std::int16_t>(count));
      for (std::uint32_t i = heldByCount_[slot].first; i != kNone; i = held_[i].next) {
        report.Write(std::string_view(text_.data() + held_[i].offset, held_[i].length));
        ++rows;
      }
      for (std::uint32_t i = notedByCount_[slot].first; i != kNone; i = noted_[i].next) {
        file.ReadAt(noted_[i].offset, noted_[i].length, line);
        const std::string row = rowText(line);
        report.Write(row);
        if (!row.empty()) ++rows;
      }
    }
    return rows;
  }

 private:
  struct Held {
    std::size_t offset;  // in text_
    std::size_t length;
    std::uint32_t next;
  };
  struct Noted {           // 16 bytes
    std::uint64_t offset;  // in the page file
    std::uint32_t length;
    std::uint32_t next;
  };

  std::size_t Slot(std::int16_t count) const { return static_cast<std::size_t>(highest_ - count); }

  int highest_;
  int minimum_;
  std::size_t memory_;
  bool full_ = false;
  std::vector<char> text_;  // the row texts held, in file order
  std::vector<Held> held_;
  std::vector<CountList> heldByCount_;  // highest count first
  std::deque<Noted> noted_;             // grows without moving what it holds
  std::vector<CountList> notedByCount_;
};

}  // namespace

std::size_t WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                               std::int16_t minimum, const BidCountOf& bidCount,
                               const RowTextOf& rowText, ReportFile& report,
                               const OnePassLimits& limits) {
  if (highest < minimum) return 0;
  PageFileReader file(pageFile);
  std::error_code sizeUnknown;
  const std::uintmax_t fileSize = std::filesystem::file_size(pageFile, sizeUnknown);
  KeptRows kept(highest, minimum, limits.memory, sizeUnknown ? 0 : fileSize);
  file.ReadLines(
      [&](std::string_view line, std::uint64_t offset) {
        const std::int16_t count = bidCount(line);
        if (count < minimum || count > highest) return;
        if (!kept.Holding() || !kept.Hold(count, rowText(line))) {
          kept.Note(count, offset, line.size());
        }
      },
      limits.piece);
  return kept.WriteTo(report, file, rowText);
}

}  // namespace lotwise
