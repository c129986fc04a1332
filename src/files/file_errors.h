#pragma once

#include <stdexcept>

namespace lotwise {

// The files of a search fail with these; what() names the file and says why (see
// FileFailure).

// The page file could not be opened, written or read.
class PageFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The report could not be created or written.
class ReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lotwise
