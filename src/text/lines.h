#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lotwise {

// Splits text that arrives in pieces into lines: a line ends at CR or CR LF; a lone LF
// stays in the line; a last line without a line end is still a line when it is not
// empty. Each line is handed over with the offset of its first character in the whole
// text. A line that lies within one piece is handed over without being copied.
class LineSplitter {
 public:
  using EachLine = std::function<void(std::string_view line, std::uint64_t offset)>;

  // Feeds the next piece of the text; calls `eachLine(line, offset)` for every line it
  // completes.
  void Feed(std::string_view piece, const EachLine& eachLine);

  // Ends the text; calls `eachLine(line, offset)` for a last line without a line end.
  void Finish(const EachLine& eachLine);

 private:
  std::string pending_;          // a line begun in an earlier piece
  std::uint64_t pendingAt_ = 0;  // its offset
  std::uint64_t base_ = 0;       // offset of the next piece
  bool skipLineFeed_ = false;    // the last piece ended with CR
};

}  // namespace lotwise
