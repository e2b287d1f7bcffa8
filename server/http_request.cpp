#include "http_request.h"

#include "ascii.h"
#include "numbers.h"

#include <algorithm>

namespace station {

namespace {

bool token_char(char c) {
  constexpr std::string_view kSigns = "!#$%&'*+-.^_`|~";
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         kSigns.find(c) != std::string_view::npos;
}

bool is_token(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), token_char);
}

// Visible ASCII: a request target never holds blanks, controls or raw bytes
// outside ASCII (a browser percent-encodes them).
bool visible(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F;
  });
}

int hex_value(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

} // namespace

const std::string *HttpRequest::header(std::string_view lower_name) const {
  for (const auto &[name, value] : headers)
    if (name == lower_name)
      return &value;
  return nullptr;
}

std::string percent_decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hex_value(text[i + 1]);
      const int low = hex_value(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

void parse_query(std::string_view query, QueryParams &params) {
  while (!query.empty()) {
    const auto amp = query.find('&');
    const auto pair = query.substr(0, amp);
    if (!pair.empty()) {
      const auto eq = pair.find('=');
      params.emplace(percent_decode(pair.substr(0, eq)),
                     eq == std::string_view::npos ? std::string()
                                                  : percent_decode(pair.substr(eq + 1)));
    }
    if (amp == std::string_view::npos)
      break;
    query.remove_prefix(amp + 1);
  }
}

RequestReader::State RequestReader::fail(int status) {
  status_ = status;
  state_ = State::Failed;
  line_.clear();
  return state_;
}

RequestReader::State RequestReader::feed(std::string_view bytes) {
  while (state_ == State::Reading && !bytes.empty()) {
    if (in_body_) {
      const auto take = std::min(bytes.size(), body_length_ - request_.body.size());
      request_.body.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (request_.body.size() == body_length_) {
        const auto *type = request_.header("content-type");
        if (type && ascii::lower(*type).starts_with("application/x-www-form-urlencoded"))
          parse_query(request_.body, request_.params);
        state_ = State::Done;
      }
      continue;
    }
    const auto end = bytes.find('\n');
    const auto piece = bytes.substr(0, end);
    const bool first = request_.method.empty();
    const std::size_t limit = first ? limits_.request_line : limits_.head;
    if (line_.size() + piece.size() > limit + 1 || head_bytes_ + piece.size() > limits_.head + 2)
      return fail(first ? 414 : 431);
    line_.append(piece);
    head_bytes_ += piece.size() + 1;
    if (end == std::string_view::npos)
      return state_;
    bytes.remove_prefix(end + 1);
    std::string line;
    line.swap(line_);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (take_line(line) != State::Reading)
      return state_;
  }
  return state_;
}

RequestReader::State RequestReader::take_line(std::string_view line) {
  if (request_.method.empty()) {
    if (line.empty()) // blank lines before a request are tolerated
      return state_;
    if (line.size() > limits_.request_line)
      return fail(414);
    parse_request_line(line);
    return state_;
  }
  if (line.empty())
    return head_complete();
  if (request_.headers.size() >= limits_.headers || line.size() > limits_.head)
    return fail(431);
  if (line.front() == ' ' || line.front() == '\t') // obsolete line folding
    return fail(400);
  const auto colon = line.find(':');
  if (colon == std::string_view::npos || !is_token(line.substr(0, colon)))
    return fail(400);
  const auto value = ascii::trim_blanks(line.substr(colon + 1));
  if (std::any_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
      }))
    return fail(400);
  request_.headers.emplace_back(ascii::lower(line.substr(0, colon)), std::string(value));
  return state_;
}

bool RequestReader::parse_request_line(std::string_view line) {
  const auto first_blank = line.find(' ');
  const auto last_blank = line.rfind(' ');
  if (first_blank == std::string_view::npos || first_blank == last_blank) {
    fail(400);
    return false;
  }
  const auto method = line.substr(0, first_blank);
  const auto target = line.substr(first_blank + 1, last_blank - first_blank - 1);
  const auto version = line.substr(last_blank + 1);
  // What was read goes to the log even when the request is refused.
  request_.method = std::string(method.substr(0, 16));
  request_.target = std::string(target);
  if (!is_token(method) || target.empty() || target.front() != '/' || !visible(target)) {
    fail(400);
    return false;
  }
  if (version != "HTTP/1.1" && version != "HTTP/1.0") {
    fail(version.starts_with("HTTP/") ? 505 : 400);
    return false;
  }
  request_.version = std::string(version);
  const auto question = target.find('?');
  request_.path = percent_decode(target.substr(0, question));
  if (request_.path.find('\0') != std::string::npos) {
    fail(400);
    return false;
  }
  if (question != std::string_view::npos)
    parse_query(target.substr(question + 1), request_.params);
  return true;
}

RequestReader::State RequestReader::head_complete() {
  const auto &r = request_;
  if (r.method != "GET" && r.method != "HEAD" && r.method != "POST")
    return fail(r.method == "PUT" || r.method == "DELETE" || r.method == "PATCH" ||
                        r.method == "OPTIONS"
                    ? 405
                    : 501);
  int hosts = 0;
  std::optional<std::int64_t> length;
  for (const auto &[name, value] : r.headers) {
    if (name == "host")
      ++hosts;
    else if (name == "transfer-encoding")
      // No request this service takes needs a body of unknown length.
      return fail(ascii::lower(value).find("chunked") != std::string::npos ? 411 : 501);
    else if (name == "content-length") {
      const auto parsed = parse_decimal(value, 0, 1'000'000'000'000);
      if (!parsed || (length && *length != *parsed))
        return fail(400);
      length = parsed;
    } else if (name == "content-encoding" && ascii::lower(value) != "identity")
      return fail(415); // bodies are never unpacked
  }
  if (hosts > 1 || (hosts == 0 && r.version == "HTTP/1.1"))
    return fail(400);
  const std::size_t body = length ? static_cast<std::size_t>(*length) : 0;
  if (body > 0 && r.method != "POST")
    return fail(400);
  if (body > limits_.body)
    return fail(413);
  if (r.method == "POST" && !length)
    return fail(411);
  if (body == 0) {
    state_ = State::Done;
    return state_;
  }
  body_length_ = body;
  in_body_ = true;
  request_.body.reserve(body);
  return state_;
}

} // namespace station
