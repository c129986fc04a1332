#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace lotwise {

// The page file: the result tables cut from every fetched page, each followed by CR LF.
inline constexpr char kPageFileName[] = "Listinglist.txt";

// The page file could not be opened, written or read.
class PageFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens the page file for appending (creating it), writes one record exactly as given
// followed by CR LF, and closes it. Throws PageFileError.
void AppendRecord(const std::filesystem::path& file, std::string_view record);

using LineHandler = std::function<void(std::string_view line)>;

// Reads a file line by line (split by LineSplitter) in fixed-size pieces, never holding
// it whole. Returns false when the file does not exist; throws PageFileError when it
// cannot be read.
bool ReadLines(const std::filesystem::path& file, const LineHandler& eachLine);

}  // namespace lotwise
