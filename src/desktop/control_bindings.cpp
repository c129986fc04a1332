#include "desktop/control_bindings.h"

#include <QSignalBlocker>
#include <QStringList>
#include <utility>

namespace lotwise {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QStringList Items(const ComboBox& model) {
  QStringList items;
  for (const std::string& item : model.items) items << Text(item);
  return items;
}

void ShowCombo(QComboBox* widget, const ComboBox& model) {
  const QSignalBlocker blocker(widget);
  const QStringList items = Items(model);
  QStringList shown;
  for (int i = 0; i < widget->count(); ++i) shown << widget->itemText(i);
  if (shown != items) {
    widget->clear();
    widget->addItems(items);
  }
  // Keep the cursor where the user left it when the text stays the same.
  const QString before = widget->currentText();
  const int cursor = widget->lineEdit()->cursorPosition();
  if (widget->currentIndex() != model.position) widget->setCurrentIndex(model.position);
  if (widget->currentText() != Text(model.text)) widget->setEditText(Text(model.text));
  if (widget->currentText() == before) widget->lineEdit()->setCursorPosition(cursor);
}

}  // namespace

QLabel* ControlBindings::label(const Label& model, const char* name) {
  return label(new QLabel, model, name);
}

QLabel* ControlBindings::label(QLabel* widget, const Label& model, const char* name) {
  widget->setObjectName(QLatin1String(name));
  widget->setTextFormat(Qt::PlainText);
  shows_.push_back([widget, &model] {
    if (widget->text() != Text(model.caption)) widget->setText(Text(model.caption));
  });
  return widget;
}

QLineEdit* ControlBindings::textBox(TextBox& model, const char* name,
                                    const QString& accessibleName) {
  auto* widget = new QLineEdit;
  widget->setObjectName(QLatin1String(name));
  widget->setAccessibleName(accessibleName);
  QObject::connect(widget, &QLineEdit::textEdited, widget,
                   [&model](const QString& text) { model.text = text.toStdString(); });
  shows_.push_back([widget, &model] {
    if (widget->text() != Text(model.text)) widget->setText(Text(model.text));
  });
  pushes_.push_back([widget, &model] { model.text = widget->text().toStdString(); });
  return widget;
}

QComboBox* ControlBindings::comboBox(ComboBox& model, const char* name,
                                     const QString& accessibleName) {
  auto* widget = new QComboBox;
  widget->setObjectName(QLatin1String(name));
  widget->setAccessibleName(accessibleName);
  widget->setEditable(true);
  // Typed text stays as typed: no completion, and Enter adds nothing to the list.
  widget->setInsertPolicy(QComboBox::NoInsert);
  widget->setCompleter(nullptr);
  QObject::connect(widget, &QComboBox::activated, widget, [&model](int position) {
    // The combo box also "activates" the item whose text the user typed in full when
    // the input loses focus or Enter is pressed; typed text is not a choice.
    const auto p = static_cast<std::size_t>(position);
    if (model.position == -1 && p < model.items.size() && model.items[p] == model.text) return;
    model.select(position);
  });
  QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, widget,
                   [&model](const QString& text) { model.type(text.toStdString()); });
  shows_.push_back([widget, &model] { ShowCombo(widget, model); });
  pushes_.push_back([widget, &model] {
    if (widget->currentText() != Text(model.text)) model.type(widget->currentText().toStdString());
  });
  return widget;
}

QCheckBox* ControlBindings::checkBox(CheckBox& model, const char* name) {
  auto* widget = new QCheckBox;
  widget->setObjectName(QLatin1String(name));
  QObject::connect(widget, &QCheckBox::toggled, widget,
                   [&model](bool checked) { model.value = checked ? 1 : 0; });
  shows_.push_back([widget, &model] {
    const QSignalBlocker blocker(widget);
    widget->setText(Text(model.caption));
    widget->setAccessibleName(Text(model.caption));
    widget->setChecked(model.value != 0);
  });
  pushes_.push_back([widget, &model] { model.value = widget->isChecked() ? 1 : 0; });
  return widget;
}

QPushButton* ControlBindings::button(const CommandButton& model, const char* name,
                                     std::function<void()> activate) {
  auto* widget = new QPushButton;
  widget->setObjectName(QLatin1String(name));
  widget->setAutoDefault(false);
  QObject::connect(widget, &QPushButton::clicked, widget, std::move(activate));
  shows_.push_back([widget, &model] {
    widget->setText(Text(model.caption));
    widget->setAccessibleName(Text(model.caption));
    widget->setEnabled(model.enabled);
  });
  return widget;
}

void ControlBindings::tabs(QTabWidget* widget, TabControl& model, const char* name) {
  widget->setObjectName(QLatin1String(name));
  QObject::connect(widget, &QTabWidget::currentChanged, widget,
                   [&model](int tab) { model.tab = tab; });
  shows_.push_back([widget, &model] {
    const QSignalBlocker blocker(widget);
    for (int i = 0; i < widget->count() && i < static_cast<int>(model.tabs.size()); ++i) {
      widget->setTabText(i, Text(model.tabs[static_cast<std::size_t>(i)]));
    }
    if (widget->currentIndex() != model.tab) widget->setCurrentIndex(model.tab);
  });
  pushes_.push_back([widget, &model] { model.tab = widget->currentIndex(); });
}

void ControlBindings::show() {
  for (const auto& show : shows_) show();
}

void ControlBindings::push() {
  for (const auto& push : pushes_) push();
}

}  // namespace lotwise
