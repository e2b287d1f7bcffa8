// The station directory: an SQLite file with the stations, their click
// records and the per-edition settings of the catalogue.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace station {

class DirectoryError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Times are seconds since the Unix epoch, UTC.
struct NewStation {
  std::string name;    // UTF-8
  std::string caption; // the short text of a list row, UTF-8
  std::string genre;
  std::int64_t created_at = 0;
};

struct Station {
  std::int64_t id = 0;
  std::string name;
  std::string caption;
  std::string genre;
  std::int64_t created_at = 0;
};

struct Click {
  std::int64_t station_id = 0;
  std::int64_t at = 0;
};

// The four closing fields of the catalogue, per edition (customisation
// number). They may hold the placeholders of catalogue.h.
struct Trailer {
  std::string partner_name;
  std::string sponsor_url;
  std::string extra_tab_caption;
  std::string extra_tab_url;

  bool operator==(const Trailer &) const = default;
};

// What an imported station plays, and what its page tells about it.
struct StationStream {
  std::string address;  // as the import file gave it: re-imports match on it
  std::string stream;   // what the player plays; may be a playlist address
  std::string homepage; // empty when unknown
  std::string country;  // two capital letters, or empty
  std::string codec;    // as the file named it, or empty
  std::int64_t bitrate = 0; // kbit/s, 0 when unknown

  bool operator==(const StationStream &) const = default;
};

struct ImportedStation {
  Station station;
  StationStream stream;
};

// Imported stations are numbered from here on: apart from the demo stations
// and the test pages of the player (pages.h).
inline constexpr std::int64_t kFirstImportedId = 10001;

class ImportTransaction; // import_transaction.h

// A whole directory written in one transaction (the demo seed).
struct BulkLoad {
  std::vector<Station> stations; // with their ids
  std::vector<Click> clicks;
  std::vector<std::pair<int, Trailer>> editions;
  std::vector<std::pair<std::string, std::string>> meta;
};

// One connection, serialised by a mutex: every member may be called from
// any thread. Errors throw DirectoryError.
class Directory {
public:
  // path ":memory:" gives a private in-memory directory (tests).
  explicit Directory(const std::string &path);
  ~Directory();
  Directory(const Directory &) = delete;
  Directory &operator=(const Directory &) = delete;

  int station_count();
  std::int64_t add_station(const NewStation &station);
  std::optional<Station> station(std::int64_t id);
  void add_clicks(std::span<const Click> clicks);
  // All or nothing.
  void load(const BulkLoad &bulk);
  // Clicks of one station, or of all stations when station_id is 0, with
  // since <= time <= until.
  std::int64_t click_count(std::int64_t station_id, std::int64_t since, std::int64_t until);

  // Stations clicked at least once in [since, until], most clicks first;
  // equal counts by increasing id.
  std::vector<Station> most_clicked(std::int64_t since, std::int64_t until, int limit);
  // Newest creation date first; equal dates by decreasing id.
  std::vector<Station> newest(int limit);

  // Stations whose name, caption or genre holds `text` (ASCII letters in any
  // case), by name; all stations for an empty text.
  std::vector<Station> search(const std::string &text, int limit);

  // The newsletter list. An address is kept once, whatever the case of its
  // letters; a full list takes no more.
  enum class Subscription { Added, AlreadyThere, ListFull };
  Subscription subscribe(const std::string &address, std::int64_t now, int max_addresses);
  bool subscribed(const std::string &address);

  // Empty fields for an edition without settings.
  Trailer trailer(int edition);
  void set_trailer(int edition, const Trailer &trailer);

  // Imported stations (directory_streams.cpp).
  std::optional<StationStream> stream(std::int64_t station_id);
  std::vector<ImportedStation> imported_stations(); // by id
  // The imported station of a stream address.
  std::optional<ImportedStation> imported(const std::string &address);
  // Whether the directory still holds the demo stations of its first start.
  bool holds_demo();
  // Runs `work` in one transaction: all of its changes, or none when it
  // throws (the exception is passed on).
  void import_transaction(const std::function<void(ImportTransaction &)> &work);

  std::optional<std::string> meta(const std::string &key);
  void set_meta(const std::string &key, const std::string &value);

  // A number that differs after every change of the directory (through this
  // connection or another one), so that what is computed from it can be kept.
  std::uint64_t version();

private:
  void create_schema();
  void exec(const char *sql);
  void in_transaction(const std::function<void()> &work);

  std::mutex mutex_;
  sqlite3 *db_ = nullptr;
};

// The directory file at `path`, opened (and created when new) as the user's own: its
// folder is made when missing, and the file is readable by its owner only, also when an
// older version left it open to others. ":memory:" as for Directory.
std::unique_ptr<Directory> open_user_directory(const std::string &path);

} // namespace station
