#include "desktop/settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace lotwise {
namespace {

QLabel* Note(const QString& text, const char* name) {
  auto* note = new QLabel(text);
  note->setObjectName(QLatin1String(name));
  note->setWordWrap(true);
  return note;
}

}  // namespace

SettingsDialog::SettingsDialog(const ApiSettings& chosen, SearchSource sourceInForce,
                               bool secretLasting, const std::vector<std::string>& fromEnvironment,
                               QWidget* parent)
    : QDialog(parent),
      start_(chosen),
      sourceFromEnvironment_(std::find(fromEnvironment.begin(), fromEnvironment.end(),
                                       "LOTWISE_SOURCE") != fromEnvironment.end()),
      classic_(new QRadioButton(QStringLiteral("&Classic pages"))),
      api_(new QRadioButton(QStringLiteral("&Marketplace API"))),
      site_(new QRadioButton(QStringLiteral("Marketplace si&te"))),
      clientId_(new QLineEdit(QString::fromStdString(chosen.clientId))),
      clientSecret_(new QLineEdit(QString::fromStdString(chosen.clientSecret))),
      marketplace_(new QComboBox),
      campaign_(new QLineEdit(QString::fromStdString(chosen.campaignId))) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  classic_->setObjectName(QStringLiteral("sourceClassic"));
  api_->setObjectName(QStringLiteral("sourceApi"));
  site_->setObjectName(QStringLiteral("sourceSite"));
  const SearchSource source = sourceFromEnvironment_ ? sourceInForce : chosen.source;
  ButtonOf(source)->setChecked(true);
  for (QRadioButton* button : {classic_, api_, site_}) button->setEnabled(!sourceFromEnvironment_);
  clientId_->setObjectName(QStringLiteral("clientId"));
  clientSecret_->setObjectName(QStringLiteral("clientSecret"));
  clientSecret_->setEchoMode(QLineEdit::Password);
  marketplace_->setObjectName(QStringLiteral("marketplace"));
  for (const MarketplaceChoice& choice : kMarketplaces) {
    marketplace_->addItem(
        QStringLiteral("%1 (%2)").arg(QLatin1String(choice.id), QLatin1String(choice.currency)),
        QLatin1String(choice.id));
  }
  const int shown = marketplace_->findData(QString::fromStdString(chosen.marketplace));
  marketplace_->setCurrentIndex(shown < 0 ? 0 : shown);
  campaign_->setObjectName(QStringLiteral("campaignId"));
  campaign_->setPlaceholderText(QStringLiteral("optional"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Search through:"), classic_);
  form->addRow(QString(), api_);
  form->addRow(QString(), site_);
  form->addRow(QStringLiteral("Client &id:"), clientId_);
  form->addRow(QStringLiteral("Client &secret:"), clientSecret_);
  form->addRow(QStringLiteral("Market&place:"), marketplace_);
  form->addRow(QStringLiteral("Partner c&ampaign id:"), campaign_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  if (sourceFromEnvironment_) {
    layout->addWidget(Note(QStringLiteral("LOTWISE_SOURCE in the environment sets the source: "
                                          "the searches go through the %1 while it is set.")
                               .arg(sourceInForce == SearchSource::kMarketplaceApi
                                        ? QStringLiteral("marketplace's API")
                                    : sourceInForce == SearchSource::kMarketplaceSite
                                        ? QStringLiteral("marketplace's site")
                                        : QStringLiteral("classic pages")),
                           "sourceNote"));
  }
  layout->addWidget(Note(QStringLiteral("The marketplace's site finds today's auctions by "
                                        "keywords, by category and among completed items, "
                                        "without keys, a page at least a second after the last."),
                         "siteNote"));
  layout->addWidget(Note(QStringLiteral("The marketplace's API finds today's auctions by keywords "
                                        "or by category. Its client id and secret come from the "
                                        "marketplace's developer program (an application's "
                                        "production keys)."),
                         "apiNote"));
  if (!secretLasting) {
    layout->addWidget(Note(QStringLiteral("No keychain can be reached on this desktop: the secret "
                                          "is kept for this run only."),
                           "secretNote"));
  }
  if (!fromEnvironment.empty()) {
    QStringList names;
    for (const std::string& name : fromEnvironment) names << QString::fromStdString(name);
    layout->addWidget(
        Note(QStringLiteral("Set in the environment, which wins over these settings: ") +
                 names.join(QStringLiteral(", ")) + QLatin1Char('.'),
             "environmentNote"));
  }
  // Wide enough for a client id (about 40 characters) without scrolling.
  setMinimumWidth(fontMetrics().averageCharWidth() * 64);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QRadioButton* SettingsDialog::ButtonOf(SearchSource source) const {
  switch (source) {
    case SearchSource::kMarketplaceApi:
      return api_;
    case SearchSource::kMarketplaceSite:
      return site_;
    case SearchSource::kClassicPages:
      break;
  }
  return classic_;
}

ApiSettings SettingsDialog::chosen() const {
  ApiSettings chosen = start_;
  // The source that the environment sets is shown, not chosen.
  if (!sourceFromEnvironment_) {
    chosen.source = api_->isChecked()    ? SearchSource::kMarketplaceApi
                    : site_->isChecked() ? SearchSource::kMarketplaceSite
                                         : SearchSource::kClassicPages;
  }
  chosen.clientId = clientId_->text().trimmed().toStdString();
  chosen.clientSecret = clientSecret_->text().toStdString();
  chosen.marketplace = marketplace_->currentData().toString().toStdString();
  chosen.campaignId = campaign_->text().trimmed().toStdString();
  return chosen;
}

}  // namespace lotwise
