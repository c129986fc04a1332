#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <functional>
#include <vector>

#include "app/controls.h"

namespace lotwise {

// Creates the widgets that show the window model's controls and keeps the two in step:
// what the user types, chooses or checks goes into the model at once, and show() puts
// the model's state back on every widget. Each widget is named after its control.
class ControlBindings {
 public:
  QLabel* label(const Label& model, const char* name);
  // The same on a label made by the caller.
  QLabel* label(QLabel* widget, const Label& model, const char* name);
  // `accessibleName` names the input for assistive tools (usually its label's caption).
  QLineEdit* textBox(TextBox& model, const char* name, const QString& accessibleName);
  QComboBox* comboBox(ComboBox& model, const char* name, const QString& accessibleName);
  QCheckBox* checkBox(CheckBox& model, const char* name);
  // `activate` runs when the user activates the button.
  QPushButton* button(const CommandButton& model, const char* name, std::function<void()> activate);
  void tabs(QTabWidget* widget, TabControl& model, const char* name);

  // Model to widgets.
  void show();
  // Widgets to model, for whatever the user changed without a change signal.
  void push();

 private:
  std::vector<std::function<void()>> shows_;
  std::vector<std::function<void()>> pushes_;
};

}  // namespace lotwise
