#include "files/byte_file.h"

#include <cerrno>
#include <ios>

namespace lotwise {
namespace {

std::ios_base::openmode OpenMode(ByteFile::Mode mode) {
  switch (mode) {
    case ByteFile::Mode::kRead:
      return std::ios_base::in | std::ios_base::binary;
    case ByteFile::Mode::kAppend:
      return std::ios_base::out | std::ios_base::app | std::ios_base::binary;
    case ByteFile::Mode::kCreate:
      return std::ios_base::out | std::ios_base::trunc | std::ios_base::binary;
  }
  return std::ios_base::in | std::ios_base::binary;
}

}  // namespace

ByteFile::ByteFile(const std::filesystem::path& path, Mode mode) {
  // Unbuffered where the caller reads or writes in large pieces of its own: they then go
  // to the system directly, without a copy through the file buffer.
  if (mode != Mode::kAppend) file_.pubsetbuf(nullptr, 0);
  errno = 0;
  if (file_.open(path, OpenMode(mode)) == nullptr) Fail();
}

bool ByteFile::Fail() {
  // The file buffer fails as the C library's file calls beneath it do, which set errno.
  error_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
  return false;
}

std::optional<std::size_t> ByteFile::Read(char* into, std::size_t size) {
  errno = 0;
  try {
    std::size_t done = 0;
    while (done < size) {
      const std::streamsize got =
          file_.sgetn(into + done, static_cast<std::streamsize>(size - done));
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    return done;
  } catch (const std::ios_base::failure& failure) {
    // The file buffer reports a failed read by throwing, with the system's reason.
    const std::error_code reason = failure.code();
    if (reason && (reason.category() == std::generic_category() ||
                   reason.category() == std::system_category())) {
      error_ = reason;
    } else {
      Fail();
    }
    return std::nullopt;
  }
}

bool ByteFile::ReadAt(std::uint64_t offset, std::size_t length, std::string& into) {
  into.resize(length);
  errno = 0;
  const auto at = static_cast<std::streamoff>(offset);
  if (file_.pubseekpos(at, std::ios_base::in) != std::streampos(at)) return Fail();
  const std::optional<std::size_t> got = Read(into.data(), length);
  if (!got) return false;
  if (*got != length) {
    errno = EIO;
    return Fail();
  }
  return true;
}

bool ByteFile::Write(std::string_view bytes) {
  errno = 0;
  const auto size = static_cast<std::streamsize>(bytes.size());
  if (file_.sputn(bytes.data(), size) != size) return Fail();
  return true;
}

bool ByteFile::Close() {
  errno = 0;
  if (file_.close() == nullptr) return Fail();
  return true;
}

}  // namespace lotwise
