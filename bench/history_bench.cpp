// The history of searches in SQLite: recording a search of 10,000 items as a search does
// (its rows worked out, then recorded in one transaction) against a bare loop of prepared
// inserts of the same rows in one transaction, both into a new file with the same
// settings; and reading what changed for 10,000 items against a history of 365 daily runs
// of 1,000 items each, with the size of that history.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "history/recorded_runs.h"
#include "history/sqlite_history.h"
#include "page_file_maker.h"
#include "search/iso_time.h"
#include "search/search_changes.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

constexpr int kRecordedItems = 10'000;
constexpr std::int64_t kDay = 86'400;
constexpr std::int64_t kFirstDay = 1'767'225'600;  // 2026-01-01, UTC
constexpr int kDays = 365;
constexpr int kNewEachDay = 143;  // auctions of seven days: about 1,000 listed each day
constexpr int kAuctionDays = 7;

void Check(int done, sqlite3* db) {
  if (done != SQLITE_OK && done != SQLITE_DONE && done != SQLITE_ROW) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
}

// The bare loop: the rows into a table of the same columns in a new file with the same
// settings, one prepared insert a row, one transaction. Gives its times.
Times BareInserts(const std::filesystem::path& file, const std::vector<HistoryItem>& rows) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(file.c_str(), &db), db);
  Check(sqlite3_exec(db,
                     "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;"
                     "CREATE TABLE items (run INTEGER, position INTEGER, listed INTEGER,"
                     " item_id TEXT, title TEXT, price TEXT, currency TEXT, bids INTEGER,"
                     " end_time TEXT, url TEXT, picture TEXT, first_seen INTEGER,"
                     " last_seen INTEGER)",
                     nullptr, nullptr, nullptr),
        db);
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db,
                           "INSERT INTO items VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10,"
                           " ?11, ?12, ?13)",
                           -1, &insert, nullptr),
        db);
  const auto text = [insert](int parameter, const std::string& value) {
    sqlite3_bind_text(insert, parameter, value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
  };
  const Times times = Measure([&] {
    Check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    std::int64_t position = 0;
    for (const HistoryItem& row : rows) {
      sqlite3_bind_int64(insert, 1, 1);
      sqlite3_bind_int64(insert, 2, position++);
      sqlite3_bind_int64(insert, 3, 1);
      text(4, row.itemId);
      text(5, row.title);
      text(6, row.price);
      text(7, row.currency);
      sqlite3_bind_int64(insert, 8, row.bids);
      text(9, row.endTime);
      text(10, row.url);
      text(11, row.picture);
      sqlite3_bind_int64(insert, 12, row.firstSeen);
      sqlite3_bind_int64(insert, 13, row.lastSeen);
      Check(sqlite3_step(insert), db);
      sqlite3_reset(insert);
    }
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
  });
  sqlite3_finalize(insert);
  sqlite3_close(db);
  return times;
}

// The recording of a search's first run into a new file, as RunHistory does it, the file
// opened first (the search has read its last run before). Gives its times.
Times Recording(const std::filesystem::path& file, const std::vector<HistoryItem>& kept) {
  SqliteHistory history(file);
  const HistoryRun run = testing::RecordedRun("lamp", 1, kRecordedItems);
  history.LastRun(run.search);
  std::vector<HistoryItem> rows = kept;  // the search hands its own on
  return Measure([&] {
    const SearchChanges changes(run.ranAt);
    history.Record(run, changes.RowsToRecord(std::move(rows), {}));
  });
}

// Each repetition records nine times each way, turn about, each into a new file; the
// ratios are of the medians, in wall-clock time (the goal) and in processor time, which
// other programs on the machine do not stretch.
void BM_History_Record10kVersusBareInserts(benchmark::State& state) {
  ScratchFolder folder("history-record");
  const std::vector<HistoryItem> kept = testing::RecordedRows("lamp", 1, kRecordedItems);
  int file = 0;
  for (auto _ : state) {
    std::vector<double> bare, bareCpu, recorded, recordedCpu;
    for (int i = 0; i < 9; ++i) {
      const Times plain = BareInserts(folder.path() / ("bare" + std::to_string(++file)), kept);
      const Times history = Recording(folder.path() / ("history" + std::to_string(++file)), kept);
      bare.push_back(plain.wall);
      bareCpu.push_back(plain.cpu);
      recorded.push_back(history.wall);
      recordedCpu.push_back(history.cpu);
    }
    state.SetIterationTime(Median(recorded));
    state.counters["record_ms"] = Median(recorded) * 1e3;
    state.counters["bare_ms"] = Median(bare) * 1e3;
    state.counters["record_per_bare"] = Median(recorded) / Median(bare);
    state.counters["record_per_bare_cpu"] = Median(recordedCpu) / Median(bareCpu);
  }
}
BENCHMARK(BM_History_Record10kVersusBareInserts)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// Item `number` of the daily search: listed from day number / kNewEachDay on, for seven
// days, gaining a bid a day.
HistoryItem DailyItem(int number, int day) {
  std::vector<HistoryItem> one = testing::RecordedRows("daily", number, 1);
  HistoryItem item = one.front();
  item.itemId = std::to_string(100'000'000 + number);
  const int first = number / kNewEachDay;
  item.bids = 1 + day - first;
  const std::int64_t end = kFirstDay + (first + kAuctionDays) * kDay - 3600;
  item.endTime = IsoText(end);
  return item;
}

