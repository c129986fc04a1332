#include "collect/page_file.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <system_error>

#include "files/file_failure.h"

namespace lotwise {

void AppendRecord(const std::filesystem::path& file, std::string_view record) {
  ByteFile out(file, ByteFile::Mode::kAppend);
  if (!out.isOpen()) throw PageFileError(FileFailure("Could not open", file, out.error()));
  if (!out.Write(record) || !out.Write("\r\n") || !out.Close()) {
    throw PageFileError(FileFailure("Could not write", file, out.error()));
  }
}

PageFileReader::PageFileReader(const std::filesystem::path& file)
    : path_(file), file_(file, ByteFile::Mode::kRead) {
  if (file_.isOpen()) return;
  if (file_.error() != std::errc::no_such_file_or_directory) {
    throw PageFileError(FileFailure("Could not open", file, file_.error()));
  }
  exists_ = false;
}

void PageFileReader::ReadLines(const LineSplitter::EachLine& eachLine, std::size_t pieceSize) {
  if (!exists_)
    throw PageFileError(FileFailure("Could not read", path_, "the file no longer exists"));
  pieceSize = std::max<std::size_t>(pieceSize, 1);
  const std::unique_ptr<char[]> piece(new char[pieceSize]);
  LineSplitter splitter;
  for (;;) {
    const std::optional<std::size_t> got = file_.Read(piece.get(), pieceSize);
    if (!got) throw PageFileError(FileFailure("Could not read", path_, file_.error()));
    if (*got > 0) splitter.Feed(std::string_view(piece.get(), *got), eachLine);
    if (*got < pieceSize) break;
  }
  splitter.Finish(eachLine);
}

void PageFileReader::ReadAt(std::uint64_t offset, std::size_t length, std::string& into) {
  if (!exists_ || !file_.ReadAt(offset, length, into)) {
    throw PageFileError(FileFailure("Could not read", path_, file_.error()));
  }
}

bool ReadLines(const std::filesystem::path& file, const LineHandler& eachLine) {
  PageFileReader reader(file);
  if (!reader.exists()) return false;
  reader.ReadLines([&eachLine](std::string_view line, std::uint64_t) { eachLine(line); });
  return true;
}

}  // namespace lotwise
