#include "http/curl_fetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "http/request_target.h"
#include "platform/platform.h"

namespace lotwise {
namespace {

constexpr long kMaxRedirects = 10;

// Ends a fetch whose search was stopped while it waited.
struct FetchStopped {};

// libcurl's global state, set up once for the whole program whichever thread comes first.
void InitCurlOnce() {
  static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (result != CURLE_OK) {
    throw FetchError(std::string("Could not start the network library: ") +
                     curl_easy_strerror(result));
  }
}

FetchFailure KindOf(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return FetchFailure::kHostNotFound;
    case CURLE_COULDNT_CONNECT:
      return FetchFailure::kUnreachable;
    case CURLE_OPERATION_TIMEDOUT:
      return FetchFailure::kTimeout;
    case CURLE_TOO_MANY_REDIRECTS:
      return FetchFailure::kRedirectLoop;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_PARTIAL_FILE:
      return FetchFailure::kBrokenOff;
    default:
      return FetchFailure::kOther;
  }
}

// The host (and port) of an address: what stands between "://" and the next "/", "?" or
// "#"; empty when the address has no "://".
std::string HostOf(std::string_view url) {
  const std::size_t scheme = url.find("://");
  if (scheme == std::string_view::npos) return {};
  const std::string_view rest = url.substr(scheme + 3);
  return std::string(rest.substr(0, rest.find_first_of("/?#")));
}

std::string_view PlainReason(CURLcode code) {
  switch (code) {
    case CURLE_URL_MALFORMAT:
      return "the address is malformed";
    case CURLE_UNSUPPORTED_PROTOCOL:
      return "the address does not start with http://";
    case CURLE_COULDNT_RESOLVE_HOST:
      return "the host was not found";
    case CURLE_COULDNT_CONNECT:
      return "the server could not be reached";
    case CURLE_OPERATION_TIMEDOUT:
      return "the server did not answer in time";
    case CURLE_TOO_MANY_REDIRECTS:
      return "the server redirected too many times (a redirect loop)";
    case CURLE_GOT_NOTHING:
      return "the server closed the connection without answering";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      return "the connection broke off";
    case CURLE_WEIRD_SERVER_REPLY:
      return "the server's answer is not HTTP";
    default:
      return "the page could not be loaded";
  }
}

std::string Failure(const std::string& url, std::string_view reason) {
  return "Could not load " + url + ": " + std::string(reason);
}

void Require(CURLcode code, const char* what) {
  if (code != CURLE_OK) {
    throw FetchError(std::string("Could not set up the network library (") + what +
                     "): " + curl_easy_strerror(code));
  }
}

}  // namespace

struct CurlFetcher::Impl {
  std::function<void()> yield;
  std::function<bool()> stopped;
  Options options;
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  std::string body;
  std::vector<std::pair<std::string, std::string>> answerHeaders;
  int lastStatus = 0;
  bool bodyTooLarge = false;
  bool busy = false;
  char errorText[CURL_ERROR_SIZE] = {};

  Impl(std::function<void()> yieldFunction, Options fetchOptions)
      : yield(std::move(yieldFunction)), options(fetchOptions) {}

  ~Impl() {
    if (easy != nullptr) curl_easy_cleanup(easy);
    if (multi != nullptr) curl_multi_cleanup(multi);
  }

  static std::size_t Write(char* data, std::size_t size, std::size_t count, void* user) {
    auto& self = *static_cast<Impl*>(user);
    const std::size_t bytes = size * count;
    if (bytes > self.options.maxBodyBytes - self.body.size()) {
      self.bodyTooLarge = true;
      return 0;  // stops the transfer
    }
    try {
      self.body.append(data, bytes);
    } catch (...) {
      return 0;
    }
    return bytes;
  }

  // One header line of an answer ("Name: value\r\n"); the status lines and the blank line
  // that ends each answer's header are no fields.
  static std::size_t Header(char* data, std::size_t size, std::size_t count, void* user) {
    auto& self = *static_cast<Impl*>(user);
    const std::size_t bytes = size * count;
    std::string_view line(data, bytes);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return bytes;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    try {
      self.answerHeaders.emplace_back(std::string(line.substr(0, colon)), std::string(value));
    } catch (...) {
      return 0;
    }
    return bytes;
  }

  void SetUp() {
    multi = curl_multi_init();
    easy = curl_easy_init();
    if (multi == nullptr || easy == nullptr) {
      throw FetchError("Could not start the network library: out of memory");
    }
    const auto maxFileSize = static_cast<curl_off_t>(std::min<std::size_t>(
        options.maxBodyBytes, static_cast<std::size_t>(std::numeric_limits<curl_off_t>::max())));
    const auto timeoutMs = static_cast<long>(std::clamp<std::chrono::milliseconds::rep>(
        options.timeout.count(), 1, std::numeric_limits<long>::max()));

    Require(curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText), "error buffer");
    Require(curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Impl::Write), "write function");
    Require(curl_easy_setopt(easy, CURLOPT_WRITEDATA, this), "write data");
    Require(curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Impl::Header), "header function");
    Require(curl_easy_setopt(easy, CURLOPT_HEADERDATA, this), "header data");
    Require(curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L), "no signals");
    Require(curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeoutMs), "time-out");
    Require(curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, maxFileSize), "size limit");
    Require(curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L), "redirects");
    Require(curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects), "redirect limit");
