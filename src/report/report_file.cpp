#include "report/report_file.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "report/report_writer.h"

namespace lotwise {

ReportFile::ReportFile(std::filesystem::path report)
    : report_(std::move(report)), temporary_(report_) {
  temporary_ += ".part";
  std::error_code ignored;
  if (std::filesystem::exists(report_, ignored) &&
      !std::filesystem::is_directory(report_, ignored)) {
    std::filesystem::remove(report_, ignored);
  }
  file_ = std::fopen(temporary_.c_str(), "wb");
  if (file_ == nullptr) Fail("Could not create", errno);
}

ReportFile::~ReportFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!committed_) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void ReportFile::Write(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    Fail("Could not write", errno);
}

void ReportFile::Commit() {
  std::FILE* file = std::exchange(file_, nullptr);
  if (std::fclose(file) != 0) Fail("Could not write", errno);
  std::error_code error;
  std::filesystem::rename(temporary_, report_, error);
  if (error) Fail("Could not write", error.value());
  committed_ = true;
}

void ReportFile::Fail(const char* what, int error) const {
  throw ReportError(std::string(what) + " " + report_.filename().string() + ": " +
                    std::strerror(error));
}

}  // namespace lotwise
