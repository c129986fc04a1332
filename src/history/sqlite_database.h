#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/search_history.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lotwise {

// A failure of SQLite, said in words for the user, with SQLite's primary result code.
class SqliteError : public HistoryError {
 public:
  SqliteError(const std::string& words, int code) : HistoryError(words), code_(code) {}
  int code() const { return code_; }
  // The database is no SQLite database, or damaged.
  bool Damaged() const;

 private:
  int code_;
};

// One connection to a database file, opened for reading and writing (the file created
// when missing), that waits up to `busyTimeout` for another connection's lock.
class SqliteDatabase {
 public:
  SqliteDatabase(const std::filesystem::path& file, std::chrono::milliseconds busyTimeout);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs SQL that takes no parameters: the schema, a transaction's beginning and end.
  void Execute(const char* sql);
  // Whether the file can only be read.
  bool ReadOnly() const;
  std::int64_t LastInsertedRow() const;
  // Throws the SqliteError of result code `code`.
  [[noreturn]] void Fail(int code) const;

  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::filesystem::path file_;
};

// A prepared statement: values are bound to its parameters, never pasted into its text.
class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters count from 1. The text is copied: it may go before the statement runs.
  SqliteStatement& Bind(int parameter, std::string_view text);
  SqliteStatement& Bind(int parameter, std::int64_t value);
  // The next row: true when there is one, false at the end.
  bool Step();
  // Runs a statement that gives no rows, and readies it to run again.
  void Run();
  // Readies it to run again, with new values.
  void Reset();

  // Columns count from 0.
  std::int64_t Integer(int column) const;
  std::string Text(int column) const;

 private:
  SqliteDatabase& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// A transaction: begun at once for writing (BEGIN IMMEDIATE, which waits for another
// writer up to the busy timeout), rolled back unless committed.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDatabase& db);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;

  void Commit();

 private:
  SqliteDatabase& db_;
  bool open_ = true;
};

}  // namespace lotwise
