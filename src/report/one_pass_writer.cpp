#include "report/one_pass_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lotwise {
namespace {

[[noreturn]] void FailReading(const char* what, const std::filesystem::path& file, int error) {
  throw ReportError(std::string(what) + " " + file.filename().string() + ": " +
                    std::strerror(error));
}

// The page file open for reading, closed however the writing ends.
class PageFile {
 public:
  explicit PageFile(const std::filesystem::path& file) : path_(file) {
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
      throw ReportError("Could not read " + file.filename().string() +
                        ": the file no longer exists");
    }
    if (fd_ < 0) FailReading("Could not open", file, errno);
  }
  ~PageFile() { ::close(fd_); }
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  // The next piece from the current position; empty at the end.
  std::size_t Read(char* into, std::size_t size) {
    for (;;) {
      const ssize_t got = ::read(fd_, into, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) FailReading("Could not read", path_, errno);
    }
  }

  // `length` bytes from `offset`, which the file held when it was read through.
  void ReadAt(std::uint64_t offset, std::size_t length, std::string& into) {
    into.resize(length);
    std::size_t done = 0;
    while (done < length) {
      const ssize_t got =
          ::pread(fd_, into.data() + done, length - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) FailReading("Could not read", path_, got < 0 ? errno : EIO);
      done += static_cast<std::size_t>(got);
    }
  }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

using LineAt = std::function<void(std::string_view line, std::uint64_t offset)>;

// Calls `eachLine` with every line of the file and the offset of its first byte: a
// line ends at CR or CR LF, a lone LF stays in the line, and a last line without a
// line end is a line when it is not empty, as ReadLines has it.
void ReadLinesAt(PageFile& file, std::size_t pieceSize, const LineAt& eachLine) {
  pieceSize = std::max<std::size_t>(pieceSize, 1);
  const std::unique_ptr<char[]> piece(new char[pieceSize]);
  std::string pending;  // a line begun in an earlier piece
  std::uint64_t pendingAt = 0;
  bool skipLineFeed = false;  // the last piece ended with CR
  for (std::uint64_t base = 0;;) {
    const std::size_t size = file.Read(piece.get(), pieceSize);
    if (size == 0) break;
    const char* const data = piece.get();
    std::size_t i = 0;
    if (skipLineFeed && data[0] == '\n') i = 1;
    skipLineFeed = false;
    while (i < size) {
      const void* found = std::memchr(data + i, '\r', size - i);
      if (found == nullptr) {
        if (pending.empty()) pendingAt = base + i;
        pending.append(data + i, size - i);
        break;
      }
      const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - data);
      if (pending.empty()) {
        eachLine(std::string_view(data + i, end - i), base + i);
      } else {
        pending.append(data + i, end - i);
        eachLine(pending, pendingAt);
        pending.clear();
      }
      i = end + 1;
      if (i == size) {
        skipLineFeed = true;
      } else if (data[i] == '\n') {
        ++i;
      }
    }
    base += size;
  }
  if (!pending.empty()) eachLine(pending, pendingAt);
}

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

  void WriteTo(ReportFile& report, PageFile& file, const RowTextOf& rowText) const {
    std::string line;
    for (int count = highest_; count >= minimum_; --count) {
      const std::size_t slot = Slot(static_cast<std::int16_t>(count));
      for (std::uint32_t i = heldByCount_[slot].first; i != kNone; i = held_[i].next) {
        report.Write(std::string_view(text_.data() + held_[i].offset, held_[i].length));
      }
      for (std::uint32_t i = notedByCount_[slot].first; i != kNone; i = noted_[i].next) {
        file.ReadAt(noted_[i].offset, noted_[i].length, line);
        report.Write(rowText(line));
      }
    }
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

void WriteRowsInOnePass(const std::filesystem::path& pageFile, std::int16_t highest,
                        std::int16_t minimum, const BidCountOf& bidCount, const RowTextOf& rowText,
                        ReportFile& report, const OnePassLimits& limits) {
  if (highest < minimum) return;
  PageFile file(pageFile);
  std::error_code sizeUnknown;
  const std::uintmax_t fileSize = std::filesystem::file_size(pageFile, sizeUnknown);
  KeptRows kept(highest, minimum, limits.memory, sizeUnknown ? 0 : fileSize);
  ReadLinesAt(file, limits.piece, [&](std::string_view line, std::uint64_t offset) {
    const std::int16_t count = bidCount(line);
    if (count < minimum || count > highest) return;
    if (!kept.Holding() || !kept.Hold(count, rowText(line))) kept.Note(count, offset, line.size());
  });
  kept.WriteTo(report, file, rowText);
}

}  // namespace lotwise
