#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace lotwise::test {

// The message of the FetchError that `fetch` throws; fails the test if it throws none.
template <typename Fetch>
std::string FetchErrorOf(Fetch fetch) {
  try {
    fetch();
  } catch (const FetchError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no FetchError";
  return {};
}

}  // namespace lotwise::test
