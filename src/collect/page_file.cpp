#include "collect/page_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <system_error>

#include "files/byte_file.h"
#include "files/file_failure.h"
#include "text/lines.h"

namespace lotwise {

void AppendRecord(const std::filesystem::path& file, std::string_view record) {
  ByteFile out(file, ByteFile::Mode::kAppend);
  if (!out.isOpen()) throw PageFileError(FileFailure("Could not open", file, out.error()));
  if (!out.Write(record) || !out.Write("\r\n") || !out.Close()) {
    throw PageFileError(FileFailure("Could not write", file, out.error()));
  }
}

bool ReadLines(const std::filesystem::path& file, const LineHandler& eachLine) {
  ByteFile in(file, ByteFile::Mode::kRead);
  if (!in.isOpen()) {
    if (in.error() == std::errc::no_such_file_or_directory) return false;
    throw PageFileError(FileFailure("Could not open", file, in.error()));
  }
  constexpr std::size_t kPiece = 1 << 16;
  const std::unique_ptr<char[]> buffer(new char[kPiece]);
  LineSplitter splitter;
  const LineSplitter::EachLine handOver = [&eachLine](std::string_view line, std::uint64_t) {
    eachLine(line);
  };
  for (;;) {
    const std::optional<std::size_t> got = in.Read(buffer.get(), kPiece);
    if (!got) throw PageFileError(FileFailure("Could not read", file, in.error()));
    if (*got > 0) splitter.Feed(std::string_view(buffer.get(), *got), handOver);
    if (*got < kPiece) break;
  }
  splitter.Finish(handOver);
  return true;
}

}  // namespace lotwise
