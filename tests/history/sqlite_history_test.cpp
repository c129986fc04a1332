// The history in SQLite: what it records reads back; a version-1 file is brought up; a
// file that is locked, damaged, read-only, on a full disk or of a newer Lotwise fails
// with words for the user and stays as it was; a recording killed at any moment, or two
// at once, lose nothing that was committed.

#include "history/sqlite_history.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "history/history_schema.h"
#include "history/recorded_runs.h"
#include "history/sqlite_database.h"
#include "support/files.h"

extern char** environ;

namespace lotwise {
namespace {

using testing::ReadFile;
using testing::RecordedRows;
using testing::RecordedRun;

constexpr auto kShortWait = std::chrono::milliseconds(100);

// The first column of the first row of `sql` on a connection of its own.
std::string Query(const std::filesystem::path& file, const char* sql) {
  SqliteDatabase db(file, kShortWait);
  SqliteStatement statement(db, sql);
  return statement.Step() ? statement.Text(0) : std::string();
}

std::string FailureOf(const std::function<void()>& use) {
  try {
    use();
  } catch (const HistoryError& failure) {
    return failure.what();
  }
  return "no failure";
}

class SqliteHistoryTest : public ::testing::Test {
 protected:
  // Records run `run` of the search for `name` with `items` rows.
  void Record(SqliteHistory& history, const std::string& name, long run, int items = 3) {
    history.Record(RecordedRun(name, run, items), RecordedRows(name, run, items));
  }
  // The rows of every run in the file, each against the rows it was recorded with.
  void ExpectEveryRunIntact() {
    EXPECT_EQ(Query(file, "PRAGMA integrity_check"), "ok");
    SqliteDatabase db(file, kShortWait);
    SqliteStatement runs(db,
                         "SELECT runs.id, words, ran_at, items_kept, first_item, items FROM runs"
                         " JOIN searches ON searches.id = runs.search");
    SqliteStatement items(db,
                          "SELECT item_id, bids, run FROM items WHERE id >= ?1 AND id < ?2"
                          " ORDER BY id");
    while (runs.Step()) {
      const std::string name = runs.Text(1);
      const int count = static_cast<int>(runs.Integer(3));
      const std::vector<HistoryItem> expected = RecordedRows(name, runs.Integer(2), count);
      EXPECT_EQ(runs.Integer(5), count);
      items.Bind(1, runs.Integer(4)).Bind(2, runs.Integer(4) + runs.Integer(5));
      std::size_t seen = 0;
      for (; items.Step(); ++seen) {
        ASSERT_LT(seen, expected.size());
        EXPECT_EQ(items.Text(0), expected[seen].itemId);
        EXPECT_EQ(items.Integer(1), expected[seen].bids);
        EXPECT_EQ(items.Integer(2), runs.Integer(0));
      }
      items.Reset();
      EXPECT_EQ(seen, expected.size()) << name << " run " << runs.Integer(2);
    }
  }

  testing::TempFolder folder;
  std::filesystem::path file = folder.path() / "history.sqlite";
};

TEST_F(SqliteHistoryTest, ReadsBackTheLastRunOfTheSameSearchAndTheSearchesRunLast) {
  SqliteHistory history(file);
  Record(history, "lamp", 1);
  Record(history, "clock", 2);
  std::vector<HistoryItem> rows = RecordedRows("lamp", 3, 2);
  rows[1].listed = false;
  rows[1].firstSeen = 1;
  rows[1].title = "Caf\xC3\xA9 'quoted' \"both\"; DROP TABLE items; --";
  HistoryRun run = RecordedRun("lamp", 3, 1);
  run.minimumBids = 7;
  run.end = HistoryEnd::kCutShort;
  history.Record(run, rows);

  const std::optional<PastRun> last = history.LastRun(run.search);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->run.ranAt, 3);
  EXPECT_EQ(last->run.minimumBids, 7);
  EXPECT_EQ(last->run.end, HistoryEnd::kCutShort);
  EXPECT_EQ(last->run.itemsKept, 1);
  ASSERT_EQ(last->rows.size(), 2u);
  const HistoryItem& back = last->rows[1];
  EXPECT_EQ(back.itemId, rows[1].itemId);
  EXPECT_EQ(back.title, rows[1].title);
  EXPECT_EQ(back.price, rows[1].price);
  EXPECT_EQ(back.currency, "USD");
  EXPECT_EQ(back.bids, 1);
  EXPECT_EQ(back.endTime, rows[1].endTime);
  EXPECT_EQ(back.url, rows[1].url);
  EXPECT_EQ(back.picture, rows[1].picture);
  EXPECT_EQ(back.firstSeen, 1);
  EXPECT_EQ(back.lastSeen, 3);
  EXPECT_FALSE(back.listed);
  EXPECT_TRUE(last->rows[0].listed);

