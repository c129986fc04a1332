#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

#include "platform/search_history.h"

namespace lotwise {

class SqliteDatabase;
struct HistoryStatements;

// The history of searches in a SQLite database file ("history.sqlite" in the per-user
// data folder). The file is opened at the first use, and again at the next use after a
// failure, never created over nor changed when it cannot be used: a file that is no
// database or is damaged, or that a newer Lotwise wrote, stays as it is until the user
// clears the history. Write-ahead journal and full synchronisation: a search's records
// go in one transaction, so that a crash at any moment loses at most the search being
// recorded and never damages what is there. Another Lotwise writing at the same time is
// waited for up to `busyTimeout`.
class SqliteHistory : public SearchHistory {
 public:
  explicit SqliteHistory(std::filesystem::path file,
                         std::chrono::milliseconds busyTimeout = std::chrono::seconds(5));
  ~SqliteHistory() override;

  std::optional<PastRun> LastRun(const HistorySearch& search) override;
  void Record(const HistoryRun& run, std::span<const HistoryItem> rows) override;
  std::vector<RecentSearch> Recent(std::size_t count) override;
  // Empties the history; a file that cannot be used (damaged, or written by a newer
  // Lotwise) is removed instead, which is what the user asked for.
  void Clear() override;

  const std::filesystem::path& file() const { return file_; }

 private:
  // The open connection, opened (and its schema brought up) when there is none.
  SqliteDatabase& Database();
  HistoryStatements& Statements();
  // Runs `use` on the connection; a failure closes it, so that the next use opens it
  // again, and is thrown on.
  template <typename Use>
  auto Using(Use&& use);
  void Close();
  // The file and its journal.
  void RemoveFiles();

  std::filesystem::path file_;
  std::chrono::milliseconds busyTimeout_;
  std::unique_ptr<SqliteDatabase> db_;
  std::unique_ptr<HistoryStatements> statements_;
};

}  // namespace lotwise
