#include "report/report_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "report/report_writer.h"

namespace lotwise {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

ReportFile::ReportFile(std::filesystem::path report)
    : report_(std::move(report)), temporary_(report_) {
  temporary_ += ".part";
  std::error_code ignored;
  if (std::filesystem::exists(report_, ignored) &&
      !std::filesystem::is_directory(report_, ignored)) {
    std::filesystem::remove(report_, ignored);
  }
  fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) Fail("Could not create", errno);
  // Not cleared: only the part written to is ever touched, so a small report costs
  // no more than its own size.
  buffer_.reset(new char[kBufferSize]);
}

ReportFile::~ReportFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
  }
}

void ReportFile::Write(std::string_view text) {
  if (text.size() > kBufferSize - buffered_) {
    Flush();
    if (text.size() >= kBufferSize) {
      WriteOut(text.data(), text.size());
      return;
    }
  }
  std::memcpy(buffer_.get() + buffered_, text.data(), text.size());
  buffered_ += text.size();
}

void ReportFile::Commit() {
  Flush();
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) Fail("Could not write", errno);
  std::error_code error;
  std::filesystem::rename(temporary_, report_, error);
  if (error) Fail("Could not write", error.value());
  committed_ = true;
}

void ReportFile::Flush() {
  const std::size_t size = std::exchange(buffered_, 0);
  WriteOut(buffer_.get(), size);
}

void ReportFile::WriteOut(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail("Could not write", written < 0 ? errno : EIO);
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void ReportFile::Fail(const char* what, int error) const {
  throw ReportError(std::string(what) + " " + report_.filename().string() + ": " +
                    std::strerror(error));
}

}  // namespace lotwise
