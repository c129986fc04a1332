#include "settings/source_choice.h"

#include <utility>

namespace lotwise {
namespace {

const QString kSource = QStringLiteral("api/source");
const QString kClientId = QStringLiteral("api/clientId");
const QString kMarketplace = QStringLiteral("api/marketplace");
const QString kCampaign = QStringLiteral("api/campaignId");

}  // namespace

SourceChoice::SourceChoice(QSettings& settings, SecretStore& secrets, HttpSender& http,
                           Platform& platform, Environment environment)
    : settings_(settings),
      secrets_(secrets),
      http_(http),
      platform_(platform),
      environment_(std::move(environment)) {}

ApiSettings SourceChoice::Chosen() const {
  ApiSettings chosen;
  chosen.source =
      SourceNamed(settings_.value(kSource).toString().toStdString()).value_or(ApiSettings{}.source);
  chosen.clientId = settings_.value(kClientId).toString().toStdString();
  chosen.clientSecret = secrets_.Read().value_or("");
  chosen.marketplace =
      settings_.value(kMarketplace, QString::fromStdString(ApiSettings{}.marketplace))
          .toString()
          .toStdString();
  chosen.campaignId = settings_.value(kCampaign).toString().toStdString();
  return chosen;
}

void SourceChoice::Choose(const ApiSettings& chosen) {
  const std::string_view source = NameOf(chosen.source);
  settings_.setValue(kSource,
                     QString::fromUtf8(source.data(), static_cast<qsizetype>(source.size())));
  settings_.setValue(kClientId, QString::fromStdString(chosen.clientId));
  settings_.setValue(kMarketplace, QString::fromStdString(chosen.marketplace));
  settings_.setValue(kCampaign, QString::fromStdString(chosen.campaignId));
  settings_.sync();
  secrets_.Write(chosen.clientSecret);
}

ApiSettings SourceChoice::InForce() const { return WithEnvironment(Chosen(), environment_); }

std::vector<std::string> SourceChoice::FromEnvironment() const {
  return VariablesSet(environment_);
}

void SourceChoice::ApplyTo(SearchWindow& window) {
  const ApiSettings inForce = InForce();
  window.UseListingSource(nullptr);
  api_.reset();
  site_.reset();
  if (inForce.source == SearchSource::kMarketplaceApi) {
    api_.emplace(inForce, http_, clock_);
    window.UseListingSource(&*api_);
  } else if (inForce.source == SearchSource::kMarketplaceSite) {
    SiteSourceSettings site;
    site.marketplace = inForce.marketplace;
    site.baseUrl = inForce.siteBaseUrl;
    site_.emplace(site, http_, platform_, siteClock_);
    window.UseListingSource(&*site_);
  }
}

}  // namespace lotwise
