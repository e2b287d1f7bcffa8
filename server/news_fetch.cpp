#include "news_fetch.h"

#include "ascii.h"
#include "numbers.h"

#include <httplib.h>

#include <memory>
#include <thread>

namespace station {

namespace {

using Clock = std::chrono::steady_clock;

// A cancelled download is stopped again at this pace until it has ended:
// a stop that comes while the client is still connecting has nothing to
// shut down yet.
constexpr std::chrono::milliseconds kStopRetry{20};

bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-';
}

bool ipv6_char(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
         c == '.';
}

bool all_of(std::string_view text, bool (*allowed)(char)) {
  for (const char c : text)
    if (!allowed(c))
      return false;
  return true;
}

std::string origin(const FeedUrl &url) {
  const bool ipv6 = url.host.find(':') != std::string::npos;
  return std::string(url.tls ? "https://" : "http://") + (ipv6 ? "[" + url.host + "]" : url.host) +
         ":" + std::to_string(url.port);
}

// The address a Location header names, relative to the address it came from.
std::string resolve(const FeedUrl &base, std::string_view location) {
  if (ascii::starts_with_nocase(location, "http://") || ascii::starts_with_nocase(location, "https://"))
    return std::string(location);
  if (location.starts_with("//"))
    return (base.tls ? "https:" : "http:") + std::string(location);
  if (location.starts_with('/'))
    return origin(base) + std::string(location);
  const std::string_view path = std::string_view(base.target).substr(0, base.target.find('?'));
  return origin(base) + std::string(path.substr(0, path.rfind('/') + 1)) + std::string(location);
}

std::unique_ptr<httplib::ClientImpl> make_client(const FeedUrl &url) {
  if (url.tls)
    return std::make_unique<httplib::SSLClient>(url.host, url.port);
  return std::make_unique<httplib::ClientImpl>(url.host, url.port);
}

bool redirect_status(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string failure_text(httplib::Error error, const FetchLimits &limits) {
  switch (error) {
  case httplib::Error::Connection:
  case httplib::Error::ConnectionTimeout:
    return "cannot connect within " + std::to_string(limits.connect_timeout.count()) + " ms";
  case httplib::Error::Read:
    return "no answer within " + std::to_string(limits.read_timeout.count()) + " ms";
  default:
    return "download failed (" + httplib::to_string(error) + ")";
  }
}

} // namespace

std::optional<FeedUrl> parse_feed_url(std::string_view url) {
  if (url.empty() || url.size() > kMaxFeedUrl)
    return std::nullopt;
  for (const char c : url)
    if (c <= ' ' || c > '~')
      return std::nullopt;
  FeedUrl parsed;
  if (ascii::starts_with_nocase(url, "https://")) {
    parsed.tls = true;
    url.remove_prefix(8);
  } else if (ascii::starts_with_nocase(url, "http://")) {
    url.remove_prefix(7);
  } else {
    return std::nullopt;
  }
  url = url.substr(0, url.find('#'));
  const auto path_at = url.find_first_of("/?");
  std::string_view authority = url.substr(0, path_at);
  if (path_at != std::string_view::npos)
    parsed.target = (url[path_at] == '?' ? "/" : "") + std::string(url.substr(path_at));
  else
    parsed.target = "/";

  std::string_view port;
  if (authority.starts_with('[')) {
    const auto close = authority.find(']');
    if (close == std::string_view::npos)
      return std::nullopt;
    parsed.host = authority.substr(1, close - 1);
    const auto rest = authority.substr(close + 1);
    if (!rest.empty() && !rest.starts_with(':'))
      return std::nullopt;
    port = rest.empty() ? rest : rest.substr(1);
    if (parsed.host.find(':') == std::string::npos || !all_of(parsed.host, ipv6_char))
      return std::nullopt;
  } else {
    const auto colon = authority.find(':');
    parsed.host = authority.substr(0, colon);
    if (colon != std::string_view::npos)
      port = authority.substr(colon + 1);
    if (!all_of(parsed.host, name_char) || parsed.host.find_first_not_of(".-") == std::string::npos)
      return std::nullopt;
  }
  if (parsed.host.empty() || parsed.host.size() > 253)
    return std::nullopt;
  if (const auto given = parse_decimal(port, 1, 65535))
    parsed.port = static_cast<int>(*given);
  else if (authority.ends_with(':') || !port.empty())
    return std::nullopt;
  else
    parsed.port = parsed.tls ? 443 : 80;
  return parsed;
}

// Lets the FetchCancel reach the client of the request under way.
class ActiveFetch {
public:
  ActiveFetch(FetchCancel &cancel, httplib::ClientImpl &client) : cancel_(cancel) {
    const std::lock_guard lock(cancel_.mutex_);
    cancel_.client_ = &client;
    cancelled_before = cancel_.cancelled_;
  }
  ~ActiveFetch() {
    const std::lock_guard lock(cancel_.mutex_);
    cancel_.client_ = nullptr;
  }
  ActiveFetch(const ActiveFetch &) = delete;
  ActiveFetch &operator=(const ActiveFetch &) = delete;

