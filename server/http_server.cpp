#include "http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace station {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char *kAddress = "127.0.0.1";
constexpr std::uint64_t kListenTag = std::uint64_t{1} << 62;
constexpr std::uint64_t kWakeTag = kListenTag + 1;
constexpr std::size_t kTurn = 256 * 1024;         // sent to one connection before the next
constexpr std::size_t kMaxLingerBytes = 64 * 1024; // read and dropped after an answer
constexpr int kAcceptsPerTurn = 64;

// A socket bound to 127.0.0.1:port; listening unless `listening` is false
// (then it only holds the port: connections are refused).
int open_socket(int port, int &bound_port, bool listening = true) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0)
    return -1;
  // Not SO_REUSEPORT: a second service must fail to start, not share the port.
  int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, kAddress, &address.sin_addr);
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
      (listening && listen(fd, SOMAXCONN) != 0) ||
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
    close(fd);
    return -1;
  }
  bound_port = ntohs(address.sin_port);
  return fd;
}

} // namespace

class HttpServer::Loop {
public:
  Loop(HttpServerSettings settings, Handler handler, Refused refused)
      : settings_(std::move(settings)), handler_(std::move(handler)),
        refused_(std::move(refused)) {}

  ~Loop() {
    stop();
    const std::lock_guard lock(listen_mutex_);
    if (listen_fd_ >= 0)
      close(listen_fd_);
    if (wake_fd_ >= 0)
      close(wake_fd_);
    if (epoll_fd_ >= 0)
      close(epoll_fd_);
  }

  bool start(int port) {
    epoll_fd_ = epoll_create1(EPOLL_CLOEXEC);
    wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epoll_fd_ < 0 || wake_fd_ < 0)
      return false;
    listen_fd_ = open_socket(port, port_);
    if (listen_fd_ < 0)
      return false;
    listening_ = true;
    watch(wake_fd_, kWakeTag, EPOLLIN);
    watch(listen_fd_, kListenTag, EPOLLIN);
    thread_ = std::thread([this] { run(); });
    return true;
  }

  bool set_listening(bool on) {
    const std::lock_guard lock(listen_mutex_);
    if (on == listening_ || epoll_fd_ < 0)
      return true;
    int bound = 0;
    if (!on) {
      // The port stays bound without listening: the system refuses
      // connections, and no other program can take the port meanwhile.
      epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, listen_fd_, nullptr);
      shutdown(listen_fd_, SHUT_RDWR);
      const int reservation = open_socket(port_, bound, false);
      close(listen_fd_);
      listen_fd_ = reservation;
      listening_ = false;
      return reservation >= 0;
    }
    const int fd = open_socket(port_, bound);
    if (fd < 0)
      return false;
    if (listen_fd_ >= 0)
      close(listen_fd_);
    listen_fd_ = fd;
    listening_ = true;
    watch(listen_fd_, kListenTag, EPOLLIN);
    return true;
  }

  int port() const {
    const std::lock_guard lock(listen_mutex_);
    return port_;
  }

  void stop() {
    if (!thread_.joinable())
      return;
    stopping_.store(true);
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wake_fd_, &one, sizeof one);
    if (thread_.get_id() != std::this_thread::get_id())
      thread_.join();
    else
      thread_.detach();
  }

