#include "http_answer.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace station {

namespace {

constexpr std::size_t kPiece = 16 * 1024; // of a generated body

} // namespace

void HttpAnswer::set_body(std::string bytes) {
  auto shared = std::make_shared<const std::string>(std::move(bytes));
  offset = 0;
  length = shared->size();
  body = std::move(shared);
  generated.reset();
}

std::string_view status_reason(int status) {
  switch (status) {
  case 200: return "OK";
  case 206: return "Partial Content";
  case 400: return "Bad Request";
  case 403: return "Forbidden";
  case 404: return "Not Found";
  case 405: return "Method Not Allowed";
  case 408: return "Request Timeout";
  case 411: return "Length Required";
  case 413: return "Content Too Large";
  case 414: return "URI Too Long";
  case 415: return "Unsupported Media Type";
  case 416: return "Range Not Satisfiable";
  case 421: return "Misdirected Request";
  case 429: return "Too Many Requests";
  case 431: return "Request Header Fields Too Large";
  case 500: return "Internal Server Error";
  case 501: return "Not Implemented";
  case 503: return "Service Unavailable";
  case 505: return "HTTP Version Not Supported";
  default: return "Status";
  }
}

HttpAnswer status_answer(int status) {
  HttpAnswer answer;
  answer.status = status;
  answer.headers = {{"Content-Type", "text/plain; charset=utf-8"}, {"Cache-Control", "no-store"}};
  answer.set_body(std::to_string(status) + " " + std::string(status_reason(status)) + "\n");
  return answer;
}

void AnswerWriter::start(HttpAnswer answer) {
  answer_ = std::move(answer);
  head_ = "HTTP/1.1 " + std::to_string(answer_.status) + " " +
          std::string(status_reason(answer_.status)) + "\r\n";
  for (const auto &[name, value] : answer_.headers)
    head_ += name + ": " + value + "\r\n";
  head_ += "Content-Length: " + std::to_string(answer_.length) + "\r\nConnection: close\r\n\r\n";
  head_sent_ = 0;
  body_sent_ = 0;
  piece_.clear();
  piece_sent_ = 0;
}

void AnswerWriter::clear() {
  answer_ = HttpAnswer{};
  head_.clear();
  head_.shrink_to_fit();
  piece_.clear();
  piece_.shrink_to_fit();
}

// What is left to send now: the head, then the body's next bytes.
std::string_view AnswerWriter::next_bytes(bool &failed) {
  if (head_sent_ < head_.size())
    return std::string_view(head_).substr(head_sent_);
  const auto &a = answer_;
  if (a.head_only || body_sent_ >= a.length)
    return {};
  const std::uint64_t left = a.length - body_sent_;
  if (a.body) {
    const auto at = a.offset + body_sent_;
    if (at >= a.body->size())
      return {};
    return std::string_view(*a.body).substr(static_cast<std::size_t>(at),
                                            static_cast<std::size_t>(left));
  }
  if (!a.generated)
    return {};
  if (piece_sent_ >= piece_.size()) {
    piece_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(left, kPiece)));
    const auto made = a.generated->read(a.offset + body_sent_, piece_.size(), piece_.data());
    if (made == 0) {
      failed = true;
      return {};
    }
    piece_.resize(std::min(made, piece_.size()));
    piece_sent_ = 0;
  }
  return std::string_view(piece_).substr(piece_sent_);
}

AnswerWriter::Progress AnswerWriter::write(int fd, std::size_t turn) {
  std::size_t sent_now = 0;
  while (sent_now < turn) {
    bool failed = false;
    const auto bytes = next_bytes(failed);
    if (failed)
      return Progress::Failed;
    if (bytes.empty())
      return Progress::Done;
    const auto n =
        send(fd, bytes.data(), std::min(bytes.size(), turn), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0)
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? Progress::Blocked
                                                                        : Progress::Failed;
    const auto sent = static_cast<std::size_t>(n);
    sent_now += sent;
    if (head_sent_ < head_.size()) {
      head_sent_ += sent;
      continue;
    }
    body_sent_ += sent;
    if (!answer_.body)
      piece_sent_ += sent;
  }
  return Progress::Blocked;
}

} // namespace station
