#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <string>
#include <vector>

#include "api/api_settings.h"

namespace lotwise {

// The settings of the searches' source: the classic pages or the marketplace's API, with
// the API's client id and secret, marketplace and partner campaign. Says when the secret
// can only be kept for this run and which settings the environment sets instead; a source
// set by the environment (LOTWISE_SOURCE) is shown as in force, and cannot be chosen here.
class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(const ApiSettings& chosen, SearchSource sourceInForce, bool secretLasting,
                 const std::vector<std::string>& fromEnvironment, QWidget* parent = nullptr);

  // What the dialog shows now.
  ApiSettings chosen() const;

 private:
  QRadioButton* ButtonOf(SearchSource source) const;

  ApiSettings start_;
  bool sourceFromEnvironment_;
  QRadioButton* classic_;
  QRadioButton* api_;
  QRadioButton* site_;
  QLineEdit* clientId_;
  QLineEdit* clientSecret_;
  QComboBox* marketplace_;
  QLineEdit* campaign_;
};

}  // namespace lotwise
