// sintonia-station-service: the local station service of Sintonia.
#include "import_command.h"
#include "options.h"
#include "run.h"

#include <cstdio>
#include <sys/stat.h>
#include <string_view>
#include <vector>

int main(int argc, char **argv) {
  // The directory (newsletter addresses included), its journal and the request log are
  // the user's own, whether the service or an import makes them: readable by nobody else.
  umask(077);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const auto parsed = station::parse_options(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "sintonia-station-service: %s\n\n%s", parsed.error.c_str(),
                 station::usage_text().c_str());
    return 2;
  }
  if (parsed.options.help) {
    std::fputs(station::usage_text().c_str(), stdout);
    return 0;
  }
  if (!parsed.options.import_path.empty())
    return station::run_import(parsed.options);
  return station::run_service(parsed.options);
}
