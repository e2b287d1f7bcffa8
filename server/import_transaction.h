// What an import may do in the directory while its transaction is open
// (Directory::import_transaction).
#pragma once

#include "directory.h"
#include "sql_statement.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace station {

class ImportTransaction {
public:
  // Stations named `name` in any case of its ASCII letters: their ids, with
  // the stream address of the imported ones (empty for the others).
  std::vector<std::pair<std::int64_t, std::string>> holders_of(const std::string &name);
  // The imported station of a stream address.
  std::optional<ImportedStation> imported(const std::string &address);
  // Removes every station that was not imported, its clicks, and the mark
  // of the demo directory.
  void drop_demo();
  // A new station, numbered from kFirstImportedId on; returns its id.
  std::int64_t add(const Station &station, const StationStream &stream);
  // The station of station.id; its creation date stays.
  void update(const Station &station, const StationStream &stream);

private:
  friend class Directory;
  explicit ImportTransaction(sqlite3 *db);

  sqlite3 *db_;
  sql::Statement holders_;
  sql::Statement imported_;
  sql::Statement add_;
  sql::Statement add_stream_;
  sql::Statement update_;
  sql::Statement update_stream_;
  std::int64_t next_id_ = 0;
};

} // namespace station
