#include "curl_program.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fstream>

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

}  // namespace lotwise::bench