  // Any option makes another search.
  HistorySearch other = run.search;
  other.inDescription = true;
  EXPECT_FALSE(history.LastRun(other));

  const std::vector<RecentSearch> recent = history.Recent(20);
  ASSERT_EQ(recent.size(), 2u);
  EXPECT_EQ(recent[0].last.search, run.search);
  EXPECT_EQ(recent[0].last.ranAt, 3);
  EXPECT_EQ(recent[0].runs, 2);
  EXPECT_EQ(recent[1].last.search.words, "clock");
  EXPECT_EQ(history.Recent(1).size(), 1u);

  history.Clear();
  EXPECT_FALSE(history.LastRun(run.search));
  EXPECT_TRUE(history.Recent(20).empty());
}

TEST_F(SqliteHistoryTest, AVersionOneFileIsBroughtUpWithWhatItHolds) {
  {
    SqliteDatabase db(file, kShortWait);
    MigrateSchema(db, 1);
    SqliteStatement search(db,
                           "INSERT INTO searches VALUES"
                           " (1, 'Classic pages', '', 2, '353', 0, '', '', '', '', 0)");
    search.Run();
    SqliteStatement run(db, "INSERT INTO runs VALUES (1, 1, 100, 5, 'finished', 1, 1, 1)");
    run.Run();
    SqliteStatement item(db,
                         "INSERT INTO items VALUES (1, 1, 1, '4711', 'Item 4711', '12.50', '', 9,"
                         " '', 'http://x.test/4711', '', 100, 100)");
    item.Run();
  }
  EXPECT_EQ(Query(file, "PRAGMA user_version"), "1");
  EXPECT_EQ(Query(file, "SELECT count(*) FROM sqlite_master WHERE name = 'runs_by_time'"), "0");

  SqliteHistory history(file);
  HistorySearch search;
  search.source = "Classic pages";
  search.kind = 2;
  search.words = "353";
  const std::optional<PastRun> last = history.LastRun(search);
  ASSERT_TRUE(last);
  ASSERT_EQ(last->rows.size(), 1u);
  EXPECT_EQ(last->rows[0].itemId, "4711");
  EXPECT_EQ(last->rows[0].bids, 9);
  EXPECT_EQ(Query(file, "PRAGMA user_version"), std::to_string(kHistorySchemaVersion));
  EXPECT_EQ(Query(file, "SELECT count(*) FROM sqlite_master WHERE name = 'runs_by_time'"), "1");
  EXPECT_EQ(Query(file, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(history.Recent(5).at(0).last.minimumBids, 5);
}

TEST_F(SqliteHistoryTest, ALockedFileIsWaitedForThenReportedAndLosesNothing) {
  SqliteHistory history(file, kShortWait);
  Record(history, "lamp", 1);
  {
    SqliteDatabase other(file, kShortWait);
    other.Execute("BEGIN IMMEDIATE");
    EXPECT_EQ(FailureOf([&] { Record(history, "lamp", 2); }),
              "the history database is in use by another program (" + file.string() + ")");
    // The write-ahead journal lets readers in meanwhile.
    EXPECT_EQ(history.LastRun(RecordedRun("lamp", 1, 3).search)->run.ranAt, 1);
    other.Execute("COMMIT");
  }
  Record(history, "lamp", 2);
  EXPECT_EQ(history.LastRun(RecordedRun("lamp", 1, 3).search)->run.ranAt, 2);
  ExpectEveryRunIntact();
}

TEST_F(SqliteHistoryTest, AFileThatIsNoDatabaseIsDamagedOrNewerStaysUntilCleared) {
  const auto expectLeftAlone = [&](const std::string& words) {
    const std::string before = ReadFile(file);
    SqliteHistory history(file, kShortWait);
    EXPECT_NE(FailureOf([&] { history.LastRun(RecordedRun("lamp", 1, 3).search); }).find(words),
              std::string::npos);
    EXPECT_NE(FailureOf([&] { Record(history, "lamp", 9); }).find(words), std::string::npos);
    EXPECT_NE(FailureOf([&] { history.Recent(20); }).find(words), std::string::npos);
    EXPECT_EQ(ReadFile(file), before);
    // The user's word: a new history.
    history.Clear();
    Record(history, "lamp", 10);
    EXPECT_EQ(history.Recent(20).size(), 1u);
  };

  std::string text;
  for (int i = 0; i < 400; ++i) text += "Notes on lamps, not a database. ";
  testing::WriteFile(file, text);
  expectLeftAlone("the history database is damaged");

  {
    SqliteHistory history(file);
    for (long run = 1; run <= 3; ++run) Record(history, "lamp", run, 500);
  }
  std::string pages = ReadFile(file);
  ASSERT_GT(pages.size(), 8192u);
  // Every page after the first two in pieces.
  for (std::size_t i = 8192; i < pages.size(); i += 7) pages[i] = '\x5A';
  testing::WriteFile(file, pages);
  expectLeftAlone("the history database is damaged");

  {
    SqliteDatabase db(file, kShortWait);
    db.Execute("PRAGMA user_version = 99");
  }
  expectLeftAlone("written by a newer Lotwise (schema version 99; this one knows up to 2)");
}

// Runs `use` in a process of its own; gives what it gives, or nothing when the process
// ended otherwise.
std::optional<std::string> InAProcess(const std::function<std::string()>& use) {
  int channel[2];
  if (pipe(channel) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::string said;
    try {
      said = use();
    } catch (const std::exception& failure) {
      said = std::string("failed: ") + failure.what();
    }
    const bool written = write(channel[1], said.data(), said.size()) >= 0;
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  std::string said;
  char buffer[512];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
    said.append(buffer, static_cast<std::size_t>(got));
  }
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return said;
}

TEST_F(SqliteHistoryTest, AReadOnlyFileIsLeftAsItIs) {
  {
    SqliteHistory history(file);
    Record(history, "lamp", 1);
  }
  chmod(folder.path().c_str(), 0755);
  chmod(file.c_str(), 0444);
  const std::string before = ReadFile(file);
  // Root writes read-only files: the process gives that up first.
  const std::optional<std::string> said = InAProcess([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return std::string("root");
    SqliteHistory history(file, kShortWait);
    return FailureOf([&] { Record(history, "lamp", 2); });
  });
  EXPECT_EQ(said, "the history database is read-only (" + file.string() + ")");
  EXPECT_EQ(ReadFile(file), before);
  chmod(file.c_str(), 0644);
}

// Runs `use` in a process of its own with a disk of 256 KiB at `folder`, a file system in
// memory that only it sees; gives what it gives, or nothing where no such disk can be made.
std::optional<std::string> OnASmallDisk(const std::filesystem::path& folder,
                                        const std::function<std::string()>& use) {
  std::filesystem::create_directories(folder);
  return InAProcess([&]() -> std::string {
    const int spaces = geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
    if (unshare(spaces) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("small", folder.c_str(), "tmpfs", 0, "size=256k") != 0) {
      return "no small disk";
    }
    return use();
  });
}

TEST_F(SqliteHistoryTest, AFullDiskFailsTheRecordingAndLeavesEveryEarlierRun) {
  const std::filesystem::path disk = folder.path() / "disk";
  const std::filesystem::path small = disk / "history.sqlite";
  const std::optional<std::string> said = OnASmallDisk(disk, [&] {
    SqliteHistory history(small, kShortWait);
    history.Record(RecordedRun("lamp", 1, 3), RecordedRows("lamp", 1, 3));
    const std::string failure = FailureOf(
        [&] { history.Record(RecordedRun("lamp", 2, 5000), RecordedRows("lamp", 2, 5000)); });
    const std::optional<PastRun> last = history.LastRun(RecordedRun("lamp", 1, 3).search);
    return failure + "|" + std::to_string(last ? last->rows.size() : 0) + "|" +
           Query(small, "PRAGMA integrity_check");
  });
  if (!said || *said == "no small disk") {
    GTEST_SKIP() << "this system lets no process mount a small disk of its own";
  }
  EXPECT_EQ(*said, "the disk of the history database is full (" + small.string() + ")|3|ok");
}

// lotwise_history_recorder recording into `file`, its standard output in a pipe.
class Recorder {
 public:
  Recorder(const std::filesystem::path& file, const std::string& name, long runs, int items) {
    const std::string path = LOTWISE_HISTORY_RECORDER;
    const std::string arguments[] = {path, file.string(), name, std::to_string(runs),
                                     std::to_string(items)};
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
      throw std::runtime_error("cannot start " + path);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    out_ = channel[0];
  }
  ~Recorder() { close(out_); }

  void Kill() { kill(pid_, SIGKILL); }
  // Waits for the end; gives its exit status, or -1 when it was killed.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The runs it said it committed (after Wait).
  long Committed() {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(out_, buffer, sizeof buffer)) > 0;) {
      text.append(buffer, static_cast<std::size_t>(got));
    }
    long committed = 0;
    for (std::size_t at = text.find("recorded "); at != std::string::npos;
         at = text.find("recorded ", at + 1)) {
      committed = std::stol(text.substr(at + 9));
    }
    return committed;
  }

 private:
  pid_t pid_ = 0;
  int out_ = -1;
};

std::size_t RunsOf(const std::filesystem::path& file, const std::string& name) {
  SqliteHistory history(file);
  std::size_t runs = 0;
  for (const RecentSearch& recent : history.Recent(1000)) {
    if (recent.last.search.words == name) runs = static_cast<std::size_t>(recent.runs);
  }
  return runs;
}

TEST_F(SqliteHistoryTest, KilledAtRandomMomentsOfRecordingItLosesAtMostTheRunUnderWay) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> moment(0, 120);
  for (int kill = 0; kill < 50; ++kill) {
    const std::string name = "kill" + std::to_string(kill);
    Recorder recorder(file, name, 1000, 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    recorder.Kill();
    EXPECT_EQ(recorder.Wait(), -1);
    const long committed = recorder.Committed();
    const std::size_t runs = RunsOf(file, name);
    // Every run it said it committed, and perhaps the one it was killed after committing.
    EXPECT_GE(runs, static_cast<std::size_t>(committed)) << name;
    EXPECT_LE(runs, static_cast<std::size_t>(committed) + 1) << name;
  }
  ExpectEveryRunIntact();
}

TEST_F(SqliteHistoryTest, TwoRecordingAtOnceLoseNothing) {
  Recorder first(file, "first", 30, 1000);
  Recorder second(file, "second", 30, 1000);
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_EQ(first.Committed(), 30);
  EXPECT_EQ(second.Committed(), 30);
  EXPECT_EQ(RunsOf(file, "first"), 30u);
  EXPECT_EQ(RunsOf(file, "second"), 30u);
  ExpectEveryRunIntact();
}

}  // namespace
}  // namespace lotwise
