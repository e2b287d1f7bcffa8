// A bare HTTP client over a socket, for tests that send what no library
// would: slow, endless or malformed requests. Every wait has a deadline.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace station::test {

// A connected socket to 127.0.0.1:port, or -1.
int connect_to(int port);
// Everything the peer sends until it closes; nothing when it has not
// closed by the deadline.
std::optional<std::string> read_all(int fd, std::chrono::milliseconds deadline);
// Sends the request on a new connection and reads the whole answer.
std::optional<std::string> exchange(int port, const std::string &request,
                                    std::chrono::milliseconds deadline);
// The status of an answer's first line, 0 when there is none.
int status_of(const std::string &answer);
// The body after the head.
std::string body_of(const std::string &answer);
// `size` zero bytes, gzip-packed: a small body that unpacks to a large one.
std::string gzip_of_zeros(std::size_t size);

} // namespace station::test
