#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sample-marketplace/sample_server.h"

namespace lotwise::sample {

// The command line of the sample marketplace server.
struct Options {
  int port = 8080;
  std::uint32_t seed = 1;
  std::size_t items = 2000;
  std::string logPath;  // empty: log to the error stream
  bool help = false;
  ServerSettings server;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line was understood
};

// Reads "--name value" and "--name=value" arguments (without the program name).
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The usage text.
std::string Usage();

}  // namespace lotwise::sample
