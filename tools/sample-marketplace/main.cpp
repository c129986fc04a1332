// The sample marketplace: serves generated listing and search-result pages on
// 127.0.0.1 so that the program can be run and tested without the real marketplace.

#include <fstream>
#include <iostream>
#include <stdexcept>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/options.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"

int main(int argc, char** argv) {
  using namespace lotwise::sample;
  const ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << parsed.error << '\n' << Usage();
    return 2;
  }
  const Options& options = parsed.options;
  if (options.help) {
    std::cout << Usage();
    return 0;
  }

  std::ofstream logFile;
  if (!options.logPath.empty()) {
    logFile.open(options.logPath, std::ios::app);
    if (!logFile) {
      std::cerr << "cannot open " << options.logPath << " for appending\n";
      return 1;
    }
  }
  const Marketplace marketplace(GenerateItems(options.seed, options.items));
  RequestLog log(options.logPath.empty() ? std::cerr : logFile);
  SampleServer server(marketplace, log, options.server);
  try {
    const int port = server.Start(options.port);
    std::cout << "listening on 127.0.0.1:" << port << std::endl;
  } catch (const std::runtime_error& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  server.Wait();
  return 0;
}
