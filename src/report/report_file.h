#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "files/byte_file.h"
#include "files/file_errors.h"

namespace lotwise {

// The report: an HTML page in the application folder, opened in the browser.
inline constexpr char kReportFileName[] = "Finalsearch.htm";

// The temporary name a file of the report is written under until it is complete.
std::filesystem::path PartFile(const std::filesystem::path& file);

// The report while it is written: a temporary file beside it ("<name>.part") that
// takes the report's name only in Commit(), so that an unfinished report never stands
// under that name. A previous report is removed first; a file not committed is removed
// when this is destroyed. Every failure throws ReportError naming the report.
class ReportFile {
 public:
  explicit ReportFile(std::filesystem::path report);
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Appends the text exactly.
  void Write(std::string_view text);
  // Closes the file and gives it the report's name, replacing what stands there.
  void Commit();

 private:
  void Flush();
  void WriteOut(std::string_view bytes);
  [[noreturn]] void Fail(const char* what, std::error_code error) const;

  std::filesystem::path report_;
  std::filesystem::path temporary_;
  std::optional<ByteFile> file_;    // open until committed
  std::unique_ptr<char[]> buffer_;  // kBufferSize bytes, filled from the start
  std::size_t buffered_ = 0;
  bool committed_ = false;
};

}  // namespace lotwise
