// A prepared SQLite statement of the station directory, finalised on scope
// exit; failures throw DirectoryError.
#pragma once

#include "directory.h"

#include <sqlite3.h>

namespace station::sql {

class Statement {
public:
  Statement(sqlite3 *db, const char *sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
      throw DirectoryError(std::string("cannot prepare statement: ") + sqlite3_errmsg(db));
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;

  Statement &bind(int index, std::int64_t value) {
    check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
  }
  Statement &bind(int index, const std::string &value) {
    check(sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
    return *this;
  }
  // true while a row is available.
  bool step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
      return true;
    if (rc == SQLITE_DONE)
      return false;
    throw DirectoryError(std::string("statement failed: ") + sqlite3_errmsg(db_));
  }
  void reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  std::int64_t integer(int column) { return sqlite3_column_int64(stmt_, column); }
  std::string text(int column) {
    const auto *data = sqlite3_column_text(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return data ? std::string(reinterpret_cast<const char *>(data), static_cast<std::size_t>(size))
                : std::string();
  }

private:
  void check(int rc) {
    if (rc != SQLITE_OK)
      throw DirectoryError(std::string("cannot bind value: ") + sqlite3_errmsg(db_));
  }

  sqlite3 *db_;
  sqlite3_stmt *stmt_ = nullptr;
};

} // namespace station::sql
