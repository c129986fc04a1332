#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lotwise::bench {

// Runs the curl program with `config` (in curl's config-file syntax, written to a file in
// `folder`) as its only option; false when it cannot be run or fails.
bool RunCurl(const std::string& config, const std::filesystem::path& folder);

// The config of one transfer after another, bodies thrown away: one block a transfer,
// each started with its address and followed by its own options.
std::string CurlTransfers(const std::vector<std::string>& blocks);

// The block of a plain GET of `url`.
std::string CurlGet(const std::string& url);

}  // namespace lotwise::bench
