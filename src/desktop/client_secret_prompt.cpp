#include "desktop/client_secret_prompt.h"

#include <QLineEdit>

namespace lotwise {

QInputDialog* ClientSecretPrompt(const std::string& clientId, bool lasting, QWidget* parent) {
  auto* prompt = new QInputDialog(parent);
  prompt->setObjectName(QStringLiteral("frmSecret"));
  prompt->setWindowTitle(QStringLiteral("Client secret"));
  prompt->setInputMode(QInputDialog::TextInput);
  prompt->setTextEchoMode(QLineEdit::Password);
  const QString id =
      clientId.empty() ? QStringLiteral("(none set)") : QString::fromStdString(clientId);
  prompt->setLabelText(
      QStringLiteral("The searches go through the marketplace's API, which needs the client "
                     "secret of the client id %1.\n%2")
          .arg(id, lasting ? QStringLiteral("It is kept in the desktop's keychain.")
                           : QStringLiteral("No keychain can be reached on this desktop: the "
                                            "secret is kept for this run only.")));
  prompt->setOkButtonText(QStringLiteral("&Search"));
  return prompt;
}

}  // namespace lotwise
