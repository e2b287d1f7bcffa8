// sintonia-server-bench: the station service under the attacks it must bear,
// and the request rate of its catalogue against its static sponsor page.
//
//   sintonia-server-bench [--service PATH] [--seconds S] [--only NAME]
//
// Starts the service on free ports with a private directory, then:
//   1. rates: requests per second of the sponsor page and of the catalogue
//      (one request per connection, as the service answers), and of the
//      catalogue again after 20 000 player page views;
//   2. each attack for S seconds (default 30), while a well-behaved client
//      asks every mirror for the catalogue once a second; prints the
//      service's largest resident size, how many of those requests were
//      answered within a second, and the slowest answer.
// Figures only: nothing here fails.
#include "raw_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kCatalogue = "/Radio/CaricaDati.asp?id=25&idRadio=0";
const std::string kSponsor = "/Radio/SponsorAggiuntivi.asp";
const std::string kNewsletter = "/radio/SegnalaIndirizzo.asp";

// ---- a bare client ----

// A connection whose sends give up after 2 s, so that a stalled service cannot hold a
// client of the benchmark.
int connect_to(int port) {
  const int fd = station::test::connect_to(port);
  if (fd < 0)
    return -1;
  timeval limit{2, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  return fd;
}

// The status of the answer, 0 without a whole answer before the deadline.
int ask(int port, const std::string &request, std::chrono::milliseconds deadline = 1000ms) {
  const int fd = connect_to(port);
  if (fd < 0)
    return 0;
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  const auto until = Clock::now() + deadline;
  std::string head;
  bool closed = false;
  while (!closed && Clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
      break;
    char buffer[16384];
    const auto n = recv(fd, buffer, sizeof buffer, 0);
    closed = n <= 0;
    if (n > 0 && head.size() < 64)
      head.append(buffer, static_cast<std::size_t>(std::min<long>(n, 64)));
  }
  close(fd);
  if (!closed || head.size() < 12)
    return 0;
  return std::atoi(head.substr(9, 3).c_str());
}

std::string get(const std::string &target, int port, const std::string &extra = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n" +
         extra + "\r\n";
}

// ---- the service ----

struct Service {
  pid_t pid = -1;
  std::filesystem::path folder;
  std::vector<int> ports;

  bool start(const std::string &binary) {
    folder = std::filesystem::temp_directory_path() /
             ("sintonia-server-bench-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto ready = folder / "ready";
    pid = fork();
    if (pid == 0) {
      const std::string db = (folder / "db.sqlite").string();
      const std::string log = (folder / "requests.log").string();
      const std::string ready_path = ready.string();
      execl(binary.c_str(), binary.c_str(), "--mirror-ports", "0,0,0,0,0,0", "--site-ports",
            "0,0,0,0", "--db", db.c_str(), "--log", log.c_str(), "--ready-file",
            ready_path.c_str(), "--exit-with-parent", static_cast<char *>(nullptr));
      _exit(127);
    }
    const auto until = Clock::now() + 15s;
    while (Clock::now() < until && !std::filesystem::exists(ready))
      std::this_thread::sleep_for(10ms);
    std::ifstream in(ready);
    for (std::string line; std::getline(in, line);)
      ports.push_back(std::atoi(line.substr(line.rfind(':') + 1).c_str()));
    return ports.size() == 10;
  }

  long status_kb(const std::string &field) const {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
      if (line.starts_with(field + ":"))
        return std::stol(line.substr(field.size() + 1));
    return -1;
  }

  ~Service() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

// ---- rates ----

double rate(const Service &service, const std::string &target, std::chrono::seconds length,
            int threads) {
  std::atomic<long> answered{0};
  std::atomic<bool> stop{false};
  std::vector<std::thread> clients;
  for (int t = 0; t < threads; ++t)
    clients.emplace_back([&, t] {
      const int port = service.ports[static_cast<std::size_t>(t % 6)];
      const auto request = get(target, port);
      while (!stop.load())
        if (ask(port, request, 2000ms) == 200)
          ++answered;
    });
  const auto start = Clock::now();
  std::this_thread::sleep_for(length);
  stop.store(true);
  for (auto &client : clients)
    client.join();
  return static_cast<double>(answered.load()) /
         std::chrono::duration<double>(Clock::now() - start).count();
}

// ---- attacks ----

// Sends `prefix`, then `filler` until `total` bytes or the service stops taking them.
void flood_once(int port, const std::string &prefix, const std::string &filler, std::size_t total,
                const std::atomic<bool> &stop) {
  const int fd = connect_to(port);
  if (fd < 0)
    return;
  std::size_t sent = 0;
  bool open = send(fd, prefix.data(), prefix.size(), MSG_NOSIGNAL) >= 0;
  while (open && sent < total && !stop.load()) {
    const auto n = send(fd, filler.data(), filler.size(), MSG_NOSIGNAL);
    open = n > 0;
    sent += open ? static_cast<std::size_t>(n) : 0;
  }
  close(fd);
}


// Holds `count` connections on each of `ports`, sending `head` and then one
// header line every `pace` (never, for idle ones); reopens what the service closes.
void hold_connections(const std::vector<int> &ports, int count, const std::string &head,
                      std::chrono::milliseconds pace, const std::atomic<bool> &stop) {
  std::vector<std::pair<int, int>> held; // port, fd
  auto open_one = [&](int port) {
    const int fd = connect_to(port);
    if (fd >= 0 && !head.empty())
      send(fd, head.data(), head.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    return fd;
  };
  for (const int port : ports)
    for (int i = 0; i < count; ++i)
      held.emplace_back(port, open_one(port));
  auto next = Clock::now() + pace;
  while (!stop.load()) {
    std::this_thread::sleep_for(50ms);
    for (auto &[port, fd] : held) {
      char c;
      const bool gone = fd < 0 || recv(fd, &c, 1, MSG_DONTWAIT | MSG_PEEK) == 0;
      if (gone) {
        if (fd >= 0)
          close(fd);
        fd = open_one(port);
      }
    }
    if (pace.count() > 0 && Clock::now() >= next) {
      for (auto &[port, fd] : held)
        if (fd >= 0)
          send(fd, "X-Slow: 1\r\n", 11, MSG_NOSIGNAL | MSG_DONTWAIT);
      next += pace;
    }
  }
  for (auto &[port, fd] : held)
    if (fd >= 0)
      close(fd);
}

struct Attack {
  std::string name;
  int threads;
  std::function<void(const Service &, int thread, const std::atomic<bool> &stop)> run;
};

std::vector<Attack> attacks(const std::string &bomb) {
  const std::string pad_lines = [] {
    std::string text;
    while (text.size() < 64 * 1024)
      text += "X-Pad: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    return text;
  }();
  const std::string chunk = "10000\r\n" + std::string(0x10000, 'a') + "\r\n";
  const auto mirrors = [](const Service &s) {
    return std::vector<int>(s.ports.begin(), s.ports.begin() + 6);
  };
  return {
      {"65 MiB of header lines x3", 3,
       [pad_lines](const Service &s, int, const std::atomic<bool> &stop) {
         while (!stop.load())
           flood_once(s.ports[0], get(kCatalogue, s.ports[0]).substr(0, 60) + "\r\n", pad_lines,
                      65u << 20, stop);
       }},
      {"256 MiB request line", 1,
       [](const Service &s, int, const std::atomic<bool> &stop) {
         while (!stop.load())
           flood_once(s.ports[0], "GET /", std::string(65536, 'a'), 256u << 20, stop);
       }},
      {"256 MiB chunked POST", 1,
       [chunk](const Service &s, int, const std::atomic<bool> &stop) {
         const std::string head = "POST " + kNewsletter + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                  std::to_string(s.ports[0]) +
                                  "\r\nTransfer-Encoding: chunked\r\n\r\n";
         while (!stop.load())
           flood_once(s.ports[0], head, chunk, 256u << 20, stop);
       }},
      {"gzip body of 512 MiB unpacked", 1,
       [bomb](const Service &s, int, const std::atomic<bool> &stop) {
         const std::string head = "POST " + kNewsletter + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                  std::to_string(s.ports[0]) +
                                  "\r\nContent-Encoding: gzip\r\nContent-Type: "
                                  "application/x-www-form-urlencoded\r\nContent-Length: " +
                                  std::to_string(bomb.size()) + "\r\n\r\n";
         while (!stop.load())
           flood_once(s.ports[0], head, bomb, bomb.size(), stop);
       }},
      {"8 slow connections on every mirror", 1,
       [mirrors](const Service &s, int, const std::atomic<bool> &stop) {
         hold_connections(mirrors(s), 8, "GET " + kCatalogue + " HTTP/1.1\r\n", 3000ms, stop);
       }},
      {"200 idle connections on each mirror", 1,
       [mirrors](const Service &s, int, const std::atomic<bool> &stop) {
         hold_connections(mirrors(s), 200, "", 0ms, stop);
       }},
      {"player page flood (clicks)", 2,
       [](const Service &s, int t, const std::atomic<bool> &stop) {
         const int port = s.ports[static_cast<std::size_t>(t)];
         while (!stop.load())
           ask(port, get("/Radio/mostraRadio.asp?Id=38", port));
       }},
      {"newsletter flood", 1,
       [](const Service &s, int, const std::atomic<bool> &stop) {
         for (long i = 0; !stop.load(); ++i) {
           const std::string form = "email=flood" + std::to_string(i) + "%40example.it";
           ask(s.ports[1], "POST " + kNewsletter + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                               std::to_string(s.ports[1]) +
                               "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                               "Content-Length: " +
                               std::to_string(form.size()) + "\r\n\r\n" + form);
         }
       }},
      {"foreign Host and ranges", 1,
       [](const Service &s, int, const std::atomic<bool> &stop) {
         while (!stop.load()) {
           ask(s.ports[2], "GET " + kCatalogue + " HTTP/1.1\r\nHost: attacker.example\r\n\r\n");
           ask(s.ports[2], get(kCatalogue, s.ports[2], "Range: bytes=0-9\r\n"));
         }
       }},
  };
}

void run_attack(const Service &service, const Attack &attack, std::chrono::seconds length) {
  std::atomic<bool> stop{false};
  std::vector<std::thread> attackers;
  for (int t = 0; t < attack.threads; ++t)
    attackers.emplace_back([&, t] { attack.run(service, t, stop); });
  long max_rss = 0;
  int asked = 0;
  int in_time = 0;
  long slowest_ms = 0;
  const auto start = Clock::now();
  auto next_probe = start + 1s;
  while (Clock::now() < start + length) {
    max_rss = std::max(max_rss, service.status_kb("VmRSS"));
    if (Clock::now() >= next_probe) {
      next_probe += 1s;
      for (int mirror = 0; mirror < 6; ++mirror) {
        const int port = service.ports[static_cast<std::size_t>(mirror)];
        const auto sent = Clock::now();
        const int status = ask(port, get(kCatalogue, port), 1000ms);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
        ++asked;
        in_time += status == 200 && ms < 1000;
        slowest_ms = std::max<long>(slowest_ms, ms);
      }
    }
    std::this_thread::sleep_for(100ms);
  }
  stop.store(true);
  for (auto &attacker : attackers)
    attacker.join();
  std::printf("  %-38s rss max %6.1f MB  catalogue in 1 s: %3d/%3d  slowest %4ld ms\n",
              attack.name.c_str(), static_cast<double>(max_rss) / 1024.0, in_time, asked,
              slowest_ms);
  std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  std::signal(SIGPIPE, SIG_IGN);
  std::string binary = SINTONIA_STATION_SERVICE;
  int seconds = 30;
  std::string only;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--service")
      binary = argv[i + 1];
    else if (name == "--seconds")
      seconds = std::max(1, std::atoi(argv[i + 1]));
    else if (name == "--only")
      only = argv[i + 1];
  }
  Service service;
  if (!service.start(binary)) {
    std::fprintf(stderr, "the service did not start: %s\n", binary.c_str());
    return 1;
  }
  std::printf("sintonia-server-bench: %s, %u cores\n", binary.c_str(),
              std::thread::hardware_concurrency());

  if (only.empty() || only == "rates") {
    const auto length = std::chrono::seconds(std::min(seconds, 5));
    const double sponsor = rate(service, kSponsor, length, 4);
    const double catalogue = rate(service, kCatalogue, length, 4);
    std::printf("rates (4 clients, one request per connection):\n");
    std::printf("  sponsor page      %8.0f requests/s\n", sponsor);
    std::printf("  catalogue         %8.0f requests/s  (%.0f %% of the sponsor page)\n", catalogue,
                100.0 * catalogue / sponsor);
    for (int i = 0; i < 20000; ++i)
      ask(service.ports[static_cast<std::size_t>(i % 6)],
          get("/Radio/mostraRadio.asp?Id=38", service.ports[static_cast<std::size_t>(i % 6)]));
    const double after = rate(service, kCatalogue, length, 4);
    std::printf("  catalogue after 20 000 player page views %8.0f requests/s\n", after);
    std::fflush(stdout);
  }

  const std::string bomb = station::test::gzip_of_zeros(512u << 20);
  std::printf("attacks, %d s each (a well-behaved client asks all six mirrors every second):\n",
              seconds);
  for (const auto &attack : attacks(bomb))
    if (only.empty() || attack.name.find(only) != std::string::npos)
      run_attack(service, attack, std::chrono::seconds(seconds));
  std::printf("service peak resident size (VmHWM): %.1f MB\n",
              static_cast<double>(service.status_kb("VmHWM")) / 1024.0);
  return 0;
}
