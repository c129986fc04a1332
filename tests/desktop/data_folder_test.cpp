#include "desktop/data_folder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <set>

#include "support/files.h"

namespace lotwise {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

class DataFolderTest : public ::testing::Test {
 protected:
  fs::path root() const { return fs::path(temp.path().toStdString()); }

  QTemporaryDir temp;
};

TEST_F(DataFolderTest, AnUnwritableProgramFolderGivesWayToTheUserFolder) {
  const fs::path program = root() / "program";
  const fs::path user = root() / "data" / "Lotwise";
  std::set<fs::path> asked;
  const auto onlyUser = [&](const fs::path& folder) {
    asked.insert(folder);
    return folder != program && fs::is_directory(folder);
  };
  EXPECT_EQ(ChooseDataFolder(program, user, onlyUser), user);
  EXPECT_TRUE(fs::is_directory(user)) << "created on demand";
  EXPECT_EQ(asked, (std::set<fs::path>{program, user}));
}

TEST_F(DataFolderTest, WhenNeitherCanBeWrittenTheProgramFolderStays) {
  const fs::path program = root() / "program";
  WriteFile(root() / "plain-file", "x");
  const fs::path user = root() / "plain-file" / "Lotwise";
  EXPECT_EQ(ChooseDataFolder(program, user, CanWriteIn), program);
  EXPECT_EQ(ChooseDataFolder(program, fs::path(), [](const fs::path&) { return false; }), program);
}

TEST_F(DataFolderTest, WritingIsTriedForReal) {
  EXPECT_TRUE(CanWriteIn(root()));
  EXPECT_TRUE(fs::is_empty(root())) << "the probe file is removed again";
  // Root may write anywhere, but nobody can create a file below a regular file.
  WriteFile(root() / "plain-file", "x");
  EXPECT_FALSE(CanWriteIn(root() / "plain-file"));
  EXPECT_FALSE(CanWriteIn(root() / "plain-file" / "below"));
  EXPECT_FALSE(CanWriteIn(root() / "missing"));
}

TEST_F(DataFolderTest, TheUserFolderGetsTheInstructionsAndKeepsThemCurrent) {
  const fs::path program = root() / "program";
  const fs::path user = root() / "user";
  fs::create_directories(program);
  WriteFile(program / "instructions.htm", "<p>new</p>");
  const auto notProgram = [&](const fs::path& folder) {
    return folder != program && CanWriteIn(folder);
  };

  ASSERT_EQ(PrepareDataFolder({program, {}}, user, notProgram), user);
  EXPECT_EQ(ReadFile(user / "instructions.htm"), "<p>new</p>");

  WriteFile(user / "instructions.htm", "<p>stale</p>");
  PrepareDataFolder({program, {}}, user, notProgram);
  EXPECT_EQ(ReadFile(user / "instructions.htm"), "<p>new</p>");
}

TEST_F(DataFolderTest, AWritableProgramFolderHoldsTheFilesAndNothingIsCopied) {
  const fs::path program = root() / "program";
  const fs::path user = root() / "user";
  fs::create_directories(program);
  WriteFile(program / "instructions.htm", "<p>x</p>");
  EXPECT_EQ(PrepareDataFolder({program, {}}, user, CanWriteIn), program);
  EXPECT_FALSE(fs::exists(user));
}

// Installed: bin/lotwise beside share/lotwise/instructions.htm.
TEST_F(DataFolderTest, AnInstalledProgramKeepsToTheUserFolderEvenWhereItMayWriteEverywhere) {
  const fs::path bin = root() / "usr" / "bin";
  const fs::path user = root() / "home" / "Lotwise";
  const fs::path share = root() / "usr" / "share" / "lotwise";
  fs::create_directories(bin);
  fs::create_directories(share);
  WriteFile(share / "instructions.htm", "<p>installed</p>");
  const ProgramFolders program = LocateProgram(bin, "../share/lotwise");
  ASSERT_EQ(program.installedFiles, share);

  const auto likeRoot = [](const fs::path&) { return true; };
  EXPECT_EQ(PrepareDataFolder(program, user, likeRoot), user);
  EXPECT_EQ(ReadFile(user / "instructions.htm"), "<p>installed</p>");
  EXPECT_TRUE(fs::is_empty(bin));
}

TEST_F(DataFolderTest, AProgramWithoutInstalledFilesBesideItRunsAsBuilt) {
  const fs::path build = root() / "build" / "src" / "desktop";
  const fs::path bin = root() / "opt" / "bin";
  fs::create_directories(build);
  fs::create_directories(bin);
  fs::create_directories(root() / "opt" / "share" / "other");
  EXPECT_TRUE(LocateProgram(build, "../share/lotwise").installedFiles.empty());
  EXPECT_TRUE(LocateProgram(bin, "../share/lotwise").installedFiles.empty());
  EXPECT_TRUE(LocateProgram(bin, "").installedFiles.empty());
}

}  // namespace
}  // namespace lotwise
