#include "history/history_schema.h"

#include <iterator>
#include <string>

namespace lotwise {
namespace {

// What each version adds to the one before: kMigrations[n] makes version n + 1, and says
// so last. A version, once released, is never changed; a new one is added after the last.
constexpr const char* kMigrations[] = {
    // 1: a search is what makes two runs the same search; a run is one report of it;
    // an item is one row of a run's report, or an item of an earlier run kept along
    // (listed 0) because it had not ended yet. A run's items are the `items` rows from
    // `first_item` on, in order: one range, read without an index, and written as a bare
    // loop of inserts is. Times are seconds since 1970, UTC.
    "CREATE TABLE searches ("
    " id INTEGER PRIMARY KEY,"
    " source TEXT NOT NULL, marketplace TEXT NOT NULL, kind INTEGER NOT NULL,"
    " words TEXT NOT NULL, combine INTEGER NOT NULL, excluded TEXT NOT NULL,"
    " lowest_price TEXT NOT NULL, highest_price TEXT NOT NULL, category TEXT NOT NULL,"
    " in_description INTEGER NOT NULL,"
    " UNIQUE (source, marketplace, kind, words, combine, excluded, lowest_price,"
    " highest_price, category, in_description));"
    "CREATE TABLE runs ("
    " id INTEGER PRIMARY KEY,"
    " search INTEGER NOT NULL REFERENCES searches (id),"
    " ran_at INTEGER NOT NULL, minimum_bids INTEGER NOT NULL, ended TEXT NOT NULL,"
    " items_kept INTEGER NOT NULL, first_item INTEGER NOT NULL, items INTEGER NOT NULL);"
    "CREATE INDEX runs_of_search ON runs (search, id);"
    "CREATE TABLE items ("
    " id INTEGER PRIMARY KEY,"
    " run INTEGER NOT NULL REFERENCES runs (id), listed INTEGER NOT NULL,"
    " item_id TEXT NOT NULL, title TEXT NOT NULL, price TEXT NOT NULL,"
    " currency TEXT NOT NULL, bids INTEGER NOT NULL, end_time TEXT NOT NULL,"
    " url TEXT NOT NULL, picture TEXT NOT NULL,"
    " first_seen INTEGER NOT NULL, last_seen INTEGER NOT NULL);"
    "PRAGMA user_version = 1;",
    // 2: the runs by time, for the searches run last.
    "CREATE INDEX runs_by_time ON runs (ran_at);"
    "PRAGMA user_version = 2;",
};
static_assert(std::size(kMigrations) == kHistorySchemaVersion);

}  // namespace

NewerHistoryError::NewerHistoryError(int version)
    : HistoryError("the history database was written by a newer Lotwise (schema version " +
                   std::to_string(version) + "; this one knows up to " +
                   std::to_string(kHistorySchemaVersion) + "), and is left as it is") {}

void RefuseNewerSchema(SqliteDatabase& db) {
  if (const int found = SchemaVersion(db); found > kHistorySchemaVersion) {
    throw NewerHistoryError(found);
  }
}

int SchemaVersion(SqliteDatabase& db) {
  SqliteStatement version(db, "PRAGMA user_version");
  return version.Step() ? static_cast<int>(version.Integer(0)) : 0;
}

void MigrateSchema(SqliteDatabase& db, int version) {
  RefuseNewerSchema(db);
  if (SchemaVersion(db) >= version) return;
  SqliteTransaction transaction(db);
  // Another Lotwise may have brought it up since it was read.
  RefuseNewerSchema(db);
  const int now = SchemaVersion(db);
  for (int next = now; next < version; ++next) db.Execute(kMigrations[next]);
  transaction.Commit();
}

}  // namespace lotwise
