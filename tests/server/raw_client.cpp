#include "raw_client.h"

#include <zlib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace station::test {

using Clock = std::chrono::steady_clock;

int connect_to(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  if (connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

std::optional<std::string> read_all(int fd, std::chrono::milliseconds deadline) {
  std::string text;
  const auto until = Clock::now() + deadline;
  while (Clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
      break;
    char buffer[16384];
    const auto n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0)
      return text;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

std::optional<std::string> exchange(int port, const std::string &request,
                                    std::chrono::milliseconds deadline) {
  const int fd = connect_to(port);
  if (fd < 0)
    return std::nullopt;
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  auto answer = read_all(fd, deadline);
  close(fd);
  return answer;
}

int status_of(const std::string &answer) {
  if (!answer.starts_with("HTTP/1.") || answer.size() < 12)
    return 0;
  return std::atoi(answer.substr(9, 3).c_str());
}

std::string body_of(const std::string &answer) {
  const auto end = answer.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : answer.substr(end + 4);
}

std::string gzip_of_zeros(std::size_t size) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 31, 9, Z_DEFAULT_STRATEGY);
  std::string zeros(1 << 20, '\0');
  std::string packed;
  std::string out(1 << 16, '\0');
  for (std::size_t done = 0; done < size; done += zeros.size()) {
    z.next_in = reinterpret_cast<Bytef *>(zeros.data());
    z.avail_in = static_cast<uInt>(zeros.size());
    const int flush = done + zeros.size() >= size ? Z_FINISH : Z_NO_FLUSH;
    do {
      z.next_out = reinterpret_cast<Bytef *>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      deflate(&z, flush);
      packed.append(out.data(), out.size() - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  return packed;
}

} // namespace station::test