  // Seen under the same lock as the client is made known: a cancel either
  // finds the client or is found here.
  bool cancelled_before = false;

private:
  FetchCancel &cancel_;
};

void FetchCancel::cancel() {
  std::unique_lock lock(mutex_);
  cancelled_ = true;
  while (client_) {
    client_->stop();
    lock.unlock();
    std::this_thread::sleep_for(kStopRetry);
    lock.lock();
  }
}

bool FetchCancel::cancelled() const {
  const std::lock_guard lock(mutex_);
  return cancelled_;
}

namespace {

// One request of a download: its body, or why there is none.
struct Hop {
  std::string body;
  std::string location; // of a redirect
  std::string error;
};

Hop get_once(const FeedUrl &url, const FetchLimits &limits, Clock::time_point deadline,
             FetchCancel &cancel) {
  const auto client = make_client(url);
  client->set_connection_timeout(limits.connect_timeout);
  client->set_read_timeout(limits.read_timeout);
  client->set_write_timeout(limits.read_timeout);
  client->set_keep_alive(false);
  // Compressed answers are read as they arrive; the size limit counts the
  // bytes after decompression.
  const httplib::Headers headers = {
      {"User-Agent", "sintonia-station-service"},
      {"Accept-Encoding", "gzip, deflate"},
      {"Accept", "application/rss+xml, application/atom+xml, application/xml;q=0.9, "
                 "text/xml;q=0.9, */*;q=0.5"}};
  const std::string too_large = "larger than " + std::to_string(limits.max_bytes) + " bytes";

  Hop hop;
  int status = 0;
  std::string refusal;
  const auto on_response = [&](const httplib::Response &response) {
    status = response.status;
    if (redirect_status(status))
      hop.location = response.get_header_value("Location");
    if (status != 200)
      return false;
    const auto length = response.get_header_value("Content-Length");
    if (!length.empty() && !parse_decimal(length, 0, static_cast<std::int64_t>(limits.max_bytes))) {
      refusal = too_large;
      return false;
    }
    return true;
  };
  const auto on_body = [&](const char *data, std::size_t length) {
    if (hop.body.size() + length > limits.max_bytes) {
      refusal = too_large;
      return false;
    }
    if (Clock::now() > deadline) {
      refusal = "not complete within " + std::to_string(limits.total_time.count()) + " ms";
      return false;
    }
    hop.body.append(data, length);
    return true;
  };

  auto error = httplib::Error::Canceled;
  {
    const ActiveFetch active(cancel, *client);
    if (!active.cancelled_before)
      error = client->Get(url.target, headers, on_response, on_body).error();
  }
  if (cancel.cancelled())
    hop.error = "cancelled";
  else if (!refusal.empty())
    hop.error = refusal;
  else if (status != 200 && !(redirect_status(status) && !hop.location.empty()))
    hop.error = status != 0 ? "HTTP status " + std::to_string(status) : failure_text(error, limits);
  else if (status == 200 && error != httplib::Error::Success)
    hop.error = failure_text(error, limits);
  if (!hop.error.empty() || status != 200)
    hop.body.clear();
  return hop;
}

} // namespace

FetchResult fetch_feed(std::string_view url, const FetchLimits &limits, FetchCancel &cancel) {
  const auto deadline = Clock::now() + limits.total_time;
  std::string current(url);
  bool was_tls = false;
  for (int redirects = 0;; ++redirects) {
    const auto parsed = parse_feed_url(current);
    if (!parsed)
      return {{}, "not an http(s) address: " + current.substr(0, 200)};
    if (was_tls && !parsed->tls)
      return {{}, "redirected from https to http"};
    was_tls = parsed->tls;

    auto hop = get_once(*parsed, limits, deadline, cancel);
    if (!hop.error.empty())
      return {{}, std::move(hop.error)};
    if (hop.location.empty())
      return {std::move(hop.body), {}};
    if (redirects == limits.max_redirects)
      return {{}, "more than " + std::to_string(limits.max_redirects) + " redirects"};
    current = resolve(*parsed, hop.location);
  }
}

} // namespace station
