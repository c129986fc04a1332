#include "report/one_pass_writer.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "collect/page_file.h"

namespace lotwise {
namespace {

[[noreturn]] void FailSpill(int error) {
  throw ReportError(std::string("Could not write the rows of ") + kReportFileName + ": " +
                    std::strerror(error));
}

// A file without a name in the report's folder (or one whose name is removed at once),
// so that it goes away however the writing ends.
class SpillFile {
 public:
  explicit SpillFile(const std::filesystem::path& folder) {
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      std::string name = (folder / ".Finalsearch.rows.XXXXXX").string();
      fd_ = ::mkostemp(name.data(), O_CLOEXEC);
      if (fd_ < 0) FailSpill(errno);
      ::unlink(name.c_str());
    }
  }
  ~SpillFile() { ::close(fd_); }
  SpillFile(const SpillFile&) = delete;
  SpillFile& operator=(const SpillFile&) = delete;

  int fd() const { return fd_; }
  std::uint64_t size() const { return size_; }

  // Appends the pieces, in order.
  void Append(std::vector<iovec>& pieces) {
    std::size_t first = 0;
    while (first < pieces.size()) {
      const int count = static_cast<int>(std::min<std::size_t>(pieces.size() - first, IOV_MAX));
      const ssize_t written =
          ::pwritev(fd_, pieces.data() + first, count, static_cast<off_t>(size_));
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) FailSpill(written < 0 ? errno : EIO);
      size_ += static_cast<std::uint64_t>(written);
      // Drop what was written, including a piece written in part.
      auto left = static_cast<std::size_t>(written);
      while (left > 0 && left >= pieces[first].iov_len) left -= pieces[first++].iov_len;
      if (left > 0) {
        pieces[first].iov_base = static_cast<char*>(pieces[first].iov_base) + left;
        pieces[first].iov_len -= left;
      }
    }
  }

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// The row texts kept so far, by count, within a memory limit.
class RowGatherer {
 public:
  RowGatherer(std::int16_t highest, std::int16_t minimum, std::size_t memory,
              std::filesystem::path spillFolder, std::uintmax_t fileSize)
      : highest_(highest),
        minimum_(minimum),
        memory_(memory),
        spillFolder_(std::move(spillFolder)),
        startsOfCounts_(static_cast<std::size_t>(highest - minimum) + 2) {
    // Room for the row texts of the whole file when that is within the limit; the rows
    // of the report run a little longer than their lines.
    const std::uintmax_t expected = fileSize + fileSize / 4 + 4096;
    text_.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(expected, memory_)));
  }

  void Add(std::int16_t count, std::string_view row) {
    if (row.empty()) return;
    const std::size_t held = text_.size() + row.size() + (rows_.size() + 1) * kRowCost;
    if (!rows_.empty() && held > memory_) Spill();
    if (row.size() > text_.capacity() - text_.size()) {
      // Grows by doubling up to the limit; never beyond it except for a single row.
      text_.reserve(std::max(text_.size() + row.size(), std::min(2 * text_.capacity(), memory_)));
    }
    rows_.push_back({text_.size(), row.size(), count});
    text_.insert(text_.end(), row.begin(), row.end());
  }

  void WriteTo(ReportFile& report) {
    const std::vector<std::uint32_t> order = ByCount();
    if (!spill_) {
      for (std::uint32_t i : order) report.Write(TextOf(rows_[i]));
      return;
    }
    // Count by count: its piece from each spill in turn, then its rows still held.
    std::vector<std::size_t> next(pieces_.size(), 0);
    std::size_t held = 0;
    for (int count = highest_; count >= minimum_; --count) {
      for (std::size_t s = 0; s < pieces_.size(); ++s) {
        if (next[s] < pieces_[s].size() && pieces_[s][next[s]].count == count) {
          const Piece& piece = pieces_[s][next[s]++];
          report.CopyFrom(spill_->fd(), piece.offset, piece.length);
        }
      }
      for (; held < order.size() && rows_[order[held]].count == count; ++held) {
        report.Write(TextOf(rows_[order[held]]));
      }
    }
  }

 private:
  struct Row {
    std::size_t offset;  // in text_
    std::size_t length;
    std::int16_t count;
  };
  struct Piece {
    int count;
    std::uint64_t offset;  // in the spill file
    std::uint64_t length;
  };
  // Bookkeeping of one row held: its Row and its place in the sorted order.
  static constexpr std::size_t kRowCost = sizeof(Row) + sizeof(std::uint32_t);

  std::string_view TextOf(const Row& row) const {
    return std::string_view(text_.data() + row.offset, row.length);
  }

  // The rows held, higher counts first, equal counts in the order they came: a
  // counting sort over the range of counts, linear in the rows and the range.
  std::vector<std::uint32_t> ByCount() {
    std::fill(startsOfCounts_.begin(), startsOfCounts_.end(), 0);
    for (const Row& row : rows_) ++startsOfCounts_[Slot(row.count) + 1];
    for (std::size_t i = 1; i < startsOfCounts_.size(); ++i) {
      startsOfCounts_[i] += startsOfCounts_[i - 1];
    }
    std::vector<std::uint32_t> order(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      order[startsOfCounts_[Slot(rows_[i].count)]++] = static_cast<std::uint32_t>(i);
    }
    return order;
  }
  std::size_t Slot(std::int16_t count) const { return static_cast<std::size_t>(highest_ - count); }

  // Moves the rows held to the spill file, each count's rows as one piece.
  void Spill() {
    if (!spill_) spill_.emplace(spillFolder_);
    const std::vector<std::uint32_t> order = ByCount();
    std::vector<iovec> out;
    out.reserve(order.size());
    std::vector<Piece> pieces;
    for (std::uint32_t i : order) {
      const Row& row = rows_[i];
      if (pieces.empty() || pieces.back().count != row.count) {
        const std::uint64_t end =
            pieces.empty() ? spill_->size() : pieces.back().offset + pieces.back().length;
        pieces.push_back({row.count, end, 0});
      }
      pieces.back().length += row.length;
      out.push_back({const_cast<char*>(text_.data() + row.offset), row.length});
    }
    spill_->Append(out);
    pieces_.push_back(std::move(pieces));
    text_.clear();
    rows_.clear();
  }

  int highest_;
  int minimum_;
  std::size_t memory_;
  std::filesystem::path spillFolder_;
  std::vector<char> text_;  // the row texts held, in file order
  std::vector<Row> rows_;
  std::vector<std::uint32_t> startsOfCounts_;
  std::optional<SpillFile> spill_;
  std::vector<std::vector<Piece>> pieces_;  // of each spill, higher counts first
};

}  // namespace

void WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                        std::int16_t minimum, const BidCountOf& bidCount, const RowTextOf& rowText,
                        ReportFile& report, const OnePassLimits& limits) {
  if (highest < minimum) return;
  std::error_code sizeUnknown;
  const std::uintmax_t fileSize = std::filesystem::file_size(pageFile, sizeUnknown);
  RowGatherer rows(highest, minimum, limits.memory, pageFile.parent_path(),
                   sizeUnknown ? 0 : fileSize);
  bool found = false;
  try {
    found = ReadLines(pageFile, [&](std::string_view line) {
      const std::int16_t count = bidCount(line);
      if (count >= minimum && count <= highest) rows.Add(count, rowText(line));
    });
  } catch (const PageFileError& failure) {
    throw ReportError(failure.what());
  }
  if (!found) {
    throw ReportError("Could not read " + pageFile.filename().string() +
                      ": the file no longer exists");
  }
  rows.WriteTo(report);
}

}  // namespace lotwise
