#include "e2e/served_marketplace.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace lotwise::e2e {

int ServedMarketplace::Start(sample::ServerSettings settings, int port) {
  Stop();
  logText_ = std::make_unique<std::ostringstream>();
  log_ = std::make_unique<sample::RequestLog>(*logText_);
  answers_ = std::make_unique<sample::AnswerLog>();
  server_ = std::make_unique<sample::SampleServer>(market_, *log_, std::move(settings));
  server_->LogAnswers(*answers_);
  port_ = server_->Start(port);
  return port_;
}

void ServedMarketplace::Restart(sample::ServerSettings settings) {
  Start(std::move(settings), port_);
}

void ServedMarketplace::Stop() {
  if (server_) server_->Stop();
  server_.reset();
}

std::vector<std::string> ServedMarketplace::Requests() const {
  std::vector<std::string> targets;
  if (!log_) return targets;
  const std::size_t count = log_->count();  // also orders this read after the last record
  std::istringstream lines(logText_->str());
  for (std::string line; std::getline(lines, line);) {
    targets.push_back(line.rfind("GET ", 0) == 0 ? line.substr(4) : line);
  }
  if (targets.size() != count) throw std::logic_error("request log read during a request");
  return targets;
}

std::vector<sample::Answer> ServedMarketplace::Answers() const {
  return answers_ ? answers_->answers() : std::vector<sample::Answer>();
}

int ClosedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) throw std::runtime_error("no socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  const bool found = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  close(fd);
  if (!found) throw std::runtime_error("no free loopback port");
  return ntohs(address.sin_port);
}

}  // namespace lotwise::e2e
