#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/controls.h"

namespace lotwise {

// The About window: the banner, the program's icon, the version, the publisher's notice
// and contact address, and "OK". It shows the model's AboutWindow and leaves closing to
// the model: "OK" only reports that it was activated.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(const QIcon& banner, const QIcon& icon, QWidget* parent = nullptr);

  // Puts the model's captions on the window.
  void showModel(const AboutWindow& model);

 signals:
  void okClicked();

 private:
  QLabel* lblVersion_;
  QLabel* lblDescription_;
  QLabel* label1_;
  QPushButton* cmdOK_;
};

}  // namespace lotwise
