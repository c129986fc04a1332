#include "collect/page_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lotwise {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string Describe(const char* what, const std::filesystem::path& file, int error) {
  return std::string(what) + " " + file.filename().string() + ": " + std::strerror(error);
}

}  // namespace

void AppendRecord(const std::filesystem::path& file, std::string_view record) {
  std::FILE* raw = std::fopen(file.c_str(), "ab");
  if (raw == nullptr) throw PageFileError(Describe("Could not open", file, errno));
  const bool written = std::fwrite(record.data(), 1, record.size(), raw) == record.size() &&
                       std::fwrite("\r\n", 1, 2, raw) == 2;
  const int writeError = errno;
  const bool closed = std::fclose(raw) == 0;
  if (!written) throw PageFileError(Describe("Could not write", file, writeError));
  if (!closed) throw PageFileError(Describe("Could not write", file, errno));
}

void LineSplitter::Feed(std::string_view piece, const LineHandler& eachLine) {
  std::size_t i = 0;
  if (skipLineFeed_ && !piece.empty()) {
    if (piece.front() == '\n') i = 1;
    skipLineFeed_ = false;
  }
  while (i < piece.size()) {
    const std::size_t cr = piece.find('\r', i);
    if (cr == std::string_view::npos) {
      pending_.append(piece.substr(i));
      return;
    }
    if (pending_.empty()) {
      eachLine(piece.substr(i, cr - i));
    } else {
      pending_.append(piece.substr(i, cr - i));
      eachLine(pending_);
      pending_.clear();
    }
    i = cr + 1;
    if (i == piece.size()) {
      skipLineFeed_ = true;
    } else if (piece[i] == '\n') {
      ++i;
    }
  }
}

void LineSplitter::Finish(const LineHandler& eachLine) {
  if (!pending_.empty()) eachLine(pending_);
  pending_.clear();
  skipLineFeed_ = false;
}

bool ReadLines(const std::filesystem::path& file, const LineHandler& eachLine) {
  File in(std::fopen(file.c_str(), "rb"));
  if (!in) {
    if (errno == ENOENT) return false;
    throw PageFileError(Describe("Could not open", file, errno));
  }
  constexpr std::size_t kPiece = 1 << 16;
  const std::unique_ptr<char[]> buffer(new char[kPiece]);
  LineSplitter splitter;
  for (;;) {
    const std::size_t got = std::fread(buffer.get(), 1, kPiece, in.get());
    if (got > 0) splitter.Feed(std::string_view(buffer.get(), got), eachLine);
    if (got < kPiece) {
      if (std::ferror(in.get())) throw PageFileError(Describe("Could not read", file, errno));
      break;
    }
  }
  splitter.Finish(eachLine);
  return true;
}

}  // namespace lotwise
