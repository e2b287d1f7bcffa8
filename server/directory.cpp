#include "directory.h"

#include "sql_statement.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>

namespace station {

using sql::Statement;

namespace {

constexpr int kSchemaVersion = 3;

constexpr const char *kSchema = R"sql(
CREATE TABLE IF NOT EXISTS stations (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  caption TEXT NOT NULL,
  genre TEXT NOT NULL DEFAULT '',
  created_at INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS clicks (
  station_id INTEGER NOT NULL REFERENCES stations(id) ON DELETE CASCADE,
  clicked_at INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS clicks_by_time ON clicks(clicked_at, station_id);
CREATE TABLE IF NOT EXISTS editions (
  id INTEGER PRIMARY KEY,
  partner_name TEXT NOT NULL DEFAULT '',
  sponsor_url TEXT NOT NULL DEFAULT '',
  extra_tab_caption TEXT NOT NULL DEFAULT '',
  extra_tab_url TEXT NOT NULL DEFAULT ''
);
CREATE TABLE IF NOT EXISTS newsletter (
  address TEXT PRIMARY KEY COLLATE NOCASE,
  subscribed_at INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS stations_by_name ON stations(name COLLATE NOCASE);
CREATE TABLE IF NOT EXISTS streams (
  station_id INTEGER PRIMARY KEY REFERENCES stations(id) ON DELETE CASCADE,
  address TEXT NOT NULL UNIQUE,
  stream TEXT NOT NULL,
  homepage TEXT NOT NULL DEFAULT '',
  country TEXT NOT NULL DEFAULT '',
  codec TEXT NOT NULL DEFAULT '',
  bitrate INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS meta (
  key TEXT PRIMARY KEY,
  value TEXT NOT NULL
);
)sql";

constexpr const char *kStationColumns = "s.id, s.name, s.caption, s.genre, s.created_at";

Station read_station(Statement &stmt) {
  return {stmt.integer(0), stmt.text(1), stmt.text(2), stmt.text(3), stmt.integer(4)};
}

} // namespace

Directory::Directory(const std::string &path) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw DirectoryError("cannot open station directory " + path + ": " + message);
  }
  sqlite3_busy_timeout(db_, 2000);
  try {
    exec("PRAGMA foreign_keys = ON");
    create_schema();
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

Directory::~Directory() { sqlite3_close(db_); }

void Directory::exec(const char *sql) {
  char *error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw DirectoryError("station directory: " + message);
  }
}

void Directory::create_schema() {
  Statement version(db_, "PRAGMA user_version");
  const std::int64_t found = version.step() ? version.integer(0) : 0;
  if (found > kSchemaVersion)
    throw DirectoryError("station directory was written by a newer service (schema " +
                         std::to_string(found) + ")");
  exec(kSchema);
  exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
}

int Directory::station_count() {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT COUNT(*) FROM stations");
  return stmt.step() ? static_cast<int>(stmt.integer(0)) : 0;
}

std::int64_t Directory::add_station(const NewStation &station) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_,
                 "INSERT INTO stations (name, caption, genre, created_at) VALUES (?1, ?2, ?3, ?4)");
  stmt.bind(1, station.name).bind(2, station.caption).bind(3, station.genre);
  stmt.bind(4, station.created_at).step();
  return sqlite3_last_insert_rowid(db_);
}

std::optional<Station> Directory::station(std::int64_t id) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string("SELECT ") + kStationColumns +
                       " FROM stations s WHERE s.id = ?1")
                          .c_str());
  stmt.bind(1, id);
  if (!stmt.step())
    return std::nullopt;
  return read_station(stmt);
}

void Directory::in_transaction(const std::function<void()> &work) {
  exec("BEGIN");
  try {
    work();
    exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

namespace {

void insert_clicks(sqlite3 *db, std::span<const Click> clicks) {
  Statement stmt(db, "INSERT INTO clicks (station_id, clicked_at) VALUES (?1, ?2)");
  for (const auto &click : clicks) {
    stmt.bind(1, click.station_id).bind(2, click.at).step();
    stmt.reset();
  }
}

} // namespace

void Directory::add_clicks(std::span<const Click> clicks) {
  const std::lock_guard lock(mutex_);
  in_transaction([&] { insert_clicks(db_, clicks); });
}

void Directory::load(const BulkLoad &bulk) {
  const std::lock_guard lock(mutex_);
  in_transaction([&] {
    Statement station(db_, "INSERT INTO stations (id, name, caption, genre, created_at)"
                           " VALUES (?1, ?2, ?3, ?4, ?5)");
    for (const auto &s : bulk.stations) {
      station.bind(1, s.id).bind(2, s.name).bind(3, s.caption).bind(4, s.genre);
      station.bind(5, s.created_at).step();
      station.reset();
    }
    insert_clicks(db_, bulk.clicks);
    Statement edition(db_, "INSERT OR REPLACE INTO editions"
                           " (id, partner_name, sponsor_url, extra_tab_caption, extra_tab_url)"
                           " VALUES (?1, ?2, ?3, ?4, ?5)");
    for (const auto &[id, t] : bulk.editions) {
      edition.bind(1, std::int64_t{id}).bind(2, t.partner_name).bind(3, t.sponsor_url);
      edition.bind(4, t.extra_tab_caption).bind(5, t.extra_tab_url).step();
      edition.reset();
    }
    Statement meta(db_, "INSERT OR REPLACE INTO meta (key, value) VALUES (?1, ?2)");
    for (const auto &[key, value] : bulk.meta) {
      meta.bind(1, key).bind(2, value).step();
      meta.reset();
    }
  });
}

std::int64_t Directory::click_count(std::int64_t station_id, std::int64_t since,
                                    std::int64_t until) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT COUNT(*) FROM clicks WHERE clicked_at BETWEEN ?1 AND ?2 "
                      "AND (?3 = 0 OR station_id = ?3)");
  stmt.bind(1, since).bind(2, until).bind(3, station_id);
  return stmt.step() ? stmt.integer(0) : 0;
}

