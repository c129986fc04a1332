#include "settings/secret_store.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

namespace lotwise {
namespace {

const QString kService = QStringLiteral("Lotwise");
const QString kKey = QStringLiteral("marketplace-api-client-secret");

// Runs a keychain job to its end, handling events meanwhile; gives its error.
QKeychain::Error Finished(QKeychain::Job& job) {
  job.setAutoDelete(false);
  job.setKey(kKey);
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec();
  return job.error();
}

bool Unreachable(QKeychain::Error error) {
  return error != QKeychain::NoError && error != QKeychain::EntryNotFound;
}

}  // namespace

std::optional<std::string> KeychainSecretStore::Read() {
  if (!reachable_) return forThisRun_;
  QKeychain::ReadPasswordJob job(kService);
  const QKeychain::Error error = Finished(job);
  if (error == QKeychain::NoError) return job.textData().toStdString();
  if (Unreachable(error)) reachable_ = false;
  return forThisRun_;
}

void KeychainSecretStore::Write(const std::string& secret) {
  forThisRun_ = secret;
  if (!reachable_) return;
  QKeychain::WritePasswordJob job(kService);
  job.setTextData(QString::fromStdString(secret));
  if (Unreachable(Finished(job))) reachable_ = false;
}

}  // namespace lotwise