std::vector<HistoryItem> ListedOn(int day) {
  std::vector<HistoryItem> listed;
  for (int number = std::max(0, (day - kAuctionDays + 1) * kNewEachDay);
       number < (day + 1) * kNewEachDay; ++number) {
    listed.push_back(DailyItem(number, day));
  }
  return listed;
}

struct DailyHistory {
  ScratchFolder folder{"history-daily"};
  std::filesystem::path file = folder.path() / "history.sqlite";
  HistoryRun run = testing::RecordedRun("daily", 0, 0);
  double megabytes = 0;
  double buildSeconds = 0;
};

// 365 daily runs of the same search, each recorded as a search records it.
const DailyHistory& YearOfDailyRuns() {
  static DailyHistory* built = [] {
    auto* daily = new DailyHistory;
    daily->buildSeconds = Seconds([&] {
      SqliteHistory history(daily->file);
      for (int day = 0; day < kDays; ++day) {
        std::optional<PastRun> last = history.LastRun(daily->run.search);
        const std::int64_t now = kFirstDay + day * kDay + 6 * 3600;
        const SearchChanges changes =
            last ? SearchChanges(std::move(*last), now) : SearchChanges(now);
        std::vector<HistoryItem> listed = ListedOn(day);
        GoneItems gone = changes.GoneWithout(NumbersOf(listed));
        std::vector<HistoryItem> rows =
            changes.RowsToRecord(std::move(listed), std::move(gone.running));
        daily->run.ranAt = now;
        daily->run.itemsKept = static_cast<long long>(rows.size());
        history.Record(daily->run, rows);
      }
    });
    std::uintmax_t bytes = 0;
    for (const char* suffix : {"", "-wal"}) {
      std::error_code missing;
      const std::uintmax_t size =
          std::filesystem::file_size(daily->file.string() + suffix, missing);
      if (!missing) bytes += size;
    }
    daily->megabytes = static_cast<double>(bytes) / (1 << 20);
    return daily;
  }();
  return *built;
}

// The next run with 10,000 items, 1,000 of them listed the day before: the last run read,
// what changed worked out for every item, and what became of the items no longer listed.
void BM_History_Changes10kAfter365DailyRuns(benchmark::State& state) {
  const DailyHistory& daily = YearOfDailyRuns();
  std::vector<HistoryItem> current = ListedOn(kDays);
  for (int number = 0; static_cast<int>(current.size()) < kRecordedItems; ++number) {
    current.push_back(DailyItem(1'000'000 + number, kDays));
  }
  const std::int64_t now = kFirstDay + kDays * kDay + 6 * 3600;
  SqliteHistory history(daily.file);
  history.LastRun(daily.run.search);  // the file opened, as the program holds it
  std::vector<double> times;
  for (auto _ : state) {
    std::size_t fresh = 0;
    std::size_t ended = 0;
    times.push_back(Seconds([&] {
      const SearchChanges changes(*history.LastRun(daily.run.search), now);
      for (const HistoryItem& item : current) {
        if (changes.Of(item.itemId, item.bids).isNew) ++fresh;
      }
      ended = changes.GoneWithout(NumbersOf(current)).ended.size();
    }));
    benchmark::DoNotOptimize(fresh);
    benchmark::DoNotOptimize(ended);
    state.SetIterationTime(times.back());
    state.counters["new"] = static_cast<double>(fresh);
    state.counters["ended"] = static_cast<double>(ended);
  }
  state.counters["read_ms"] = Median(times) * 1e3;
  state.counters["history_MiB"] = daily.megabytes;
  state.counters["year_recorded_s"] = daily.buildSeconds;
}
BENCHMARK(BM_History_Changes10kAfter365DailyRuns)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

}  // namespace
}  // namespace lotwise::bench

BENCHMARK_MAIN();
