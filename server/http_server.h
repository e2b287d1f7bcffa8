// An HTTP/1.x server on one loopback port, driven by one thread and epoll:
// a connection costs a few kilobytes and no thread, so slow or idle clients
// never keep a page from being answered.
//
// Every connection carries one request and is closed after its answer.
// Hard limits: the request head (HttpLimits), a deadline for the whole
// request (request_time), a cap of open connections (the oldest one still
// sending its request makes room for a new one), and a deadline for an
// answer that stops moving (write_stall). Handlers run on the server's
// thread and must not block; a delayed answer is asked for with
// HttpAnswer::delay.
#pragma once

#include "http_answer.h"
#include "http_request.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace station {

struct HttpServerSettings {
  HttpLimits limits;
  std::size_t max_connections = 128;
  std::chrono::milliseconds request_time{10000};
  std::chrono::milliseconds write_stall{60000};
  std::chrono::milliseconds linger{1000}; // reading what a client still sends after the answer
};

class HttpServer {
public:
  using Handler = std::function<HttpAnswer(const HttpRequest &)>;
  // A request refused by the server itself, with the status it got.
  using Refused = std::function<void(const HttpRequest &, int status)>;

  HttpServer(HttpServerSettings settings, Handler handler, Refused refused);
  ~HttpServer(); // stops
  HttpServer(const HttpServer &) = delete;
  HttpServer &operator=(const HttpServer &) = delete;

  // Binds 127.0.0.1:port (0: a free port), listens and starts the thread.
  // false when the port cannot be bound.
  bool start(int port);
  // Stops accepting (connections are refused) or accepts again; the port
  // stays bound all the while. Answers under way go on. Any thread.
  bool set_listening(bool on);
  int port() const;
  // Closes every connection and ends the thread.
  void stop();

private:
  class Loop;
  std::unique_ptr<Loop> loop_;
};

} // namespace station
