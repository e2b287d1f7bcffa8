// The imported stations of the directory: their streams, and the writing of
// an import.
#include "directory.h"

#include "import_transaction.h"
#include "sql_statement.h"

#include <algorithm>

namespace station {

using sql::Statement;

namespace {

constexpr const char *kImportedColumns =
    "SELECT s.id, s.name, s.caption, s.genre, s.created_at, t.address, t.stream, t.homepage,"
    " t.country, t.codec, t.bitrate FROM stations s JOIN streams t ON t.station_id = s.id";

ImportedStation read_imported(Statement &stmt) {
  return {{stmt.integer(0), stmt.text(1), stmt.text(2), stmt.text(3), stmt.integer(4)},
          {stmt.text(5), stmt.text(6), stmt.text(7), stmt.text(8), stmt.text(9), stmt.integer(10)}};
}

void bind_stream(Statement &stmt, std::int64_t id, const StationStream &s) {
  stmt.bind(1, id).bind(2, s.address).bind(3, s.stream).bind(4, s.homepage);
  stmt.bind(5, s.country).bind(6, s.codec).bind(7, s.bitrate);
}

} // namespace

std::optional<StationStream> Directory::stream(std::int64_t station_id) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string(kImportedColumns) + " WHERE s.id = ?1").c_str());
  stmt.bind(1, station_id);
  if (!stmt.step())
    return std::nullopt;
  return read_imported(stmt).stream;
}

std::vector<ImportedStation> Directory::imported_stations() {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string(kImportedColumns) + " ORDER BY s.id").c_str());
  std::vector<ImportedStation> stations;
  while (stmt.step())
    stations.push_back(read_imported(stmt));
  return stations;
}

std::optional<ImportedStation> Directory::imported(const std::string &address) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string(kImportedColumns) + " WHERE t.address = ?1").c_str());
  stmt.bind(1, address);
  if (!stmt.step())
    return std::nullopt;
  return read_imported(stmt);
}

bool Directory::holds_demo() {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT COUNT(*) FROM meta WHERE key = 'demo_seeded_at'");
  return stmt.step() && stmt.integer(0) > 0;
}

void Directory::import_transaction(const std::function<void(ImportTransaction &)> &work) {
  const std::lock_guard lock(mutex_);
  in_transaction([&] {
    ImportTransaction transaction(db_);
    work(transaction);
  });
}

ImportTransaction::ImportTransaction(sqlite3 *db)
    : db_(db),
      holders_(db, "SELECT s.id, COALESCE(t.address, '') FROM stations s"
                   " LEFT JOIN streams t ON t.station_id = s.id"
                   " WHERE s.name = ?1 COLLATE NOCASE ORDER BY s.id"),
      imported_(db, (std::string(kImportedColumns) + " WHERE t.address = ?1").c_str()),
      add_(db, "INSERT INTO stations (id, name, caption, genre, created_at)"
               " VALUES (?1, ?2, ?3, ?4, ?5)"),
      add_stream_(db, "INSERT INTO streams (station_id, address, stream, homepage, country,"
                      " codec, bitrate) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
      update_(db, "UPDATE stations SET name = ?2, caption = ?3, genre = ?4 WHERE id = ?1"),
      update_stream_(db, "UPDATE streams SET address = ?2, stream = ?3, homepage = ?4,"
                         " country = ?5, codec = ?6, bitrate = ?7 WHERE station_id = ?1") {}

std::vector<std::pair<std::int64_t, std::string>>
ImportTransaction::holders_of(const std::string &name) {
  holders_.bind(1, name);
  std::vector<std::pair<std::int64_t, std::string>> holders;
  while (holders_.step())
    holders.emplace_back(holders_.integer(0), holders_.text(1));
  holders_.reset();
  return holders;
}

std::optional<ImportedStation> ImportTransaction::imported(const std::string &address) {
  imported_.bind(1, address);
  std::optional<ImportedStation> found;
  if (imported_.step())
    found = read_imported(imported_);
  imported_.reset();
  return found;
}

void ImportTransaction::drop_demo() {
  Statement stations(db_, "DELETE FROM stations WHERE id NOT IN (SELECT station_id FROM streams)");
  stations.step();
  Statement mark(db_, "DELETE FROM meta WHERE key = 'demo_seeded_at'");
  mark.step();
}

std::int64_t ImportTransaction::add(const Station &station, const StationStream &stream) {
  if (next_id_ == 0) {
    Statement last(db_, "SELECT COALESCE(MAX(id), 0) FROM stations");
    next_id_ = std::max(last.step() ? last.integer(0) + 1 : 1, kFirstImportedId);
  }
  const std::int64_t id = next_id_++;
  add_.bind(1, id).bind(2, station.name).bind(3, station.caption).bind(4, station.genre);
  add_.bind(5, station.created_at).step();
  add_.reset();
  bind_stream(add_stream_, id, stream);
  add_stream_.step();
  add_stream_.reset();
  return id;
}

void ImportTransaction::update(const Station &station, const StationStream &stream) {
  update_.bind(1, station.id).bind(2, station.name).bind(3, station.caption);
  update_.bind(4, station.genre).step();
  update_.reset();
  bind_stream(update_stream_, station.id, stream);
  update_stream_.step();
  update_stream_.reset();
}

} // namespace station
