#include "text/lines.h"

#include <cstring>

namespace lotwise {

void LineSplitter::Feed(std::string_view piece, const EachLine& eachLine) {
  std::size_t i = 0;
  if (skipLineFeed_ && !piece.empty()) {
    if (piece.front() == '\n') i = 1;
    skipLineFeed_ = false;
  }
  const char* const data = piece.data();
  while (i < piece.size()) {
    const void* cr = std::memchr(data + i, '\r', piece.size() - i);
    if (cr == nullptr) {
      if (pending_.empty()) pendingAt_ = base_ + i;
      pending_.append(data + i, piece.size() - i);
      break;
    }
    const auto end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    if (pending_.empty()) {
      eachLine(std::string_view(data + i, end - i), base_ + i);
    } else {
      pending_.append(data + i, end - i);
      eachLine(std::string_view(pending_), pendingAt_);
      pending_.clear();
    }
    i = end + 1;
    if (i == piece.size()) {
      skipLineFeed_ = true;
    } else if (data[i] == '\n') {
      ++i;
    }
  }
  base_ += piece.size();
}

void LineSplitter::Finish(const EachLine& eachLine) {
  if (!pending_.empty()) eachLine(std::string_view(pending_), pendingAt_);
  pending_.clear();
  skipLineFeed_ = false;
}

}  // namespace lotwise
