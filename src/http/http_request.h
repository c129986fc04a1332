#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lotwise {

// An HTTP request of the marketplace's API: a GET, or a POST of a form.
struct HttpRequest {
  std::string url;
  std::string formBody;  // sent as a POST when not empty
  std::vector<std::pair<std::string, std::string>> headers;
  std::string user;  // with `password`: HTTP Basic authentication, when not empty
  std::string password;
};

struct HttpResponse {
  int status = 0;  // 0: no answer, the request was cut short
  std::string body;
};

// What sends such requests, handling user input while one waits. Throws FetchError when
// no answer arrives.
class HttpSender {
 public:
  virtual ~HttpSender() = default;
  virtual HttpResponse Send(const HttpRequest& request) = 0;
};

}  // namespace lotwise