std::vector<Station> Directory::most_clicked(std::int64_t since, std::int64_t until, int limit) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string("SELECT ") + kStationColumns +
                       ", COUNT(*) AS n FROM clicks c JOIN stations s ON s.id = c.station_id"
                       " WHERE c.clicked_at BETWEEN ?1 AND ?2"
                       " GROUP BY s.id ORDER BY n DESC, s.id ASC LIMIT ?3")
                          .c_str());
  stmt.bind(1, since).bind(2, until).bind(3, std::int64_t{limit});
  std::vector<Station> stations;
  while (stmt.step())
    stations.push_back(read_station(stmt));
  return stations;
}

std::vector<Station> Directory::newest(int limit) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string("SELECT ") + kStationColumns +
                       " FROM stations s ORDER BY s.created_at DESC, s.id DESC LIMIT ?1")
                          .c_str());
  stmt.bind(1, std::int64_t{limit});
  std::vector<Station> stations;
  while (stmt.step())
    stations.push_back(read_station(stmt));
  return stations;
}

namespace {

// `text` as a LIKE pattern that matches it anywhere, its own wildcards escaped.
std::string contains_pattern(const std::string &text) {
  std::string pattern = "%";
  for (const char c : text) {
    if (c == '%' || c == '_' || c == '\\')
      pattern += '\\';
    pattern += c;
  }
  return pattern + "%";
}

} // namespace

std::vector<Station> Directory::search(const std::string &text, int limit) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, (std::string("SELECT ") + kStationColumns +
                       " FROM stations s WHERE s.name LIKE ?1 ESCAPE '\\'"
                       " OR s.caption LIKE ?1 ESCAPE '\\' OR s.genre LIKE ?1 ESCAPE '\\'"
                       " ORDER BY s.name COLLATE NOCASE, s.id LIMIT ?2")
                          .c_str());
  stmt.bind(1, contains_pattern(text)).bind(2, std::int64_t{limit});
  std::vector<Station> stations;
  while (stmt.step())
    stations.push_back(read_station(stmt));
  return stations;
}

Directory::Subscription Directory::subscribe(const std::string &address, std::int64_t now,
                                             int max_addresses) {
  const std::lock_guard lock(mutex_);
  Statement known(db_, "SELECT COUNT(*) FROM newsletter WHERE address = ?1");
  known.bind(1, address);
  if (known.step() && known.integer(0) > 0)
    return Subscription::AlreadyThere;
  Statement count(db_, "SELECT COUNT(*) FROM newsletter");
  if (count.step() && count.integer(0) >= max_addresses)
    return Subscription::ListFull;
  Statement insert(db_, "INSERT INTO newsletter (address, subscribed_at) VALUES (?1, ?2)");
  insert.bind(1, address).bind(2, now).step();
  return Subscription::Added;
}

bool Directory::subscribed(const std::string &address) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT COUNT(*) FROM newsletter WHERE address = ?1");
  stmt.bind(1, address);
  return stmt.step() && stmt.integer(0) > 0;
}

Trailer Directory::trailer(int edition) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT partner_name, sponsor_url, extra_tab_caption, extra_tab_url"
                      " FROM editions WHERE id = ?1");
  stmt.bind(1, std::int64_t{edition});
  if (!stmt.step())
    return {};
  return {stmt.text(0), stmt.text(1), stmt.text(2), stmt.text(3)};
}

void Directory::set_trailer(int edition, const Trailer &trailer) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "INSERT OR REPLACE INTO editions"
                      " (id, partner_name, sponsor_url, extra_tab_caption, extra_tab_url)"
                      " VALUES (?1, ?2, ?3, ?4, ?5)");
  stmt.bind(1, std::int64_t{edition}).bind(2, trailer.partner_name).bind(3, trailer.sponsor_url);
  stmt.bind(4, trailer.extra_tab_caption).bind(5, trailer.extra_tab_url).step();
}

std::optional<std::string> Directory::meta(const std::string &key) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "SELECT value FROM meta WHERE key = ?1");
  stmt.bind(1, key);
  if (!stmt.step())
    return std::nullopt;
  return stmt.text(0);
}

void Directory::set_meta(const std::string &key, const std::string &value) {
  const std::lock_guard lock(mutex_);
  Statement stmt(db_, "INSERT OR REPLACE INTO meta (key, value) VALUES (?1, ?2)");
  stmt.bind(1, key).bind(2, value).step();
}

std::uint64_t Directory::version() {
  const std::lock_guard lock(mutex_);
  // Changes through this connection, and (data_version) commits of others.
  Statement stmt(db_, "PRAGMA data_version");
  const auto others = stmt.step() ? static_cast<std::uint64_t>(stmt.integer(0)) : 0;
  return static_cast<std::uint64_t>(sqlite3_total_changes64(db_)) << 32 | (others & 0xFFFFFFFFu);
}

std::unique_ptr<Directory> open_user_directory(const std::string &path) {
  if (path == ":memory:")
    return std::make_unique<Directory>(path);
  const auto parent = std::filesystem::path(path).parent_path();
  std::error_code error;
  if (!parent.empty())
    std::filesystem::create_directories(parent, error);
  if (error)
    throw DirectoryError("cannot create " + parent.string() + ": " + error.message());
  auto directory = std::make_unique<Directory>(path);
  chmod(path.c_str(), 0600);
  return directory;
}

} // namespace station
