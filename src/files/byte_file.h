#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace lotwise {

// A file read or written as bytes, unchanged on every system (no line-end translation),
// through the standard library's file buffer, which opens any path the system can
// name. No call throws: each one says whether it succeeded, and error() then gives the
// system's reason.
class ByteFile {
 public:
  enum class Mode {
    kRead,    // from the start; every read goes to the system, in the caller's pieces
    kAppend,  // written at its end; created when missing
    kCreate,  // written from the start; emptied, or created when missing; every write
              // goes to the system, in the caller's pieces
  };

  ByteFile(const std::filesystem::path& path, Mode mode);
  ByteFile(const ByteFile&) = delete;
  ByteFile& operator=(const ByteFile&) = delete;

  bool isOpen() const { return file_.is_open(); }
  std::error_code error() const { return error_; }

  // Up to `size` bytes from the current place, fewer only at the end of the file.
  std::optional<std::size_t> Read(char* into, std::size_t size);
  // Exactly `length` bytes from `offset`; false also when the file ends before them.
  bool ReadAt(std::uint64_t offset, std::size_t length, std::string& into);
  bool Write(std::string_view bytes);
  // Writes out what is buffered and closes the file.
  bool Close();

 private:
  bool Fail();

  std::filebuf file_;
  std::error_code error_;
};

}  // namespace lotwise
