#include "desktop/shell_open.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <vector>

#include "desktop/page_platform.h"
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

// The desktop's xdg-open replaced, for one test, by one that finds a program for every
// target but those under "nowhere", as on a desktop without a browser, and writes down
// what it was handed.
class FakeOpenerTest : public ShellOpenTest {
 protected:
  FakeOpenerTest() : pathBefore_(qgetenv("PATH")) {
    const QString opener = QDir(tools_.path()).filePath(QStringLiteral("xdg-open"));
    QFile script(opener);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\n"
        "printf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/handed\"\n"
        "case \"$1\" in *nowhere*) exit 3 ;; esac\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    qputenv("PATH", QFile::encodeName(tools_.path()) + ':' + pathBefore_);
  }
  ~FakeOpenerTest() override { qputenv("PATH", pathBefore_); }

  QStringList handed() const {
    QFile file(QDir(tools_.path()).filePath(QStringLiteral("handed")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    lines.sort();
    return lines;
  }

 private:
  QTemporaryDir tools_;
  QByteArray pathBefore_;
};

TEST_F(FakeOpenerTest, WhatNoProgramCouldOpenIsSaidForHelpPagesAndReportsAlike) {
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("nowhere")));
  const std::string report = make("nowhere/Finalsearch.htm");
  const std::string instructions = make("nowhere/instructions.htm");
  DesktopShell desktop;
  testing::PagePlatform platform(desktop);
  platform.ShellOpen(report, "0", "0");
  platform.ShellOpen(instructions, "0", "0");
  platform.ShellOpen("http://nowhere.test/lotwise", "0", "0");
  platform.ShellOpen("http://publisher.test", "0", "0");
  platform.ShellOpen("mailto:author@nowhere.test", "0", "0");
  ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.idle(); }, 60000));

  EXPECT_EQ(handed(),
            (QStringList{QUrl::fromLocalFile(QString::fromStdString(report)).toString(),
                         QUrl::fromLocalFile(QString::fromStdString(instructions)).toString(),
                         QStringLiteral("http://nowhere.test/lotwise"),
                         QStringLiteral("http://publisher.test"),
                         QStringLiteral("mailto:author@nowhere.test")}));
  std::vector<std::string> messages = platform.messages;
  std::sort(messages.begin(), messages.end());
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "No e-mail program is set up to write to author@nowhere.test.",
                          "No program on this computer could open " + report + ".",
                          "No program on this computer could open " + instructions + ".",
                          "No program on this computer could open http://nowhere.test/lotwise."}));
}

}  // namespace
}  // namespace lotwise
