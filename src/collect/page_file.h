#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "files/byte_file.h"
#include "files/file_errors.h"
#include "text/lines.h"

namespace lotwise {

// The page file: the result tables cut from every fetched page, each followed by CR LF.
inline constexpr char kPageFileName[] = "Listinglist.txt";

// Opens the page file for appending (creating it), writes one record exactly as given
// followed by CR LF, and closes it. Throws PageFileError.
void AppendRecord(const std::filesystem::path& file, std::string_view record);

// The page file open for reading, closed however the reading ends. Every failure throws
// PageFileError naming the file.
class PageFileReader {
 public:
  explicit PageFileReader(const std::filesystem::path& file);

  // False when there is no page file (nothing was collected).
  bool exists() const { return exists_; }

  // Every line, split by LineSplitter, with the offset of its first byte, read from the
  // start in pieces of `pieceSize` bytes, never holding the file whole.
  void ReadLines(const LineSplitter::EachLine& eachLine, std::size_t pieceSize = 1 << 16);
  // `length` bytes from `offset`, which the file held when it was read through.
  void ReadAt(std::uint64_t offset, std::size_t length, std::string& into);

 private:
  std::filesystem::path path_;
  ByteFile file_;
  bool exists_ = true;
};

using LineHandler = std::function<void(std::string_view line)>;

// Reads a file line by line with a PageFileReader. Returns false when the file does not
// exist; throws PageFileError when it cannot be read.
bool ReadLines(const std::filesystem::path& file, const LineHandler& eachLine);

}  // namespace lotwise
