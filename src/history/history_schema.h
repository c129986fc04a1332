#pragma once

#include "history/sqlite_database.h"

namespace lotwise {

// The version of the history's schema this Lotwise writes, kept in PRAGMA user_version
// (0 in a new, empty file). 1: the searches, their runs and the runs' items. 2: the runs
// by time, for the list of recent searches.
inline constexpr int kHistorySchemaVersion = 2;

// A file of a newer schema than this Lotwise knows, which it neither reads nor writes.
class NewerHistoryError : public HistoryError {
 public:
  explicit NewerHistoryError(int version);
};

// The schema's version in the file.
int SchemaVersion(SqliteDatabase& db);
// Throws NewerHistoryError for a file of a newer schema.
void RefuseNewerSchema(SqliteDatabase& db);

// Brings the schema from the version in the file up to `version` (at most
// kHistorySchemaVersion), one version after the other, in one transaction; a file that
// another connection brought up meanwhile is left as it is. Throws NewerHistoryError for
// a file of a newer version.
void MigrateSchema(SqliteDatabase& db, int version = kHistorySchemaVersion);

}  // namespace lotwise
