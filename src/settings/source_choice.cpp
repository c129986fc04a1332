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
                           Environment environment)
    : settings_(settings), secrets_(secrets), http_(http), environment_(std::move(environment)) {}

ApiSettings SourceChoice::Chosen() const {
  ApiSettings chosen;
  chosen.source = settings_.value(kSource).toString() == QLatin1String("api")
                      ? SearchSource::kMarketplaceApi
                      : SearchSource::kClassicPages;
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
  settings_.setValue(kSource, chosen.source == SearchSource::kMarketplaceApi
                                  ? QStringLiteral("api")
                                  : QStringLiteral("classic"));
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
  if (inForce.source != SearchSource::kMarketplaceApi) return;
  api_.emplace(inForce, http_, clock_);
  window.UseListingSource(&*api_);
}

}  // namespace lotwise
