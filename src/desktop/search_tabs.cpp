#include "desktop/search_tabs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

namespace lotwise {
namespace {

QString Caption(const Label& label) { return QString::fromStdString(label.caption); }

using Run = std::function<void(CommandButton&)>;

QPushButton* Button(ControlBindings& controls, CommandButton& command, const char* name,
                    const Run& run) {
  return controls.button(command, name, [&command, run] { run(command); });
}

void RunOnEnter(QLineEdit* input, CommandButton& command, const Run& run) {
  QObject::connect(input, &QLineEdit::returnPressed, input, [&command, run] { run(command); });
}

QWidget* FeaturedTab(SearchWindow& model, ControlBindings& controls, const Run& run) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addStretch();
  layout->addWidget(Button(controls, model.Command4, "Command4", run), 0, Qt::AlignHCenter);
  layout->addStretch();
  return page;
}

// A tab with one labelled input and its commands below it; Enter in the input runs the
// first of them.
QWidget* OneInputTab(ControlBindings& controls, const Label& label, const char* labelName,
                     TextBox& input, const char* inputName,
                     std::initializer_list<std::pair<CommandButton*, const char*>> commands,
                     const Run& run) {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  QLabel* caption = controls.label(label, labelName);
  QLineEdit* edit = controls.textBox(input, inputName, Caption(label));
  caption->setBuddy(edit);
  RunOnEnter(edit, *commands.begin()->first, run);
  auto* buttons = new QHBoxLayout;
  for (const auto& [command, name] : commands)
    buttons->addWidget(Button(controls, *command, name, run));
  buttons->addStretch();
  layout->addWidget(caption, 0, 0);
  layout->addWidget(edit, 0, 1);
  layout->addLayout(buttons, 1, 1);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(1, 1);
  return page;
}

QWidget* CategoryTab(SearchWindow& model, ControlBindings& controls, const Run& run) {
  return OneInputTab(controls, model.Label2, "Label2", model.Text1, "Text1",
                     {{&model.Command3, "Command3"}, {&model.Command2, "Command2"}}, run);
}

QWidget* CompletedTab(SearchWindow& model, ControlBindings& controls, const Run& run) {
  return OneInputTab(controls, model.Label12, "Label12", model.Text2, "Text2",
                     {{&model.Command5, "Command5"}}, run);
}

QWidget* KeywordTab(SearchWindow& model, ControlBindings& controls, const Run& run) {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);

  QLabel* titleLabel = controls.label(model.Label4, "Label4");
  QLineEdit* title = controls.textBox(model.txtTitle, "txtTitle", Caption(model.Label4));
  titleLabel->setBuddy(title);
  QComboBox* combine =
      controls.comboBox(model.cmbSearch, "cmbSearch", QStringLiteral("How the words combine"));
  QCheckBox* description = controls.checkBox(model.Check1, "Check1");
  QLabel* excludedLabel = controls.label(model.Label5, "Label5");
  QLineEdit* excluded = controls.textBox(model.txtExcluded, "txtExcluded", Caption(model.Label5));
  excludedLabel->setBuddy(excluded);

  QLabel* priceLabel = controls.label(model.Label6, "Label6");
  QLabel* fromLabel = controls.label(model.Label7, "Label7");
  QLineEdit* from =
      controls.textBox(model.txtBeginPrice, "txtBeginPrice", QStringLiteral("Lowest price"));
  fromLabel->setBuddy(from);
  QLabel* toLabel = controls.label(model.Label8, "Label8");
  QLineEdit* to =
      controls.textBox(model.txtEndPrice, "txtEndPrice", QStringLiteral("Highest price"));
  toLabel->setBuddy(to);
  auto* prices = new QHBoxLayout;
  prices->addWidget(fromLabel);
  prices->addWidget(from, 1);
  prices->addWidget(toLabel);
  prices->addWidget(to, 1);

  QLabel* categoryLabel = controls.label(model.Label9, "Label9");
  QComboBox* category =
      controls.comboBox(model.cmbCategories, "cmbCategories", Caption(model.Label9));
  categoryLabel->setBuddy(category);

  for (QLineEdit* input : {title, excluded, from, to, combine->lineEdit(), category->lineEdit()}) {
    RunOnEnter(input, model.cmdSearch, run);
  }

  layout->addWidget(titleLabel, 0, 0);
  layout->addWidget(title, 0, 1, 1, 2);
  layout->addWidget(combine, 1, 1);
  layout->addWidget(description, 1, 2);
  layout->addWidget(excludedLabel, 2, 0);
  layout->addWidget(excluded, 2, 1, 1, 2);
  layout->addWidget(priceLabel, 3, 0);
  layout->addLayout(prices, 3, 1, 1, 2);
  layout->addWidget(categoryLabel, 4, 0);
  layout->addWidget(category, 4, 1, 1, 2);
  layout->addWidget(Button(controls, model.cmdSearch, "cmdSearch", run), 5, 2, Qt::AlignRight);
  layout->setRowStretch(6, 1);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(2, 1);
  return page;
}

}  // namespace

void AddSearchTabs(QTabWidget* tabs, SearchWindow& model, ControlBindings& controls,
                   const std::function<void(CommandButton&)>& run) {
  tabs->addTab(FeaturedTab(model, controls, run), QString());
  tabs->addTab(CategoryTab(model, controls, run), QString());
  tabs->addTab(CompletedTab(model, controls, run), QString());
  tabs->addTab(KeywordTab(model, controls, run), QString());
  controls.tabs(tabs, model.SSTab1, "SSTab1");
  tabs->setAccessibleName(QStringLiteral("Kind of search"));
}

}  // namespace lotwise
