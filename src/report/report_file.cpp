#include "report/report_file.h"

#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "files/file_failure.h"

namespace lotwise {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

std::filesystem::path PartFile(const std::filesystem::path& file) {
  std::filesystem::path part = file;
  part += ".part";
  return part;
}

ReportFile::ReportFile(std::filesystem::path report)
    : report_(std::move(report)), temporary_(PartFile(report_)) {
  std::error_code ignored;
  if (std::filesystem::exists(report_, ignored) &&
      !std::filesystem::is_directory(report_, ignored)) {
    std::filesystem::remove(report_, ignored);
  }
  file_.emplace(temporary_, ByteFile::Mode::kCreate);
  if (!file_->isOpen()) Fail("Could not create", file_->error());
  // Not cleared: only the part written to is ever touched, so a small report costs
  // no more than its own size.
  buffer_.reset(new char[kBufferSize]);
}

ReportFile::~ReportFile() {
  file_.reset();
  if (!committed_) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void ReportFile::Write(std::string_view text) {
  if (text.size() > kBufferSize - buffered_) {
    Flush();
    if (text.size() >= kBufferSize) {
      WriteOut(text);
      return;
    }
  }
  std::memcpy(buffer_.get() + buffered_, text.data(), text.size());
  buffered_ += text.size();
}

void ReportFile::Commit() {
  Flush();
  const bool closed = file_->Close();
  const std::error_code error = file_->error();
  file_.reset();
  if (!closed) Fail("Could not write", error);
  std::error_code renamed;
  std::filesystem::rename(temporary_, report_, renamed);
  if (renamed) Fail("Could not write", renamed);
  committed_ = true;
}

void ReportFile::Flush() {
  const std::size_t size = std::exchange(buffered_, 0);
  WriteOut(std::string_view(buffer_.get(), size));
}

void ReportFile::WriteOut(std::string_view bytes) {
  if (!file_->Write(bytes)) Fail("Could not write", file_->error());
}

void ReportFile::Fail(const char* what, std::error_code error) const {
  throw ReportError(FileFailure(what, report_, error));
}

}  // namespace lotwise
