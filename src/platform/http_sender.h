#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lotwise {

// An HTTP request of a source of items: a GET, or a POST of a form.
struct HttpRequest {
  std::string url;
  std::string formBody;  // sent as a POST when not empty
  std::vector<std::pair<std::string, std::string>> headers;
  std::string user;  // with `password`: HTTP Basic authentication, when not empty
  std::string password;
  // Asks for a compressed answer (gzip, deflate, ...), which arrives decompressed.
  bool acceptCompressed = false;
};

// What became of a request: the answer, or none because the search was stopped while it
// waited.
struct HttpResponse {
  enum class Outcome {
    kAnswered,  // `status` and `body` are the server's
    kStopped,   // cut short by "Stop Search": no answer
  };
  int status = 0;
  std::string body;
  Outcome outcome = Outcome::kAnswered;
  // The answer's header fields, name and value, in the order received; after redirects
  // those of every answer on the way, so that what each one set (cookies) is seen.
  std::vector<std::pair<std::string, std::string>> headers{};

  bool stopped() const { return outcome == Outcome::kStopped; }
  static HttpResponse Stopped() { return {0, {}, Outcome::kStopped}; }
};

// What sends such requests, handling user input while one waits. Throws FetchError when
// no answer arrives for any other reason.
class HttpSender {
 public:
  virtual ~HttpSender() = default;
  virtual HttpResponse Send(const HttpRequest& request) = 0;
};

}  // namespace lotwise
