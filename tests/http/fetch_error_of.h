#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace lotwise::test {

// The FetchError that `fetch` throws; fails the test if it throws none.
template <typename Fetch>
FetchError CaughtFetchError(Fetch fetch) {
  try {
    fetch();
  } catch (const FetchError& error) {
    return error;
  }
  ADD_FAILURE() << "no FetchError";
  return FetchError("");
}

// Its message.
template <typename Fetch>
std::string FetchErrorOf(Fetch fetch) {
  return CaughtFetchError(fetch).what();
}

}  // namespace lotwise::test
