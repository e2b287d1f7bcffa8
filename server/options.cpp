#include "options.h"

#include "control.h"
#include "numbers.h"

#include <set>

namespace station {

namespace {

constexpr int kPortBaseMax = 65535 - 13;

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos)
      return parts;
    text.remove_prefix(at + 1);
  }
}

// "a,b,c" of exactly `count` ports into ports[first..].
std::string parse_port_list(std::string_view text, int first, int count, Options &options) {
  const auto parts = split(text, ',');
  if (static_cast<int>(parts.size()) != count)
    return "expected " + std::to_string(count) + " ports separated by commas";
  for (int i = 0; i < count; ++i) {
    const auto port = parse_decimal(parts[static_cast<std::size_t>(i)], 0, 65535);
    if (!port)
      return "not a port number: " + std::string(parts[static_cast<std::size_t>(i)]);
    options.ports[static_cast<std::size_t>(first + i)] = static_cast<int>(*port);
  }
  return {};
}

std::string parse_fault(std::string_view text, Options &options) {
  const auto eq = text.find('=');
  if (eq == std::string_view::npos)
    return "expected PORT=MODE";
  const auto endpoint = parse_endpoint(text.substr(0, eq));
  const auto mode = parse_fault_mode(text.substr(eq + 1));
  if (!endpoint)
    return "unknown port: " + std::string(text.substr(0, eq));
  if (!mode)
    return "unknown fault mode: " + std::string(text.substr(eq + 1));
  options.faults.push_back({*endpoint, *mode});
  return {};
}

std::string check_ports(const Options &options) {
  std::set<int> seen;
  for (const int port : options.ports)
    if (port != 0 && !seen.insert(port).second)
      return "port " + std::to_string(port) + " given twice";
  return {};
}

// Applies one option with its value; returns an error text.
std::string apply(std::string_view name, std::string_view value, Options &options) {
  if (name == "--mirror-ports")
    return parse_port_list(value, 0, kMirrorCount, options);
  if (name == "--site-ports")
    return parse_port_list(value, kMirrorCount, kSiteCount, options);
  if (name == "--port-base") {
    const auto base = parse_decimal(value, 1, kPortBaseMax);
    if (!base)
      return "port base must be 1.." + std::to_string(kPortBaseMax);
    for (int i = 0; i < kPortCount; ++i) {
      const int offset = i < kMirrorCount ? i + 1 : 10 + (i - kMirrorCount);
      options.ports[static_cast<std::size_t>(i)] = static_cast<int>(*base) + offset;
    }
    return {};
  }
  if (name == "--db")
    options.db_path = value;
  else if (name == "--log")
    options.log_path = value;
  else if (name == "--import")
    options.import_path = value;
  else if (name == "--host-name")
    options.host_names.emplace_back(value);
  else if (name == "--ready-file")
    options.ready_file = value;
  else if (name == "--news-feeds")
    options.news_feeds = value;
  else if (name == "--news-interval") {
    const auto seconds = parse_decimal(value, kMinNewsIntervalS, kMaxNewsIntervalS);
    if (!seconds)
      return "news interval must be " + std::to_string(kMinNewsIntervalS) + ".." +
             std::to_string(kMaxNewsIntervalS) + " seconds";
    options.news_interval_s = static_cast<int>(*seconds);
  } else if (name == "--fault")
    return parse_fault(value, options);
  else if (name == "--slow-ms") {
    const auto ms = parse_decimal(value, 0, kMaxSlowMs);
    if (!ms)
      return "slow delay must be 0.." + std::to_string(kMaxSlowMs) + " ms";
    options.slow_ms = static_cast<int>(*ms);
  } else {
    return "unknown option " + std::string(name);
  }
  if (value.empty())
    return "empty value";
  return {};
}

bool is_flag(std::string_view name) {
  return name == "--control" || name == "--exit-with-parent" || name == "--help" ||
         name == "-h";
}

} // namespace

ParsedOptions parse_options(const std::vector<std::string_view> &args) {
  ParsedOptions parsed;
  auto &options = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    if (is_flag(name)) {
      if (name == "--control")
        options.control = true;
      else if (name == "--exit-with-parent")
        options.exit_with_parent = true;
      else
        options.help = true;
      continue;
    }
    std::string_view value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      parsed.error = std::string(name) + ": missing value";
      return parsed;
    }
    if (auto error = apply(name, value, options); !error.empty()) {
      parsed.error = std::string(name) + ": " + error;
      return parsed;
    }
  }
  parsed.error = check_ports(options);
  return parsed;
}

std::string usage_text() {
  return R"(Usage: sintonia-station-service [options]

The local station service of Sintonia: six mirrors and four sites on 127.0.0.1.

  --port-base B          mirrors on B+1..B+6, sites on B+10..B+13 (default 47800)
  --mirror-ports P,...   the six mirror ports (0 = any free port)
  --site-ports P,...     the four site ports: product, maker, second, sister
  --db PATH              the SQLite station directory, created and seeded when new
                         (default $XDG_DATA_HOME/sintonia-station-service/stations.db)
  --import FILE          add the stations of FILE to the directory and exit:
                         an M3U or M3U8 playlist, a PLS playlist, or a JSON
                         station list of the community radio directory;
                         importing the same file again changes nothing
  --log PATH             append one line per request to PATH
  --host-name NAME       also answer requests for NAME (the mirrors' or sites' name
                         in the client's address file); 127.0.0.1, localhost and
                         names under .localhost and .test always (repeatable)
  --fault PORT=MODE      start with a fault; PORT: 1..6, mirrorN, siteN or a site
                         name; MODE: none, refuse, title, slow, garble (repeatable)
  --slow-ms MS           delay of the slow fault (default 20000)
  --news-feeds FILE      the news ticker's feeds, one line "<category 1..15>
                         <http(s) address>" each, '#' starts a comment (example:
                         server/news-feeds.example); without it the ticker shows
                         built-in sample news and the service uses no network
  --news-interval S      seconds between two reads of the feeds (default 900)
  --control              serve the control pages under /_control/ (for tests)
  --ready-file PATH      once every port listens, write the ten addresses there
  --exit-with-parent     stop when the parent process ends
  --help                 this text

Prints "ready ..." on standard output once every port listens. Stops cleanly
on SIGTERM or SIGINT.
)";
}

std::string default_db_path(const char *xdg_data_home, const char *home) {
  std::string base;
  if (xdg_data_home && xdg_data_home[0] == '/')
    base = xdg_data_home;
  else
    base = std::string(home && home[0] ? home : ".") + "/.local/share";
  return base + "/sintonia-station-service/stations.db";
}

} // namespace station
