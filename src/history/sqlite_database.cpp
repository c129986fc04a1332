#include "history/sqlite_database.h"

#include <sqlite3.h>

#include <system_error>

namespace lotwise {
namespace {

// What a result code means for the user of the history.
std::string Words(int code, const std::string& file, const char* message) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "the history database is in use by another program (" + file + ")";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "the history database is damaged (" + file +
             "); Settings, Clear history starts a new one";
    case SQLITE_FULL:
      return "the disk of the history database is full (" + file + ")";
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return "the history database is read-only (" + file + ")";
    case SQLITE_CANTOPEN:
      return "the history database cannot be opened (" + file + ")";
    case SQLITE_NOMEM:
      return "there is not enough memory for the history";
    default:
      return "the history database failed (" + file +
             "): " + (message != nullptr ? message : sqlite3_errstr(code));
  }
}

}  // namespace

bool SqliteError::Damaged() const {
  return (code_ & 0xFF) == SQLITE_CORRUPT || (code_ & 0xFF) == SQLITE_NOTADB;
}

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file,
                               std::chrono::milliseconds busyTimeout)
    : file_(file) {
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  const int opened = sqlite3_open_v2(file.string().c_str(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (opened != SQLITE_OK) {
    const SqliteError failure(Words(opened, file_.string(), nullptr), opened);
    sqlite3_close(db_);
    db_ = nullptr;
    throw failure;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

void SqliteDatabase::Execute(const char* sql) {
  const int done = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (done != SQLITE_OK) Fail(done);
}

bool SqliteDatabase::ReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

std::int64_t SqliteDatabase::LastInsertedRow() const { return sqlite3_last_insert_rowid(db_); }

void SqliteDatabase::Fail(int code) const {
  throw SqliteError(Words(code, file_.string(), sqlite3_errmsg(db_)), code);
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const char* sql) : db_(db) {
  const int prepared =
      sqlite3_prepare_v3(db_.handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
  if (prepared != SQLITE_OK) db_.Fail(prepared);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int parameter, std::string_view text) {
  const int bound = sqlite3_bind_text64(statement_, parameter, text.data(), text.size(),
                                        SQLITE_TRANSIENT, SQLITE_UTF8);
  if (bound != SQLITE_OK) db_.Fail(bound);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int parameter, std::int64_t value) {
  const int bound = sqlite3_bind_int64(statement_, parameter, value);
  if (bound != SQLITE_OK) db_.Fail(bound);
  return *this;
}

bool SqliteStatement::Step() {
  const int stepped = sqlite3_step(statement_);
  if (stepped == SQLITE_ROW) return true;
  if (stepped == SQLITE_DONE) return false;
  sqlite3_reset(statement_);
  db_.Fail(stepped);
}

void SqliteStatement::Run() {
  while (Step()) {
  }
  Reset();
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) {
  db_.Execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
  // Nothing of an unfinished transaction stays; a rollback that fails leaves SQLite to
  // roll it back when the connection closes.
  if (open_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
  db_.Execute("COMMIT");
  open_ = false;
}

}  // namespace lotwise
