// The walk-through: Lotwise's four searches, one after another, without a display.
// Drives the window model through real HTTP (the hosts this build was configured with)
// and real files, prints every status text the window shows, keeps the four reports and
// saves a picture of the window as the last search left it.
// Usage: lotwise-walkthrough <application folder>

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/config.h"
#include "walkthrough/walkthrough.h"
#include "walkthrough/window_picture.h"

namespace {

// Qt's notes about drawing offscreen (no runtime folder, no window manager) are not part
// of the walk-through; errors still show.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(ErrorsOnly);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lotwise"));
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <application folder>\n";
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) {
    std::cerr << "cannot create " << folder.string() << ": " << failed.message() << '\n';
    return 1;
  }

  const lotwise::Config config = lotwise::buildConfig();
  lotwise::WalkthroughPlan plan;
  const lotwise::ApiSettings api =
      lotwise::WithEnvironment(lotwise::ApiSettings{}, lotwise::ProcessEnvironment);
  if (api.source == lotwise::SearchSource::kMarketplaceApi) plan.api = api;
  if (api.source == lotwise::SearchSource::kMarketplaceSite) plan.site = api;
  std::cout << "Lotwise walk-through against the marketplace at "
            << (plan.api    ? api.baseUrl + " (its API)"
                : plan.site ? api.siteBaseUrl + " (its site)"
                            : config.listingsHost)
            << "\nApplication folder: " << folder.string() << '\n';
  lotwise::Walkthrough walkthrough(config, folder, std::cout, plan);
  const auto reports = walkthrough.Run();

  const std::filesystem::path picture = folder / "window.png";
  const bool drawn = lotwise::SaveWindowPicture(walkthrough.window(), picture);

  std::cout << "\nReports:\n";
  for (const auto& report : reports) std::cout << "  " << report.string() << '\n';
  if (drawn) {
    std::cout << "Window as the last search left it:\n  " << picture.string() << '\n';
  } else {
    std::cerr << "could not write " << picture.string() << '\n';
  }
  // Through the API only the keyword and category searches write reports, through the
  // site all but the featured one.
  const std::size_t searches = plan.api ? 2 : plan.site ? 3 : 4;
  return reports.size() == searches && drawn ? 0 : 1;
}
