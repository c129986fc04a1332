#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sample-marketplace/answer_log.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"

namespace lotwise::e2e {

// The sample marketplace served in-process on 127.0.0.1. It can be started again on the
// same port with other settings, so that one window (whose hosts name that port) meets
// a misbehaving server first and a healthy one after. Stops when destroyed.
class ServedMarketplace {
 public:
  explicit ServedMarketplace(const sample::Marketplace& market) : market_(market) {}

  // Serves on `port` (0: a free port), with a fresh request log; gives the port.
  int Start(sample::ServerSettings settings = {}, int port = 0);
  // Stops and serves again on the same port.
  void Restart(sample::ServerSettings settings = {});
  void Stop();

  // The request targets since the last start, in the order they arrived. Read while no
  // request is under way.
  std::vector<std::string> Requests() const;
  // The answers since the last start, in the order they were given.
  std::vector<sample::Answer> Answers() const;

 private:
  const sample::Marketplace& market_;
  std::unique_ptr<std::ostringstream> logText_;
  std::unique_ptr<sample::RequestLog> log_;
  std::unique_ptr<sample::AnswerLog> answers_;
  std::unique_ptr<sample::SampleServer> server_;
  int port_ = 0;
};

// A loopback port that nothing listens on: bound once to find it free, then closed.
int ClosedPort();

}  // namespace lotwise::e2e
