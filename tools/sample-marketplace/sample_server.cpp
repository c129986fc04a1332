#include "sample-marketplace/sample_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace lotwise::sample {
namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr std::chrono::minutes kStallLimit{10};
constexpr std::size_t kGarbageLength = 4096;

// Sends the headers of a body of `body.size()` bytes, then `sent` of them, then drops
// the connection.
void CutOff(httplib::Response& response, std::string body, std::size_t sent) {
  const std::size_t length = std::max<std::size_t>(body.size(), 1);
  response.status = 200;
  response.set_content_provider(
      length, "text/html",
      [body = std::move(body), sent](std::size_t, std::size_t, httplib::DataSink& sink) {
        if (sent > 0) sink.write(body.data(), sent);
        return false;
      });
}

// Lets a server bind again right after one stopped, while the old connections linger, but
// never share a port: cpp-httplib's default, SO_REUSEPORT, would let a second server listen
// beside the first and split the requests between them.
void ExclusivePort(socket_t socket) {
  const int yes = 1;
  setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

// Why 127.0.0.1:`port` cannot be bound, as the system says when asked once more (the
// server itself only says that it could not).
std::string BindFailure(int port) {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  if (probe < 0) return std::strerror(errno);
  const int yes = 1;
  setsockopt(probe, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, kLoopback, &address.sin_addr);
  const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  const int error = errno;
  close(probe);
  if (bound) return "it is free again: try once more";
  return error == EADDRINUSE ? "the port is taken" : std::strerror(error);
}

}  // namespace

SampleServer::SampleServer(const Marketplace& marketplace, RequestLog& log, ServerSettings settings)
    : marketplace_(marketplace),
      log_(log),
      settings_(std::move(settings)),
      faults_(settings_.fault, settings_.faultAfter, settings_.faultOnce),
      api_(marketplace.items(), settings_.api),
      site_(marketplace.items(), settings_.site),
      server_(std::make_unique<httplib::Server>()) {
  server_->set_keep_alive_max_count(1);
  server_->set_socket_options(ExclusivePort);
  const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
    Serve(request, response);
    if (answers_ != nullptr) {
      answers_->Record(
          {request.target, response.status, response.get_header_value("Content-Type")});
    }
  };
  server_->Get(".*", handler);
  server_->Post(std::string(kTokenPath), handler);
}

SampleServer::~SampleServer() { Stop(); }

int SampleServer::Start(int port) {
  if (port == 0) {
    port = server_->bind_to_any_port(kLoopback);
    if (port < 0) throw std::runtime_error("cannot bind 127.0.0.1 to a free port");
  } else if (!server_->bind_to_port(kLoopback, port)) {
    throw std::runtime_error("cannot bind 127.0.0.1:" + std::to_string(port) + ": " +
                             BindFailure(port));
  }
  ownHost_ = kLoopback + (":" + std::to_string(port));
  itemHost_ = settings_.itemHost.empty() ? ownHost_ : settings_.itemHost;
  thread_ = std::thread([this] {
    server_->listen_after_bind();
    listenEnded_ = true;
  });
  // stop() only takes effect once the server runs.
  while (!server_->is_running() && !listenEnded_) std::this_thread::yield();
  return port;
}

void SampleServer::Wait() {
  if (thread_.joinable()) thread_.join();
}

void SampleServer::Stop() {
  stopping_.Raise();
  server_->stop();
  Wait();
}

void SampleServer::Serve(const httplib::Request& request, httplib::Response& response) {
  log_.Record(request.method, request.target);
  const bool api = ApiMock::Serves(request.path);
  const bool site = SiteSearch::Serves(request.path);
  const Fault fault = api ? Fault::kNone : faults_.Next(site);
  if (settings_.delay.count() > 0 && stopping_.WaitFor(settings_.delay)) {
    CutOff(response, {}, 0);
    return;
  }
  switch (fault) {
    case Fault::kStall:
      stopping_.WaitFor(kStallLimit);
      CutOff(response, {}, 0);
      return;
    case Fault::kServerError:
      response.status = 500;
      response.set_content(ServerErrorBody(), "text/html");
      return;
    case Fault::kGarbage:
      response.set_content(GarbageBody(settings_.seed + garbageAnswers_++, kGarbageLength),
                           "text/html");
      return;
    case Fault::kRobotCheck:
      response.set_content(RobotCheckBody(), "text/html");
      return;
    case Fault::kReset:
    case Fault::kNone:
      break;
  }
  Reply reply = api    ? ApiAnswer(request)
                : site ? site_.Answer(request.target, itemHost_, ownHost_)
                       : marketplace_.Answer(request.target, itemHost_);
  response.status = reply.status;
  if (!reply.location.empty()) response.set_header("Location", reply.location);
  if (fault == Fault::kReset) {
    const std::size_t half = reply.body.size() / 2;
    CutOff(response, std::move(reply.body), half);
    return;
  }
  response.set_content(reply.body, reply.contentType);
}

Reply SampleServer::ApiAnswer(const httplib::Request& request) {
  ApiRequest apiRequest{request.method, request.target, {}, request.body};
  apiRequest.headers.assign(request.headers.begin(), request.headers.end());
  return api_.Answer(apiRequest, itemHost_, ownHost_);
}

}  // namespace lotwise::sample
