#include "curl_program.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <system_error>

#include "timing.h"

extern char** environ;

namespace lotwise::bench {

bool RunCurl(const std::string& config, const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / "curl-config.txt";
  {
    std::ofstream out(file);
    out << config;
  }
  std::string program = "curl";
  std::string configOption = "--config";
  std::string configPath = file.string();
  char* argv[] = {program.data(), configOption.data(), configPath.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, "curl", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string CurlTransfers(const std::vector<std::string>& blocks) {
  std::string config;
  for (const std::string& block : blocks) {
    if (!config.empty()) config += "next\n";
    config += "globoff\nsilent\nshow-error\noutput = \"/dev/null\"\n" + block;
  }
  return config;
}

std::string CurlGet(const std::string& url) { return "url = \"" + url + "\"\n"; }

bool VersusCurl(benchmark::State& state, double lotwise, const std::vector<std::string>& blocks,
                const std::function<std::size_t()>& served, const std::filesystem::path& folder,
                const std::filesystem::path& pageFile, const char* counted) {
  const std::size_t before = served();
  bool curlRan = false;
  const double curl = Seconds([&] { curlRan = RunCurl(CurlTransfers(blocks), folder); });
  if (!curlRan || served() - before != blocks.size()) {
    state.SkipWithError("curl did not make every transfer");
    return false;
  }
  state.SetIterationTime(lotwise);
  state.counters[counted] = static_cast<double>(blocks.size());
  state.counters["lotwise_s"] = lotwise;
  state.counters["curl_s"] = curl;
  state.counters["lotwise_per_curl"] = lotwise / curl;
  // A search through a source keeps its items in memory and writes no page file.
  std::error_code missing;
  const std::uintmax_t pageFileBytes = std::filesystem::file_size(pageFile, missing);
  if (!missing) state.counters["page_file_MiB"] = static_cast<double>(pageFileBytes) / (1 << 20);
  return true;
}

}  // namespace lotwise::bench
