#pragma once

#include <QInputDialog>
#include <QWidget>
#include <string>

namespace lotwise {

// Asks for the API's client secret of `clientId` when a search needs it and none is kept
// (no keychain kept it from an earlier run), rather than sending the search to be refused.
// `lasting`: whether what is typed can be kept beyond this run. Named "frmSecret".
QInputDialog* ClientSecretPrompt(const std::string& clientId, bool lasting, QWidget* parent);

}  // namespace lotwise
