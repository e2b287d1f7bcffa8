// One HTTP/1.x request as it arrives on a connection, read with hard limits:
// every byte is untrusted, and nothing is kept beyond the limits below.
#pragma once

#include "query.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace station {

struct HttpLimits {
  std::size_t request_line = 4096; // "GET /path?query HTTP/1.1"
  std::size_t head = 8192;         // request line and every header line
  std::size_t headers = 48;        // header lines
  std::size_t body = 4096;         // the largest form a page takes
};

struct HttpRequest {
  std::string method;  // "GET", "HEAD", "POST"
  std::string target;  // as sent: path and query, still percent-encoded
  std::string path;    // decoded, without the query
  std::string version; // "HTTP/1.0" or "HTTP/1.1"
  QueryParams params;  // the query, and the form of a urlencoded POST body
  std::vector<std::pair<std::string, std::string>> headers; // names in lower case
  std::string body;
  std::string client; // the peer's address, "127.0.0.1"

  // The value of the first header of that name (lower case), if any.
  const std::string *header(std::string_view lower_name) const;
};

// Reads one request from the bytes of a connection, as they come.
class RequestReader {
public:
  enum class State { Reading, Done, Failed };

  explicit RequestReader(HttpLimits limits = {}) : limits_(limits) {}

  // Takes the next bytes; bytes past the end of the request are ignored.
  State feed(std::string_view bytes);
  State state() const { return state_; }

  // Once Done: the request. Once Failed: the status to answer (400, 405,
  // 411, 413, 414, 415, 431, 501, 505) and what was read of the request
  // line, for the log.
  const HttpRequest &request() const { return request_; }
  HttpRequest &request() { return request_; }
  int status() const { return status_; }

private:
  State fail(int status);
  State take_line(std::string_view line);
  State head_complete();
  bool parse_request_line(std::string_view line);

  HttpLimits limits_;
  State state_ = State::Reading;
  int status_ = 0;
  std::string line_;        // the line being read
  std::size_t head_bytes_ = 0;
  bool in_body_ = false;
  std::size_t body_length_ = 0;
  HttpRequest request_;
};

// %XX sequences decoded ('+' is kept: pages that take form text decide);
// a malformed sequence is kept as it is.
std::string percent_decode(std::string_view text);

// "a=1&b=%20" into key/value pairs, each decoded.
void parse_query(std::string_view query, QueryParams &params);

} // namespace station
