#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <functional>
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

// Has curl make the transfers of `blocks` after Lotwise made them in `lotwise` seconds,
// and gives the iteration Lotwise's time and the counters of both (`counted` names the
// number of transfers; page_file_MiB is the size of `pageFile`, where there is one). `served`
// counts the requests the server has answered. False, with the iteration skipped, when curl fails
// or the server did not see every transfer.
bool VersusCurl(benchmark::State& state, double lotwise, const std::vector<std::string>& blocks,
                const std::function<std::size_t()>& served, const std::filesystem::path& folder,
                const std::filesystem::path& pageFile, const char* counted);

}  // namespace lotwise::bench
