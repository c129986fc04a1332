#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the fetcher tests. It records every request head
// exactly as it came off the wire and answers with the raw bytes the test's handler returns.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace lotwise::test {

struct ReceivedRequest {
  std::string head;    // request line and headers, as received
  std::string target;  // second word of the request line
  int remotePort = 0;  // the client's port: equal ports mean one connection
};

struct Reply {
  std::string bytes;   // the whole response, status line included
  bool stall = false;  // send nothing until the server stops
  bool close = false;  // close the connection after sending
};

inline Reply Respond(int status, std::string_view body, std::string_view extraHeaders = {}) {
  return {"HTTP/1.1 " + std::to_string(status) +
              " Status\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
              std::string(extraHeaders) + "\r\n" + std::string(body),
          false, false};
}

class LoopbackServer {
 public:
  using Handler = std::function<Reply(const ReceivedRequest&)>;

  explicit LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, Raw(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 || getsockname(listener_, Raw(&address), &length) != 0) {
      if (listener_ >= 0) close(listener_);
      throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
  }

  ~LoopbackServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    stopped_.notify_all();
    acceptor_.join();
    for (std::thread& connection : connections_) connection.join();
    close(listener_);
  }

  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  std::string Url(std::string_view target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
  }
  std::vector<ReceivedRequest> Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  static sockaddr* Raw(sockaddr_in* address) { return reinterpret_cast<sockaddr*>(address); }

  // Waits until `fd` has something to read; false once the server stops.
  bool WaitReadable(int fd) const {
    while (!stopping_) {
      pollfd entry{fd, POLLIN, 0};
      const int ready = poll(&entry, 1, 20);
      if (ready > 0) return true;
      if (ready < 0 && errno != EINTR) return false;
    }
    return false;
  }

  void AcceptLoop() {
    while (WaitReadable(listener_)) {
      sockaddr_in peer{};
      socklen_t length = sizeof peer;
      const int fd = accept4(listener_, Raw(&peer), &length, SOCK_CLOEXEC);
      if (fd < 0) continue;
      const int remotePort = ntohs(peer.sin_port);
      connections_.emplace_back([this, fd, remotePort] {
        Serve(fd, remotePort);
        close(fd);
      });
    }
  }

  void Serve(int fd, int remotePort) {
    std::string pending;
    for (;;) {
      std::size_t end;
      while ((end = pending.find("\r\n\r\n")) == std::string::npos) {
        char buffer[4096];
        if (!WaitReadable(fd)) return;
        const ssize_t received = recv(fd, buffer, sizeof buffer, 0);
        if (received <= 0) return;
        pending.append(buffer, static_cast<std::size_t>(received));
      }
      ReceivedRequest request;
      request.head = pending.substr(0, end + 4);
      pending.erase(0, end + 4);
      const std::size_t from = request.head.find(' ') + 1;
      request.target = request.head.substr(from, request.head.find(' ', from) - from);
      request.remotePort = remotePort;
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
      }
      const Reply reply = handler_(request);
      if (reply.stall) {
        std::unique_lock lock(mutex_);
        stopped_.wait(lock, [this] { return stopping_.load(); });
        return;
      }
      for (std::size_t sent = 0; sent < reply.bytes.size();) {
        const ssize_t n =
            send(fd, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
      }
      if (reply.close) return;
    }
  }

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  std::vector<ReceivedRequest> requests_;
  std::vector<std::thread> connections_;  // touched by the acceptor thread only, until joined
  std::thread acceptor_;
};

}  // namespace lotwise::test
