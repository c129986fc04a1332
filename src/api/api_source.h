#pragma once

#include <chrono>
#include <string>

#include "api/api_settings.h"
#include "api/clock.h"
#include "api/search_answer.h"
#include "platform/http_sender.h"
#include "platform/listing_source.h"

namespace lotwise {

// The marketplace's Browse API: searches of item_summary/search, 200 items a page, with
// an application token got with the client credentials, kept for the whole run and
// renewed 5 minutes before it expires; an answer of 401 gets one new token and one more
// try. Every request carries the marketplace, and the partner campaign when one is set.
class ApiSource : public ListingSource {
 public:
  ApiSource(ApiSettings settings, HttpSender& http, const Clock& clock);

  ListingPage Search(const ListingQuery& query) override;
  ListingPage Next(const std::string& next) override;
  std::string Currency() const override;
  std::string Name() const override;
  std::optional<std::string> Lacks(std::int16_t searchKind) const override;
  int PageSize() const override;
  bool MatchesWords() const override { return false; }  // no phrase, no words to exclude

  // The address of a search's first page.
  std::string SearchAddress(const ListingQuery& query) const;

 private:
  struct Stopped;
  // Sends a request; throws Stopped when it was cut short.
  HttpResponse Sent(const HttpRequest& request);
  const std::string& Token();
  HttpResponse Ask(const std::string& url);
  ListingPage Page(const std::string& url);

  ApiSettings settings_;
  HttpSender& http_;
  const Clock& clock_;
  std::string token_;
  std::chrono::steady_clock::time_point renewAt_;
};

}  // namespace lotwise
