#pragma once

#include <stdexcept>

namespace lotwise {

// A fetched page lacks what the collection relies on (an end marker, a number).
class CollectError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lotwise
