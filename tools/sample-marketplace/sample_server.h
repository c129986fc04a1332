#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "sample-marketplace/answer_log.h"
#include "sample-marketplace/api_mock.h"
#include "sample-marketplace/faults.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/site_search.h"
#include "sample-marketplace/stop_signal.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace lotwise::sample {

struct ServerSettings {
  std::chrono::milliseconds delay{0};  // before every answer
  Fault fault = Fault::kNone;
  std::uint64_t faultAfter = 0;  // requests answered normally before the fault begins
  bool faultOnce = false;        // only the first request after those meets the fault
  std::uint32_t seed = 1;        // for the garbage bytes
  std::string itemHost;          // host of item links and pictures; empty: this server
  ApiSettings api;               // the API's credentials, token lifetime and faults
  SiteSettings site;             // the layout and clock of today's result pages
};

// The marketplace over HTTP on 127.0.0.1, served from a thread of its own. Every GET is
// logged and answered by its target alone, whatever the Host header says: the site's
// result pages by SiteSearch, the rest by the Marketplace; the API's requests (ApiMock),
// a POST among them, by their headers and body too.
class SampleServer {
 public:
  SampleServer(const Marketplace& marketplace, RequestLog& log, ServerSettings settings);
  ~SampleServer();
  SampleServer(const SampleServer&) = delete;
  SampleServer& operator=(const SampleServer&) = delete;

  // Records every answer in `answers` too, from the next start on.
  void LogAnswers(AnswerLog& answers) { answers_ = &answers; }

  // Binds 127.0.0.1:`port` (0: any free port), starts serving and returns the port.
  // Throws std::runtime_error when the port cannot be bound.
  int Start(int port);
  // Waits until the server stops.
  void Wait();
  // Stops serving; stalled and delayed requests are cut off. Safe to call twice.
  void Stop();

  // The host that item links point at.
  const std::string& itemHost() const { return itemHost_; }

 private:
  void Serve(const httplib::Request& request, httplib::Response& response);
  Reply ApiAnswer(const httplib::Request& request);

  const Marketplace& marketplace_;
  RequestLog& log_;
  AnswerLog* answers_ = nullptr;
  ServerSettings settings_;
  FaultPlan faults_;
  ApiMock api_;
  SiteSearch site_;
  StopSignal stopping_;
  std::atomic<std::uint32_t> garbageAnswers_{0};
  std::atomic<bool> listenEnded_{false};
  std::string itemHost_;
  std::string ownHost_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
};

}  // namespace lotwise::sample
