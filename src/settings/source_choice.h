#pragma once

#include <QSettings>
#include <optional>

#include "api/api_settings.h"
#include "api/api_source.h"
#include "api/clock.h"
#include "app/search_window.h"
#include "platform/http_sender.h"
#include "platform/platform.h"
#include "settings/secret_store.h"
#include "site/site_clock.h"
#include "site/site_source.h"

namespace lotwise {

// Which source the searches use and what the sources need, as the user chose them in the
// settings (QSettings, the secret in the SecretStore) with the environment's LOTWISE_*
// variables over them; and the source itself (the API's or the site's), made anew
// whenever the settings change. Its requests go through `http`; the site's pauses between
// them through `platform` (both the window's platform, so that a stop cuts either short).
class SourceChoice {
 public:
  SourceChoice(QSettings& settings, SecretStore& secrets, HttpSender& http, Platform& platform,
               Environment environment = ProcessEnvironment);

  // The settings as the user chose them, without the environment.
  ApiSettings Chosen() const;
  // Keeps what the user chose.
  void Choose(const ApiSettings& chosen);
  // The settings in force: the chosen ones with the environment over them.
  ApiSettings InForce() const;
  // The names of the LOTWISE_* variables that are set.
  std::vector<std::string> FromEnvironment() const;
  bool SecretLasting() const { return secrets_.Lasting(); }

  // Points the window's searches at the source in force. Not during a search.
  void ApplyTo(SearchWindow& window);

 private:
  QSettings& settings_;
  SecretStore& secrets_;
  HttpSender& http_;
  Platform& platform_;
  Environment environment_;
  SteadyClock clock_;
  SystemSiteClock siteClock_;
  std::optional<ApiSource> api_;
  std::optional<SiteSource> site_;
};

}  // namespace lotwise
