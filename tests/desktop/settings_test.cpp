#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "desktop/settings_dialog.h"
#include "desktop/window_fixture.h"
#include "settings/source_choice.h"

namespace lotwise::testing {
namespace {

// A keychain in memory, reachable or not.
class FakeSecretStore : public SecretStore {
 public:
  std::optional<std::string> Read() override { return kept; }
  void Write(const std::string& secret) override { kept = secret; }
  bool Lasting() const override { return lasting; }

  std::optional<std::string> kept;
  bool lasting = true;
};

class SettingsTest : public WindowTest {
 protected:
  // A user who chose the classic pages, unless a test says otherwise.
  SettingsTest() { settings.setValue(QStringLiteral("api/source"), QStringLiteral("classic")); }

  // The settings dialog the "Settings…" command opened.
  SettingsDialog* openSettings() {
    action("mnuSettings")->trigger();
    auto* dialog = window.findChild<SettingsDialog*>(QStringLiteral("frmSettings"));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  template <class T>
  T* in(SettingsDialog* dialog, const char* name) {
    T* found = dialog->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  std::optional<std::string> variable(const char* name) const {
    const auto set = environment.find(name);
    if (set == environment.end()) return std::nullopt;
    return set->second;
  }

  QString settingsPath = folder.filePath(QStringLiteral("settings.ini"));
  QSettings settings{settingsPath, QSettings::IniFormat};
  FakeSecretStore secrets;
  std::map<std::string, std::string> environment;
  SourceChoice sources{settings, secrets, platform, platform,
                       [this](const char* name) { return variable(name); }};
};

TEST_F(SettingsTest, ChosenSourceIsKeptAppliedAndShownWithTheSecretInTheKeychainOnly) {
  EXPECT_EQ(window.menuBar()->actions().back()->text(), QStringLiteral("&Settings"));
  EXPECT_FALSE(action("mnuSettings")->isEnabled());  // nothing to choose from yet
  window.offerSettings(&sources);
  EXPECT_TRUE(action("mnuSettings")->isEnabled());
  EXPECT_EQ(text("source"), QStringLiteral("Source: Classic pages"));

  SettingsDialog* dialog = openSettings();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("secretNote")), nullptr);
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("environmentNote")), nullptr);
  in<QRadioButton>(dialog, "sourceApi")->setChecked(true);
  in<QLineEdit>(dialog, "clientId")->setText(QStringLiteral(" app-id "));
  in<QLineEdit>(dialog, "clientSecret")->setText(QStringLiteral("s3cret-value"));
  auto* marketplace = in<QComboBox>(dialog, "marketplace");
  ASSERT_EQ(marketplace->count(), 8);
  marketplace->setCurrentIndex(marketplace->findData(QStringLiteral("EBAY_GB")));
  EXPECT_EQ(marketplace->currentText(), QStringLiteral("EBAY_GB (GBP)"));
  dialog->accept();

  EXPECT_EQ(text("source"), QStringLiteral("Source: Marketplace API (EBAY_GB)"));
  EXPECT_EQ(secrets.kept, "s3cret-value");
  EXPECT_EQ(settings.value(QStringLiteral("api/clientId")).toString(), QStringLiteral("app-id"));
  QFile file(settingsPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray stored = file.readAll();
  EXPECT_TRUE(stored.contains("EBAY_GB"));
  EXPECT_FALSE(stored.contains("s3cret"));

  // The API has no featured search: a message, and no request.
  find<QTabWidget>("SSTab1")->setCurrentIndex(0);
  button("Command4")->click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.fetched.empty());

  // Back to the classic pages, with what was entered for the API kept.
  dialog = openSettings();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(in<QLineEdit>(dialog, "clientSecret")->text(), QStringLiteral("s3cret-value"));
  in<QRadioButton>(dialog, "sourceClassic")->setChecked(true);
  dialog->accept();
  EXPECT_EQ(text("source"), QStringLiteral("Source: Classic pages"));
  EXPECT_EQ(sources.Chosen().clientId, "app-id");
}

TEST_F(SettingsTest, AFreshInstallationSearchesTheBuildsDefaultSourceAndTheSiteCanBeChosen) {
  settings.remove(QStringLiteral("api/source"));
  EXPECT_EQ(sources.Chosen().source, DefaultSource());
  settings.setValue(QStringLiteral("api/source"), QStringLiteral("classic"));
  window.offerSettings(&sources);
  SettingsDialog* dialog = openSettings();
  ASSERT_NE(dialog, nullptr);
  in<QRadioButton>(dialog, "sourceSite")->setChecked(true);
  in<QComboBox>(dialog, "marketplace")->setCurrentIndex(2);  // EBAY_DE
  dialog->accept();
  EXPECT_EQ(text("source"), QStringLiteral("Source: Marketplace site (EBAY_DE)"));
  EXPECT_EQ(settings.value(QStringLiteral("api/source")).toString(), QStringLiteral("site"));
  // The site has no featured auctions: it says so and asks for nothing.
  find<QTabWidget>("SSTab1")->setCurrentIndex(0);
  button("Command4")->click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.fetched.empty());
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label7"))->text(),
            QString::fromUtf8("Between  \u20ac"));
}