private:
  enum class Phase { Reading, Waiting, Writing, Lingering };

  struct Conn {
    int fd = -1;
    Phase phase = Phase::Reading;
    Clock::time_point started;
    Clock::time_point deadline;
    RequestReader reader;
    HttpAnswer pending; // while Waiting
    AnswerWriter writer;
    std::size_t lingered = 0;
  };

  void watch(int fd, std::uint64_t tag, std::uint32_t events) {
    epoll_event event{};
    event.events = events;
    event.data.u64 = tag;
    epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, fd, &event);
  }

  void interest(Conn &conn, std::uint32_t events) {
    epoll_event event{};
    event.events = events;
    event.data.u64 = static_cast<std::uint64_t>(conn.fd);
    epoll_ctl(epoll_fd_, EPOLL_CTL_MOD, conn.fd, &event);
  }

  void run() {
    std::vector<epoll_event> events(64);
    while (!stopping_.load()) {
      const int count = epoll_wait(epoll_fd_, events.data(), static_cast<int>(events.size()),
                                   next_timeout());
      if (count < 0 && errno != EINTR)
        break;
      for (int i = 0; i < count && !stopping_.load(); ++i) {
        const auto tag = events[static_cast<std::size_t>(i)].data.u64;
        const auto flags = events[static_cast<std::size_t>(i)].events;
        if (tag == kWakeTag) {
          std::uint64_t value = 0;
          [[maybe_unused]] const auto n = read(wake_fd_, &value, sizeof value);
        } else if (tag == kListenTag) {
          accept_all();
        } else {
          const auto found = conns_.find(static_cast<int>(tag));
          if (found != conns_.end())
            on_event(*found->second, flags);
        }
      }
      expire();
    }
    for (auto &[fd, conn] : conns_)
      close(fd);
    conns_.clear();
  }

  int next_timeout() const {
    const auto now = Clock::now();
    auto wait = std::chrono::milliseconds(1000);
    for (const auto &[fd, conn] : conns_) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(conn->deadline - now);
      wait = std::min(wait, std::max(left + std::chrono::milliseconds(1),
                                     std::chrono::milliseconds(0)));
    }
    return static_cast<int>(wait.count());
  }

  void accept_all() {
    const std::lock_guard lock(listen_mutex_);
    for (int n = 0; n < kAcceptsPerTurn && listening_; ++n) {
      sockaddr_in peer{};
      socklen_t length = sizeof peer;
      const int fd = accept4(listen_fd_, reinterpret_cast<sockaddr *>(&peer), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd < 0)
        return;
      if (conns_.size() >= settings_.max_connections && !evict_oldest_reader()) {
        close(fd); // every connection is being answered: this one waits its turn elsewhere
        continue;
      }
      auto conn = std::make_unique<Conn>();
      conn->fd = fd;
      conn->started = Clock::now();
      conn->deadline = conn->started + settings_.request_time;
      conn->reader = RequestReader(settings_.limits);
      char text[INET_ADDRSTRLEN] = {};
      inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
      conn->reader.request().client = text;
      watch(fd, static_cast<std::uint64_t>(fd), EPOLLIN | EPOLLRDHUP);
      conns_.emplace(fd, std::move(conn));
    }
  }

  // Makes room: the connection that has been sending its request longest goes.
  bool evict_oldest_reader() {
    Conn *oldest = nullptr;
    for (auto &[fd, conn] : conns_)
      if ((conn->phase == Phase::Reading || conn->phase == Phase::Lingering) &&
          (!oldest || conn->started < oldest->started))
        oldest = conn.get();
    if (!oldest)
      return false;
    drop(*oldest);
    return true;
  }

  void drop(Conn &conn) {
    const int fd = conn.fd;
    epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, fd, nullptr);
    close(fd);
    conns_.erase(fd);
  }

  void on_event(Conn &conn, std::uint32_t flags) {
    if (flags & (EPOLLERR | EPOLLHUP)) {
      drop(conn);
      return;
    }
    switch (conn.phase) {
    case Phase::Reading: read_request(conn); break;
    case Phase::Writing: write_some(conn); break;
    case Phase::Lingering: linger(conn); break;
    case Phase::Waiting: break;
    }
  }

  void read_request(Conn &conn) {
    char buffer[4096];
    while (conn.reader.state() == RequestReader::State::Reading) {
      const auto n = recv(conn.fd, buffer, sizeof buffer, 0);
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        drop(conn);
        return;
      }
      if (n < 0)
        return;
      conn.reader.feed(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
    HttpAnswer answer;
    if (conn.reader.state() == RequestReader::State::Done) {
      try {
        answer = handler_(conn.reader.request());
      } catch (const std::exception &e) {
        std::fprintf(stderr, "sintonia-station-service: %s\n", e.what());
        answer = status_answer(500);
      }
    } else {
      const int status = conn.reader.status();
      if (refused_)
        refused_(conn.reader.request(), status);
      answer = status_answer(status);
    }
    conn.reader = RequestReader(); // what was read is no longer needed
    if (answer.delay.count() > 0) {
      conn.phase = Phase::Waiting;
      conn.deadline = Clock::now() + answer.delay;
      conn.pending = std::move(answer);
      interest(conn, 0);
      return;
    }
    start_write(conn, std::move(answer));
  }

  void start_write(Conn &conn, HttpAnswer answer) {
    conn.writer.start(std::move(answer));
    conn.phase = Phase::Writing;
    conn.deadline = Clock::now() + settings_.write_stall;
    interest(conn, EPOLLOUT);
    write_some(conn);
  }

  void write_some(Conn &conn) {
    switch (conn.writer.write(conn.fd, kTurn)) {
    case AnswerWriter::Progress::Blocked:
      conn.deadline = Clock::now() + settings_.write_stall;
      return;
    case AnswerWriter::Progress::Done: finish(conn); return;
    case AnswerWriter::Progress::Failed: drop(conn); return;
    }
  }

  // The answer is out: no more to send; what the client still sends is read
  // and dropped for a moment, so that closing does not reset the answer away.
  void finish(Conn &conn) {
    shutdown(conn.fd, SHUT_WR);
    conn.phase = Phase::Lingering;
    conn.deadline = Clock::now() + settings_.linger;
    conn.writer.clear();
    interest(conn, EPOLLIN | EPOLLRDHUP);
  }

  void linger(Conn &conn) {
    char buffer[4096];
    while (true) {
      const auto n = recv(conn.fd, buffer, sizeof buffer, 0);
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return;
      if (n <= 0 || (conn.lingered += static_cast<std::size_t>(n)) > kMaxLingerBytes) {
        drop(conn);
        return;
      }
    }
  }

  void expire() {
    const auto now = Clock::now();
    std::vector<int> due;
    for (const auto &[fd, conn] : conns_)
      if (conn->deadline <= now)
        due.push_back(fd);
    for (const int fd : due) {
      const auto found = conns_.find(fd);
      if (found == conns_.end())
        continue;
      Conn &conn = *found->second;
      if (conn.phase == Phase::Waiting)
        start_write(conn, std::move(conn.pending));
      else
        drop(conn); // too slow a request, a stalled answer, or the end of lingering
    }
  }

  const HttpServerSettings settings_;
  const Handler handler_;
  const Refused refused_;
  int epoll_fd_ = -1;
  int wake_fd_ = -1;
  mutable std::mutex listen_mutex_;
  int listen_fd_ = -1;
  bool listening_ = false;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  std::unordered_map<int, std::unique_ptr<Conn>> conns_;
};

HttpServer::HttpServer(HttpServerSettings settings, Handler handler, Refused refused)
    : loop_(std::make_unique<Loop>(std::move(settings), std::move(handler), std::move(refused))) {}

HttpServer::~HttpServer() = default;

bool HttpServer::start(int port) { return loop_->start(port); }
bool HttpServer::set_listening(bool on) { return loop_->set_listening(on); }
int HttpServer::port() const { return loop_->port(); }
void HttpServer::stop() { loop_->stop(); }

} // namespace station
