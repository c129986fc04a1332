// Renders the search window and the About window offscreen, as a person would see them
// after start-up, and saves them as PNG files.
// Usage: lotwise_screenshots <output folder>
// Writes window.png (as the window opens), about.png, settings.png and tab-<name>.png for
// each tab.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "app/config.h"
#include "app/search_window.h"
#include "desktop/about_dialog.h"
#include "desktop/desktop_platform.h"
#include "desktop/images.h"
#include "desktop/main_window.h"
#include "desktop/settings_dialog.h"
#include "desktop/shell.h"
#include "settings/source_choice.h"

namespace {

// Nothing is opened while the pictures are taken.
class NoShell : public lotwise::Shell {
 public:
  bool openUrl(const QUrl&) override { return false; }
  bool startProgram(const QString&, const QStringList&, const QString&) override { return false; }
};

// No keychain is touched while the pictures are taken.
class NoKeychain : public lotwise::SecretStore {
 public:
  std::optional<std::string> Read() override { return std::nullopt; }
  void Write(const std::string&) override {}
  bool Lasting() const override { return true; }
};

bool Save(QWidget* widget, const QDir& folder, const char* name) {
  const QString path = folder.filePath(QLatin1String(name));
  if (widget->grab().save(path, "PNG")) return true;
  std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lotwise"));
  QApplication::setWindowIcon(lotwise::ProgramIcon());
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir output(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir folder;

  NoShell shell;
  lotwise::DesktopPlatform platform(shell);
  lotwise::SearchWindow model(lotwise::buildConfig(), folder.path().toStdString(), platform);
  lotwise::MainWindow window(model);
  QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  NoKeychain keychain;
  lotwise::SourceChoice sources(settings, keychain, platform, platform,
                                [](const char*) { return std::optional<std::string>(); });
  window.offerSettings(&sources);
  platform.attachView(&window, [&window] { window.refresh(); });
  window.show();
  QApplication::processEvents();
  bool ok = Save(&window, output, "window.png");

  auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
  for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    QApplication::processEvents();
    const QString name = QStringLiteral("tab-%1.png").arg(tabs->tabText(i).toLower());
    ok = Save(&window, output, name.toLatin1().constData()) && ok;
  }

  window.findChild<QAction*>(QStringLiteral("hlpAbout"))->trigger();
  QApplication::processEvents();
  auto* about = window.findChild<lotwise::AboutDialog*>();
  ok = about != nullptr && Save(about, output, "about.png") && ok;

  window.findChild<QAction*>(QStringLiteral("mnuSettings"))->trigger();
  QApplication::processEvents();
  auto* dialog = window.findChild<lotwise::SettingsDialog*>();
  ok = dialog != nullptr && Save(dialog, output, "settings.png") && ok;
  return ok ? 0 : 1;
}
