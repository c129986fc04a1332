#include "desktop/menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace lotwise {
namespace {

// The caption with its first character as the access key (Alt and that key), an "&" of
// the caption itself kept as one.
QString WithAccessKey(const std::string& caption) {
  return QLatin1Char('&') +
         QString::fromStdString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QAction* Command(QWidget* owner, MenuItem& item, const char* name,
                 const std::function<void(MenuItem&)>& choose) {
  auto* action = new QAction(WithAccessKey(item.caption), owner);
  action->setObjectName(QLatin1String(name));
  QObject::connect(action, &QAction::triggered, owner, [&item, choose] { choose(item); });
  return action;
}

QAction* Separator(QWidget* owner, const char* name) {
  auto* action = new QAction(owner);
  action->setSeparator(true);
  action->setObjectName(QLatin1String(name));
  return action;
}

}  // namespace

void BuildMenuBar(QMenuBar* bar, SearchWindow& model,
                  const std::function<void(MenuItem&)>& choose) {
  QMenu* help = bar->addMenu(WithAccessKey(model.hlpHelp.caption));
  help->setObjectName(QStringLiteral("hlpHelp"));
  help->menuAction()->setObjectName(QStringLiteral("hlpHelp"));

  QAction* instructions = Command(help, model.hlpInstruct, "hlpInstruct", choose);
  instructions->setShortcut(QKeySequence::HelpContents);
  help->addAction(instructions);
  help->addAction(Separator(help, "bar1"));
  help->addAction(Command(help, model.hlpEmail, "hlpEmail", choose));
  help->addAction(Command(help, model.mnuDiscuss, "mnuDiscuss", choose));
  help->addAction(Command(help, model.hlpWebsite, "hlpWebsite", choose));
  help->addAction(Separator(help, "bar2"));
  help->addAction(Command(help, model.hlpAbout, "hlpAbout", choose));

  bar->addAction(Command(bar, model.mnuOpen, "mnuOpen", choose));
  bar->addAction(Command(bar, model.mnuUpdate, "mnuUpdate", choose));
}

}  // namespace lotwise
