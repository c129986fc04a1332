#include "desktop/shell_open.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "desktop/qstring_printer.h"
#include "desktop/recording_shell.h"

namespace lotwise {
namespace {

using testing::RecordingShell;

class ShellOpenTest : public ::testing::Test {
 protected:
  std::string make(const char* name, bool executable = false) {
    const QString path = QDir(folder.path()).filePath(QLatin1String(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path.toStdString();
  }

  QTemporaryDir folder;
  RecordingShell shell;
};

TEST_F(ShellOpenTest, AddressesGoToTheirHandlerUnchanged) {
  OpenWithShell(shell, "mailto:author@publisher.test", "0", "0");
  OpenWithShell(shell, "http://groups.test/lotwise", "0", "0");
  OpenWithShell(shell, "http://listings.test/aw/listings/list/categories.html", "0", "0");
  ASSERT_EQ(shell.urls.size(), 3u);
  EXPECT_EQ(shell.urls[0], QUrl(QStringLiteral("mailto:author@publisher.test")));
  EXPECT_EQ(shell.urls[1], QUrl(QStringLiteral("http://groups.test/lotwise")));
  EXPECT_EQ(shell.urls[2].host(), QStringLiteral("listings.test"));
  EXPECT_EQ(shell.urls[2].path(), QStringLiteral("/aw/listings/list/categories.html"));
  EXPECT_TRUE(shell.programs.empty());
}

TEST_F(ShellOpenTest, DocumentsOpenAsFilesAndMissingOnesAreLeftAlone) {
  const std::string report = make("Finalsearch.htm");
  OpenWithShell(shell, report, "0", "0");
  ASSERT_EQ(shell.urls.size(), 1u);
  EXPECT_EQ(shell.urls[0], QUrl::fromLocalFile(QString::fromStdString(report)));

  // Executable or not, a page is a document, not a program.
  const std::string page = make("instructions.htm", true);
  OpenWithShell(shell, page, "0", "0");
  // So is a file without suffix that cannot run.
  OpenWithShell(shell, make("README"), "0", "0");
  ASSERT_EQ(shell.urls.size(), 3u);
  EXPECT_EQ(shell.urls[1], QUrl::fromLocalFile(QString::fromStdString(page)));

  // What is missing is not handed over, and the caller learns why.
  const std::string missing =
      QDir(folder.path()).filePath(QStringLiteral("missing.htm")).toStdString();
  EXPECT_EQ(OpenWithShell(shell, missing, "0", "0"), missing + " was not found.");
  const std::string updater =
      QDir(folder.path()).filePath(QStringLiteral("Update.exe")).toStdString();
  EXPECT_EQ(OpenWithShell(shell, updater, "0", folder.path().toStdString()),
            updater + " was not found.");
  EXPECT_EQ(OpenWithShell(shell, "", "0", "0"), "");
  EXPECT_EQ(shell.calls(), 3u);
}

TEST_F(ShellOpenTest, ProgramsStartInTheirWorkingFolderWithTheParameters) {
  const std::string updater = make("Update.exe");
  OpenWithShell(shell, updater, "0", folder.path().toStdString());
  ASSERT_EQ(shell.programs.size(), 1u);
  EXPECT_EQ(shell.programs[0].program, QString::fromStdString(updater));
  EXPECT_EQ(shell.programs[0].arguments, QStringList{QStringLiteral("0")});
  EXPECT_EQ(shell.programs[0].workingFolder, folder.path());

  // A working folder that is no folder: the program's own folder.
  QTemporaryDir elsewhere;
  const QString tool = QDir(elsewhere.path()).filePath(QStringLiteral("tool"));
  QFile file(tool);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
  OpenWithShell(shell, tool.toStdString(), "", "0");
  ASSERT_EQ(shell.programs.size(), 2u);
  EXPECT_EQ(shell.programs[1].program, tool);
  EXPECT_TRUE(shell.programs[1].arguments.isEmpty());
  EXPECT_EQ(shell.programs[1].workingFolder, elsewhere.path());
  EXPECT_TRUE(shell.urls.empty());
}

}  // namespace
}  // namespace lotwise
