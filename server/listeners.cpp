#include "listeners.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace station {

namespace {

constexpr const char *kAddress = "127.0.0.1";
constexpr std::size_t kMaxRequestBody = 64 * 1024;
// Any path: the dispatcher does its own exact matching.
constexpr const char *kAnyPath = R"([\s\S]*)";

// One server instance and the thread running its accept loop.
struct Running {
  std::unique_ptr<httplib::Server> server;
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> finished = std::make_shared<std::atomic<bool>>(false);

  void join() {
    if (thread.joinable())
      thread.join();
  }
};

} // namespace

class Listeners::Port {
public:
  Port(Endpoint endpoint, int port, Dispatch dispatch, Logger logger)
      : endpoint_(endpoint), port_(port), dispatch_(std::move(dispatch)),
        logger_(std::move(logger)) {}

  ~Port() { stop(true); }

  bool start(std::string &error) {
    const std::lock_guard lock(mutex_);
    reap_finished();
    if (current_)
      return true;
    release();
    auto server = make_server();
    if (port_ == 0) {
      const int chosen = server->bind_to_any_port(kAddress);
      if (chosen <= 0)
        return fail(error);
      port_ = chosen;
    } else if (!server->bind_to_port(kAddress, port_)) {
      return fail(error);
    }
    auto running = std::make_unique<Running>();
    running->server = std::move(server);
    running->thread = std::thread([server = running->server.get(), done = running->finished] {
      server->listen_after_bind();
      done->store(true);
    });
    // stop() only takes effect once the accept loop runs.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!running->server->is_running() && !running->finished->load() &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    current_ = std::move(running);
    return true;
  }

  // Closes the listening socket at once. A request being answered is
  // finished by its worker; the thread is joined later (never here when
  // called from that worker, see the control pages).
  void stop(bool join) {
    std::vector<std::unique_ptr<Running>> to_join;
    {
      const std::lock_guard lock(mutex_);
      if (current_) {
        current_->server->stop();
        retired_.push_back(std::move(current_));
        if (!join)
          reserve();
      }
      if (join) {
        release();
        to_join.swap(retired_);
      }
    }
    for (auto &running : to_join)
      running->join();
  }

  int port() const {
    const std::lock_guard lock(mutex_);
    return port_;
  }

private:
  std::unique_ptr<httplib::Server> make_server() {
    auto server = std::make_unique<httplib::Server>();
    // One request per connection: a port switched off then refuses every
    // further request, with no kept-alive connection still answering.
    server->set_keep_alive_max_count(1);
    // The library's default adds SO_REUSEPORT, with which a second service
    // would share the port instead of failing to start.
    server->set_socket_options([](socket_t socket) {
      int yes = 1;
      setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server->set_payload_max_length(kMaxRequestBody);
    server->set_read_timeout(5, 0);
    server->set_write_timeout(5, 0);
    const httplib::Server::Handler handler = [this](const httplib::Request &request,
                                                    httplib::Response &response) {
      dispatch_(endpoint_, port(), request, response);
    };
    server->Get(kAnyPath, handler);
    server->Post(kAnyPath, handler);
    server->Put(kAnyPath, handler);
    server->Patch(kAnyPath, handler);
    server->Delete(kAnyPath, handler);
    server->Options(kAnyPath, handler);
    server->set_logger([this](const httplib::Request &request, const httplib::Response &response) {
      logger_(endpoint_, port(), request, response);
    });
    return server;
  }

  bool fail(std::string &error) {
    error = "cannot listen on " + std::string(kAddress) + ":" + std::to_string(port_) + " (" +
            endpoint_name(endpoint_) + ")";
    return false;
  }

  // While switched off the port stays bound without listening: connections
  // are still refused (the system answers them with a reset), but no other
  // program can take the port meanwhile, so it can listen again.
  void reserve() {
    reservation_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (reservation_ < 0)
      return;
    int yes = 1;
    setsockopt(reservation_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    inet_pton(AF_INET, kAddress, &address.sin_addr);
    if (bind(reservation_, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
      release();
  }

  void release() {
    if (reservation_ >= 0)
      close(reservation_);
    reservation_ = -1;
  }

  // Joins retired servers whose accept loop has ended.
  void reap_finished() {
    std::erase_if(retired_, [](std::unique_ptr<Running> &running) {
      if (!running->finished->load())
        return false;
      running->join();
      return true;
    });
  }

  const Endpoint endpoint_;
  int port_;
  Dispatch dispatch_;
  Logger logger_;
  mutable std::mutex mutex_;
  std::unique_ptr<Running> current_;
  int reservation_ = -1;
  std::vector<std::unique_ptr<Running>> retired_;
};

Listeners::Listeners(const std::array<int, kPortCount> &ports, Dispatch dispatch,
                     Logger logger) {
  for (int i = 0; i < kPortCount; ++i)
    ports_[static_cast<std::size_t>(i)] = std::make_unique<Port>(
        endpoint_at(i), ports[static_cast<std::size_t>(i)], dispatch, logger);
}

Listeners::~Listeners() { stop_all(); }

bool Listeners::start_all(std::string &error) {
  for (auto &port : ports_)
    if (!port->start(error))
      return false;
  return true;
}

bool Listeners::set_listening(Endpoint endpoint, bool on, std::string &error) {
  auto &port = *ports_.at(static_cast<std::size_t>(endpoint_index(endpoint)));
  if (on)
    return port.start(error);
  port.stop(false);
  return true;
}

int Listeners::port(Endpoint endpoint) const {
  return ports_.at(static_cast<std::size_t>(endpoint_index(endpoint)))->port();
}

void Listeners::stop_all() {
  for (auto &port : ports_)
    if (port)
      port->stop(true);
}

} // namespace station