TEST_F(SettingsTest, DialogSaysWhereTheSecretStaysAndWhatTheEnvironmentSets) {
  secrets.lasting = false;
  environment["LOTWISE_SOURCE"] = "api";
  environment["LOTWISE_API_MARKETPLACE"] = "EBAY_DE";
  window.offerSettings(&sources);
  // The environment wins over the settings.
  EXPECT_EQ(text("source"), QStringLiteral("Source: Marketplace API (EBAY_DE)"));

  SettingsDialog* dialog = openSettings();
  ASSERT_NE(dialog, nullptr);
  // The source in force is shown, and cannot be chosen while the environment sets it.
  EXPECT_TRUE(in<QRadioButton>(dialog, "sourceApi")->isChecked());
  EXPECT_FALSE(in<QRadioButton>(dialog, "sourceApi")->isEnabled());
  EXPECT_FALSE(in<QRadioButton>(dialog, "sourceClassic")->isEnabled());
  EXPECT_EQ(in<QLabel>(dialog, "sourceNote")->text(),
            QStringLiteral("LOTWISE_SOURCE in the environment sets the source: the searches go "
                           "through the marketplace's API while it is set."));
  EXPECT_TRUE(in<QLabel>(dialog, "secretNote")->text().contains(QStringLiteral("this run only")));
  EXPECT_EQ(in<QLabel>(dialog, "environmentNote")->text(),
            QStringLiteral("Set in the environment, which wins over these settings: "
                           "LOTWISE_SOURCE, LOTWISE_API_MARKETPLACE."));
  dialog->reject();
  EXPECT_FALSE(secrets.kept.has_value());
  EXPECT_EQ(settings.value(QStringLiteral("api/source")).toString(), QStringLiteral("classic"));

  // What the environment sets is not kept as chosen.
  dialog = openSettings();
  ASSERT_NE(dialog, nullptr);
  dialog->accept();
  EXPECT_EQ(settings.value(QStringLiteral("api/source")).toString(), QStringLiteral("classic"));
  EXPECT_EQ(text("source"), QStringLiteral("Source: Marketplace API (EBAY_DE)"));
}

// Answers every request of the API with a refusal, and keeps what was sent.
class RefusingSender : public HttpSender {
 public:
  HttpResponse Send(const HttpRequest& request) override {
    sent.push_back(request);
    return {401, "{}"};
  }
  std::vector<HttpRequest> sent;
};

TEST_F(SettingsTest, AnApiSearchWithoutASecretKeptAsksForItFirst) {
  secrets.lasting = false;  // nothing kept from an earlier run
  environment["LOTWISE_SOURCE"] = "api";
  environment["LOTWISE_API_CLIENT_ID"] = "app-id";
  environment["LOTWISE_API_TOKEN_URL"] = "http://api.test/token";
  RefusingSender api;
  SourceChoice apiSources{settings, secrets, api, platform,
                          [this](const char* name) { return variable(name); }};
  window.offerSettings(&apiSources);
  find<QTabWidget>("SSTab1")->setCurrentIndex(1);
  find<QLineEdit>("Text1")->setText(QStringLiteral("353"));
  const auto prompt = [this] {
    return window.findChild<QInputDialog*>(QStringLiteral("frmSecret"));
  };

  // Turned down: no search, nothing kept.
  button("Command3")->click();
  ASSERT_NE(prompt(), nullptr);
  EXPECT_TRUE(prompt()->labelText().contains(QStringLiteral("app-id")));
  EXPECT_TRUE(prompt()->labelText().contains(QStringLiteral("this run only")));
  prompt()->reject();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(api.sent.empty());
  EXPECT_FALSE(secrets.kept.has_value());

  // Given: kept as the settings keep it, and the search sends it.
  button("Command3")->click();
  ASSERT_NE(prompt(), nullptr);
  EXPECT_TRUE(api.sent.empty());
  prompt()->setTextValue(QStringLiteral("typed-secret"));
  prompt()->accept();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(secrets.kept, "typed-secret");
  ASSERT_FALSE(api.sent.empty());
  EXPECT_EQ(api.sent.front().url, "http://api.test/token");
  EXPECT_EQ(api.sent.front().password, "typed-secret");
  // The search ran to its end: this marketplace refuses every secret.
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"The marketplace did not give a token for the client id "
                                     "and secret (HTTP 401)."});

  // From then on the kept secret is sent without asking.
  const std::size_t sentBefore = api.sent.size();
  button("Command3")->click();
  EXPECT_EQ(prompt(), nullptr);
  EXPECT_GT(api.sent.size(), sentBefore);
}

TEST_F(SettingsTest, SourceCannotChangeDuringASearch) {
  window.offerSettings(&sources);
  serveCategory("9", 2);
  std::optional<bool> enabledDuringSearch;
  platform.duringFetch = [&](const std::string&) {
    enabledDuringSearch = action("mnuSettings")->isEnabled();
    action("mnuSettings")->trigger();
  };
  find<QTabWidget>("SSTab1")->setCurrentIndex(1);
  find<QLineEdit>("Text1")->setText(QStringLiteral("9"));
  button("Command3")->click();

  EXPECT_EQ(enabledDuringSearch, false);
  EXPECT_EQ(window.findChild<SettingsDialog*>(), nullptr);
  EXPECT_EQ(text("Label1"), QStringLiteral("Finished!!!"));
  EXPECT_TRUE(action("mnuSettings")->isEnabled());
}

}  // namespace
}  // namespace lotwise::testing
