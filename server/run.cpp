#include "run.h"

#include "control.h"
#include "directory.h"
#include "listeners.h"
#include "news_config.h"
#include "news_refresher.h"
#include "news_samples.h"
#include "request_log.h"
#include "seed.h"
#include "service.h"
#include "shutdown.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace station {

namespace {

constexpr const char *kName = "sintonia-station-service";

void complain(const std::string &message) {
  std::fprintf(stderr, "%s: %s\n", kName, message.c_str());
}

// Blocks the stop signals in this thread and so in every thread started
// later; the main thread takes them with sigwait.
sigset_t block_stop_signals() {
  std::signal(SIGPIPE, SIG_IGN);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  return set;
}

std::string address_list(const Listeners &listeners, const std::string &line_end) {
  std::string text;
  for (const auto endpoint : all_endpoints())
    text += "127.0.0.1:" + std::to_string(listeners.port(endpoint)) + line_end;
  return text;
}

// Written under a temporary name and renamed, so that a reader never sees
// half a file. The content is a valid address file for the client.
bool write_ready_file(const std::string &path, const std::string &content) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush())
      return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

std::string ready_line(const Listeners &listeners) {
  std::string line = "ready mirrors=";
  for (const auto endpoint : all_endpoints()) {
    if (endpoint == Endpoint{PortKind::Site, 1})
      line += " sites=";
    else if (endpoint_index(endpoint) > 0)
      line += ',';
    line += std::to_string(listeners.port(endpoint));
  }
  return line;
}

std::unique_ptr<Directory> open_directory(const std::string &path) {
  auto directory = open_user_directory(path);
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  if (seed_if_new(*directory, now))
    complain("seeded a new demo directory in " + path);
  return directory;
}

} // namespace

int run_service(const Options &options) {
  const sigset_t stop_signals = block_stop_signals();
  const pid_t parent = getppid();
  if (options.exit_with_parent) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
      return 0;
  }

  RequestLog log;
  std::string error;
  if (!options.log_path.empty() && !log.open(options.log_path, error)) {
    complain(error);
    return 1;
  }

  std::unique_ptr<Directory> directory;
  try {
    const std::string path = options.db_path.empty()
                                 ? default_db_path(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))
                                 : options.db_path;
    directory = open_directory(path);
  } catch (const DirectoryError &e) {
    complain(e.what());
    return 1;
  }

  NewsStore news;
  if (!load_sample_news(news, error)) {
    complain(error);
    return 1;
  }
  FeedConfig feeds;
  if (!options.news_feeds.empty()) {
    feeds = read_feed_config(options.news_feeds);
    if (!feeds.error.empty()) {
      complain(feeds.error);
      return 1;
    }
  }

  FaultBoard faults(options.slow_ms);
  Shutdown shutdown;
  Service service(*directory, news, faults, log, options.control, HostNames(options.host_names));
  Listeners listeners(
      options.ports,
      [&service](Endpoint e, int port, const HttpRequest &request) {
        return service.dispatch(e, port, request);
      },
      [&service](Endpoint e, int port, const HttpRequest &request, int status) {
        service.refused(e, port, request, status);
      });
  if (!listeners.start_all(error)) {
    complain(error);
    return 1;
  }

  Placeholders sites;
  for (int n = 1; n <= kSiteCount; ++n)
    sites.emplace(endpoint_name({PortKind::Site, n}),
                  "127.0.0.1:" + std::to_string(listeners.port({PortKind::Site, n})));
  service.attach(listeners, sites, address_list(listeners, "\n"));

  for (const auto &fault : options.faults)
    if (!apply_fault(fault.endpoint, fault.mode, std::nullopt, faults, listeners, error)) {
      complain(error);
      return 1;
    }

  std::unique_ptr<NewsRefresher> refresher;
  if (!feeds.feeds.empty()) {
    RefreshSettings settings;
    settings.interval = std::chrono::seconds(options.news_interval_s);
    refresher = std::make_unique<NewsRefresher>(news, std::move(feeds.feeds), settings, complain);
  }

  if (!options.ready_file.empty() &&
      !write_ready_file(options.ready_file, address_list(listeners, "\r\n"))) {
    complain("cannot write ready file " + options.ready_file);
    return 1;
  }
  std::printf("%s\n", ready_line(listeners).c_str());
  std::fflush(stdout);

  int signal = 0;
  while (sigwait(&stop_signals, &signal) != 0) {
  }
  shutdown.request();
  if (refresher)
    refresher->stop();
  listeners.stop_all();
  return 0;
}

} // namespace station
