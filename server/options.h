// The command line of sintonia-station-service.
#pragma once

#include "endpoint.h"
#include "faults.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace station {

struct FaultSetting {
  Endpoint endpoint;
  FaultMode mode = FaultMode::None;
};

struct Options {
  // Address-file order: mirrors 1..6, then the four sites. 0 = any free port.
  std::array<int, kPortCount> ports{47801, 47802, 47803, 47804, 47805,
                                    47806, 47810, 47811, 47812, 47813};
  std::string db_path;    // empty: the default of default_db_path()
  std::string log_path;   // empty: no log file (the control page still has it)
  std::string ready_file; // empty: none
  std::string import_path; // set: import this file into the directory and exit
  std::vector<FaultSetting> faults;
  std::vector<std::string> host_names; // more names the Host header may give (host_names.h)
  int slow_ms = 20000;
  std::string news_feeds;        // empty: only the sample news, no network
  int news_interval_s = 15 * 60; // between two reads of the news feeds
  bool control = false;
  bool exit_with_parent = false;
  bool help = false;
};

inline constexpr int kMinNewsIntervalS = 10;
inline constexpr int kMaxNewsIntervalS = 24 * 60 * 60;

struct ParsedOptions {
  Options options;
  std::string error; // empty when the command line was valid
};

// args: the arguments after the program name.
ParsedOptions parse_options(const std::vector<std::string_view> &args);

std::string usage_text();

// $XDG_DATA_HOME/sintonia-station-service/stations.db, or under
// ~/.local/share when XDG_DATA_HOME is unset or not absolute.
std::string default_db_path(const char *xdg_data_home, const char *home);

} // namespace station
