#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace lotwise {

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
  void WriteOut(const char* data, std::size_t size);
  [[noreturn]] void Fail(const char* what, int error) const;

  std::filesystem::path report_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;  // kBufferSize bytes, filled from the start
  std::size_t buffered_ = 0;
  bool committed_ = false;
};

}  // namespace lotwise