#if LIBCURL_VERSION_NUM >= 0x075500  // 7.85.0
    Require(curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https"), "protocols");
    Require(curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"),
            "redirect protocols");
#else
    Require(curl_easy_setopt(easy, CURLOPT_PROTOCOLS, long{CURLPROTO_HTTP | CURLPROTO_HTTPS}),
            "protocols");
    Require(curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS, long{CURLPROTO_HTTP | CURLPROTO_HTTPS}),
            "redirect protocols");
#endif
  }

  // One request to its end: the status and the whole body. Throws FetchError.
  HttpResponse Transfer(const HttpRequest& request) {
    if (busy) throw std::logic_error("CurlFetcher called during a fetch");
    const std::string& target = request.url;
    lastStatus = 0;
    body.clear();
    answerHeaders.clear();
    bodyTooLarge = false;
    errorText[0] = '\0';
    Require(curl_easy_setopt(easy, CURLOPT_URL, target.c_str()), "address");

    // The request's own settings, taken back when it ends however it ends.
    curl_slist* headers = nullptr;
    for (const auto& [name, value] : request.headers) {
      curl_slist* added = curl_slist_append(headers, (name + ": " + value).c_str());
      if (added == nullptr) {
        curl_slist_free_all(headers);
        throw FetchError("Could not set up the request: out of memory");
      }
      headers = added;
    }
    struct Settings {
      CURL* easy;
      curl_slist* headers;
      ~Settings() {
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(easy, CURLOPT_USERNAME, nullptr);
        curl_easy_setopt(easy, CURLOPT_PASSWORD, nullptr);
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, nullptr);
        curl_slist_free_all(headers);
      }
    } settings{easy, headers};
    Require(curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers), "headers");
    if (!request.formBody.empty()) {
      Require(curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                               static_cast<curl_off_t>(request.formBody.size())),
              "form size");
      Require(curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, request.formBody.c_str()), "form");
    }
    if (request.acceptCompressed) {
      // "": every encoding this libcurl can decode, named in Accept-Encoding.
      Require(curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, ""), "compression");
    }
    if (!request.user.empty()) {
      Require(curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC)),
              "authentication");
      Require(curl_easy_setopt(easy, CURLOPT_USERNAME, request.user.c_str()), "user");
      Require(curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str()), "password");
    }

    const CURLMcode added = curl_multi_add_handle(multi, easy);
    if (added != CURLM_OK) {
      throw FetchError(Failure(target, curl_multi_strerror(added)), FetchFailure::kOther,
                       HostOf(target));
    }
    // Detaching also aborts a transfer cut short by an exception; the connection cache
    // stays with the multi handle, so the next fetch can reuse a connection still open.
    struct Attachment {
      Impl& self;
      explicit Attachment(Impl& impl) : self(impl) { self.busy = true; }
      ~Attachment() {
        curl_multi_remove_handle(self.multi, self.easy);
        self.body = std::string();
        self.answerHeaders.clear();
        self.busy = false;
      }
      Attachment(const Attachment&) = delete;
      Attachment& operator=(const Attachment&) = delete;
    } attachment(*this);

    const CURLcode result = Run(target);
    if (bodyTooLarge || result == CURLE_FILESIZE_EXCEEDED) {
      throw FetchError(Failure(target, "the page is larger than " +
                                           std::to_string(options.maxBodyBytes) + " bytes"),
                       FetchFailure::kTooLarge, HostOf(target), options.maxBodyBytes);
    }
    if (result != CURLE_OK) {
      std::string reason(PlainReason(result));
      reason += " (";
      reason += curl_easy_strerror(result);
      if (errorText[0] != '\0') {
        reason += ": ";
        reason += errorText;
      }
      reason += ')';
      throw FetchError(Failure(target, reason), KindOf(result), HostOf(target));
    }
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    lastStatus = static_cast<int>(status);
    HttpResponse response{lastStatus, std::move(body)};
    response.headers = std::move(answerHeaders);
    return response;
  }

  // Runs the transfer of the attached easy handle to its end; returns its result.
  CURLcode Run(const std::string& url) {
    const int pollMs = static_cast<int>(
        std::clamp<std::chrono::milliseconds::rep>(options.yieldInterval.count(), 1, 60000));
    for (;;) {
      int running = 0;
      CURLMcode status = curl_multi_perform(multi, &running);
      if (status == CURLM_OK && running == 0) break;
      if (status == CURLM_OK) status = curl_multi_poll(multi, nullptr, 0, pollMs, nullptr);
      if (status != CURLM_OK) {
        throw FetchError(Failure(url, curl_multi_strerror(status)), FetchFailure::kOther,
                         HostOf(url));
      }
      if (yield) yield();
      if (stopped && stopped()) throw FetchStopped{};
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
        return message->data.result;
      }
    }
    throw FetchError(Failure(url, "the transfer ended without a result"));
  }
};

CurlFetcher::CurlFetcher(std::function<void()> yield, Options options)
    : impl_(std::make_unique<Impl>(std::move(yield), options)) {
  InitCurlOnce();
  impl_->SetUp();
}

CurlFetcher::~CurlFetcher() = default;

int CurlFetcher::lastStatus() const { return impl_->lastStatus; }

void CurlFetcher::StopWhen(std::function<bool()> stopped) { impl_->stopped = std::move(stopped); }

std::string CurlFetcher::OpenURL(const std::string& url) {
  HttpRequest request;
  request.url = EncodeRequestTarget(url);
  try {
    return std::move(impl_->Transfer(request).body);
  } catch (const FetchStopped&) {
    return {};
  }
}

HttpResponse CurlFetcher::Send(const HttpRequest& request) {
  try {
    return impl_->Transfer(request);
  } catch (const FetchStopped&) {
    return HttpResponse::Stopped();
  }
}

}  // namespace lotwise
