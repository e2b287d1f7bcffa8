// An answer as the HTTP server sends it, and what sends it in turns over a
// non-blocking socket.
#pragma once

#include "reply.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace station {

struct HttpAnswer {
  int status = 200;
  // Besides Content-Length and Connection, which the server writes.
  std::vector<std::pair<std::string, std::string>> headers;
  std::shared_ptr<const std::string> body; // sent from `offset`, `length` bytes
  std::optional<GeneratedBody> generated;  // instead of body
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  bool head_only = false; // HEAD: the headers of the answer, no body
  std::chrono::milliseconds delay{0};

  // A whole body.
  void set_body(std::string bytes);
};

// "OK", "Not Found", ... for the statuses this service sends.
std::string_view status_reason(int status);

// A short text/plain answer with the status and its reason.
HttpAnswer status_answer(int status);

// Sends one answer, head then body, on a connection that is closed after it.
class AnswerWriter {
public:
  enum class Progress { Blocked, Done, Failed };

  void start(HttpAnswer answer);
  // Sends what the socket takes now, at most about `turn` bytes.
  Progress write(int fd, std::size_t turn);
  // Frees what the answer held.
  void clear();

private:
  std::string_view next_bytes(bool &failed);

  HttpAnswer answer_;
  std::string head_;
  std::size_t head_sent_ = 0;
  std::uint64_t body_sent_ = 0;
  std::string piece_; // of a generated body
  std::size_t piece_sent_ = 0;
};

} // namespace station
