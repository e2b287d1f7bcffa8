#include "import_command.h"

#include "station_import.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace station {

int run_import(const Options &options) {
  const std::string path = options.db_path.empty()
                               ? default_db_path(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))
                               : options.db_path;
  ImportReport report;
  // The file first: a file that cannot be read leaves no new directory behind.
  const auto text = read_import_bytes(options.import_path, report.error);
  if (!text) {
    std::fputs(report_text(options.import_path, report).c_str(), stdout);
    return 1;
  }
  try {
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const auto directory = open_user_directory(path);
    report = import_text(*directory, *text, now);
  } catch (const std::exception &e) {
    // Nothing was written: the import's transaction was rolled back.
    std::fprintf(stderr, "sintonia-station-service: %s: nothing imported: %s\n",
                 options.import_path.c_str(), e.what());
    return 1;
  }
  std::fputs(report_text(options.import_path, report).c_str(), stdout);
  return report.error.empty() ? 0 : 1;
}

} // namespace station
