#include "history/sqlite_history.h"

#include <sqlite3.h>

#include <system_error>
#include <thread>
#include <unordered_set>
#include <utility>

#include "history/history_schema.h"
#include "history/sqlite_database.h"

namespace lotwise {
namespace {

constexpr const char* kSearchColumns =
    "source, marketplace, kind, words, combine, excluded, lowest_price, highest_price, "
    "category, in_description";

std::string_view EndName(HistoryEnd end) {
  return end == HistoryEnd::kCutShort ? "cut short" : "finished";
}

HistoryEnd EndOf(const std::string& name) {
  return name == "cut short" ? HistoryEnd::kCutShort : HistoryEnd::kFinished;
}

// Turns the write-ahead journal on. SQLite answers "busy" at once, without waiting, when
// another connection opens the same new file at the same moment and switches it too (it
// cannot wait there without risking a deadlock), so the switch is tried again here until
// the busy timeout has passed; once one connection has switched, the file stays so.
void UseWriteAheadJournal(SqliteDatabase& db, std::chrono::milliseconds busyTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + busyTimeout;
  for (;;) {
    try {
      db.Execute("PRAGMA journal_mode = WAL");
      return;
    } catch (const SqliteError& failure) {
      if (failure.code() != SQLITE_BUSY || std::chrono::steady_clock::now() >= deadline) throw;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Binds the search's columns, in kSearchColumns' order, from parameter `first` on.
void BindSearch(SqliteStatement& statement, const HistorySearch& search, int first = 1) {
  statement.Bind(first, search.source)
      .Bind(first + 1, search.marketplace)
      .Bind(first + 2, std::int64_t{search.kind})
      .Bind(first + 3, search.words)
      .Bind(first + 4, std::int64_t{search.combine})
      .Bind(first + 5, search.excluded)
      .Bind(first + 6, search.lowestPrice)
      .Bind(first + 7, search.highestPrice)
      .Bind(first + 8, search.category)
      .Bind(first + 9, std::int64_t{search.inDescription ? 1 : 0});
}

// The search's columns, in kSearchColumns' order, from column `first` on.
HistorySearch SearchAt(const SqliteStatement& row, int first) {
  HistorySearch search;
  search.source = row.Text(first);
  search.marketplace = row.Text(first + 1);
  search.kind = static_cast<std::int16_t>(row.Integer(first + 2));
  search.words = row.Text(first + 3);
  search.combine = static_cast<int>(row.Integer(first + 4));
  search.excluded = row.Text(first + 5);
  search.lowestPrice = row.Text(first + 6);
  search.highestPrice = row.Text(first + 7);
  search.category = row.Text(first + 8);
  search.inDescription = row.Integer(first + 9) != 0;
  return search;
}

// The run's columns "ran_at, minimum_bids, ended, items_kept" from column `first` on.
void ReadRun(const SqliteStatement& row, int first, HistoryRun& run) {
  run.ranAt = row.Integer(first);
  run.minimumBids = static_cast<int>(row.Integer(first + 1));
  run.end = EndOf(row.Text(first + 2));
  run.itemsKept = row.Integer(first + 3);
}

std::string WhereSearch() {
  return "source = ?1 AND marketplace = ?2 AND kind = ?3 AND words = ?4 AND combine = ?5 "
         "AND excluded = ?6 AND lowest_price = ?7 AND highest_price = ?8 AND category = ?9 "
         "AND in_description = ?10";
}

}  // namespace

// The statements of one connection, prepared once.
struct HistoryStatements {
  explicit HistoryStatements(SqliteDatabase& db)
      : addSearch(db, ("INSERT OR IGNORE INTO searches (" + std::string(kSearchColumns) +
                       ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)")
                          .c_str()),
        findSearch(db, ("SELECT id FROM searches WHERE " + WhereSearch()).c_str()),
        lastItem(db, "SELECT coalesce(max(id), 0) FROM items"),
        addRun(db,
               "INSERT INTO runs (search, ran_at, minimum_bids, ended, items_kept, first_item, "
               "items) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
        addItem(db,
                "INSERT INTO items (id, run, listed, item_id, title, price, currency, bids, "
                "end_time, url, picture, first_seen, last_seen) "
                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)"),
        lastRun(db,
                "SELECT first_item, ran_at, minimum_bids, ended, items_kept, items FROM runs "
                "WHERE search = ?1 ORDER BY id DESC LIMIT 1"),
        itemsOfRun(db,
                   "SELECT listed, item_id, title, price, currency, bids, end_time, url, "
                   "picture, first_seen, last_seen FROM items WHERE id >= ?1 AND id < ?2 "
                   "ORDER BY id"),
        runsByTime(db, ("SELECT runs.search, ran_at, minimum_bids, ended, items_kept, " +
                        std::string(kSearchColumns) +
                        " FROM runs JOIN searches ON searches.id = runs.search"
                        " ORDER BY ran_at DESC, runs.id DESC")
                           .c_str()),
        runsOfSearch(db, "SELECT count(*) FROM runs WHERE search = ?1") {}

  SqliteStatement addSearch, findSearch, lastItem, addRun, addItem, lastRun, itemsOfRun, runsByTime,
      runsOfSearch;
};

SqliteHistory::SqliteHistory(std::filesystem::path file, std::chrono::milliseconds busyTimeout)
    : file_(std::move(file)), busyTimeout_(busyTimeout) {}

SqliteHistory::~SqliteHistory() { Close(); }

void SqliteHistory::Close() {
  statements_.reset();
  db_.reset();
}

void SqliteHistory::RemoveFiles() {
  Close();
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::path part = file_;
    part += suffix;
    std::error_code failed;
    std::filesystem::remove(part, failed);
    if (failed) {
      throw HistoryError("the history database could not be removed (" + part.string() +
                         "): " + failed.message());
    }
  }
}

SqliteDatabase& SqliteHistory::Database() {
  if (db_) return *db_;
  auto db = std::make_unique<SqliteDatabase>(file_, busyTimeout_);
  if (db->ReadOnly()) db->Fail(SQLITE_READONLY);
  // The version first: a file a newer Lotwise wrote, or that is no database, is not
  // changed at all, not even to a write-ahead journal.
  RefuseNewerSchema(*db);
  UseWriteAheadJournal(*db, busyTimeout_);
  db->Execute("PRAGMA synchronous = FULL");
  db->Execute("PRAGMA foreign_keys = ON");
  MigrateSchema(*db);
  statements_ = std::make_unique<HistoryStatements>(*db);
  db_ = std::move(db);
  return *db_;
}

HistoryStatements& SqliteHistory::Statements() {
  Database();
  return *statements_;
}

template <typename Use>
auto SqliteHistory::Using(Use&& use) {
  try {
    return use(Database(), Statements());
  } catch (...) {
    Close();
    throw;
  }
}

std::optional<PastRun> SqliteHistory::LastRun(const HistorySearch& search) {
  return Using([&](SqliteDatabase&, HistoryStatements& s) -> std::optional<PastRun> {
    BindSearch(s.findSearch, search);
    const bool known = s.findSearch.Step();
    const std::int64_t searchId = known ? s.findSearch.Integer(0) : 0;
    s.findSearch.Reset();
    if (!known) return std::nullopt;
    s.lastRun.Bind(1, searchId);
    if (!s.lastRun.Step()) {
      s.lastRun.Reset();
      return std::nullopt;
    }
    PastRun past;
    past.run.search = search;
    const std::int64_t first = s.lastRun.Integer(0);
    ReadRun(s.lastRun, 1, past.run);
    const std::int64_t items = s.lastRun.Integer(5);
    s.lastRun.Reset();
    past.rows.reserve(static_cast<std::size_t>(items));
    s.itemsOfRun.Bind(1, first).Bind(2, first + items);
    while (s.itemsOfRun.Step()) {
      HistoryItem& item = past.rows.emplace_back();
      item.listed = s.itemsOfRun.Integer(0) != 0;
      item.itemId = s.itemsOfRun.Text(1);
      item.title = s.itemsOfRun.Text(2);
      item.price = s.itemsOfRun.Text(3);
      item.currency = s.itemsOfRun.Text(4);
      item.bids = static_cast<int>(s.itemsOfRun.Integer(5));
      item.endTime = s.itemsOfRun.Text(6);
      item.url = s.itemsOfRun.Text(7);
      item.picture = s.itemsOfRun.Text(8);
      item.firstSeen = s.itemsOfRun.Integer(9);
      item.lastSeen = s.itemsOfRun.Integer(10);
    }
    s.itemsOfRun.Reset();
    return past;
  });
}

void SqliteHistory::Record(const HistoryRun& run, std::span<const HistoryItem> rows) {
  Using([&](SqliteDatabase& db, HistoryStatements& s) {
    SqliteTransaction transaction(db);
    BindSearch(s.addSearch, run.search);
    s.addSearch.Run();
    BindSearch(s.findSearch, run.search);
    if (!s.findSearch.Step()) throw HistoryError("the history database lost a search");
    const std::int64_t searchId = s.findSearch.Integer(0);
    s.findSearch.Reset();
    // The run's items take the ids after the last, in order: none else writes meanwhile.
    s.lastItem.Step();
    const std::int64_t first = s.lastItem.Integer(0) + 1;
    s.lastItem.Reset();
    s.addRun.Bind(1, searchId)
        .Bind(2, run.ranAt)
        .Bind(3, std::int64_t{run.minimumBids})
        .Bind(4, EndName(run.end))
        .Bind(5, std::int64_t{run.itemsKept})
        .Bind(6, first)
        .Bind(7, static_cast<std::int64_t>(rows.size()));
    s.addRun.Run();
    const std::int64_t runId = db.LastInsertedRow();
    std::int64_t id = first;
    for (const HistoryItem& item : rows) {
      s.addItem.Bind(1, id++)
          .Bind(2, runId)
          .Bind(3, std::int64_t{item.listed ? 1 : 0})
          .Bind(4, item.itemId)
          .Bind(5, item.title)
          .Bind(6, item.price)
          .Bind(7, item.currency)
          .Bind(8, std::int64_t{item.bids})
          .Bind(9, item.endTime)
          .Bind(10, item.url)
          .Bind(11, item.picture)
          .Bind(12, item.firstSeen)
          .Bind(13, item.lastSeen);
      s.addItem.Run();
    }
    transaction.Commit();
  });
}

std::vector<RecentSearch> SqliteHistory::Recent(std::size_t count) {
  return Using([&](SqliteDatabase&, HistoryStatements& s) {
    std::vector<RecentSearch> recent;
    std::unordered_set<std::int64_t> seen;
    std::vector<std::int64_t> ids;
    while (recent.size() < count && s.runsByTime.Step()) {
      const std::int64_t searchId = s.runsByTime.Integer(0);
      if (!seen.insert(searchId).second) continue;
      RecentSearch& entry = recent.emplace_back();
      ReadRun(s.runsByTime, 1, entry.last);
      entry.last.search = SearchAt(s.runsByTime, 5);
      ids.push_back(searchId);
    }
    s.runsByTime.Reset();
    for (std::size_t i = 0; i < recent.size(); ++i) {
      s.runsOfSearch.Bind(1, ids[i]);
      if (s.runsOfSearch.Step()) recent[i].runs = s.runsOfSearch.Integer(0);
      s.runsOfSearch.Reset();
    }
    return recent;
  });
}

void SqliteHistory::Clear() {
  try {
    Using([&](SqliteDatabase& db, HistoryStatements&) {
      SqliteTransaction transaction(db);
      db.Execute("DELETE FROM items; DELETE FROM runs; DELETE FROM searches;");
      transaction.Commit();
    });
  } catch (const SqliteError& failure) {
    if (!failure.Damaged()) throw;
    RemoveFiles();
    return;
  } catch (const NewerHistoryError&) {
    RemoveFiles();
    return;
  }
  // The space the items took goes back to the disk; a history in use elsewhere keeps it
  // until then.
  try {
    Database().Execute("VACUUM");
  } catch (const HistoryError&) {
    Close();
  }
}

}  // namespace lotwise
