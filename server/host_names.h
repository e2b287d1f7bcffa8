// The host names this service answers to. The service listens on loopback,
// so any web page the user opens can send it requests; a page of another
// site that has its own name point at 127.0.0.1 (DNS rebinding) sends that
// name in the Host header, and is refused. Accepted, with or without a port:
//   127.0.0.1 and localhost,
//   names under .localhost and .test, which no public DNS server may give
//   out (RFC 6761), so that only this machine's own settings or proxies can
//   make them reach the service,
//   and the names given to the service (--host-name), for address files
//   that name the mirrors otherwise.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace station {

class HostNames {
public:
  explicit HostNames(std::vector<std::string> extra = {});

  // A Host header's value, "name" or "name:port".
  bool accepts(std::string_view host) const;
  // An Origin or Referer header's value ("http://name:port/..."): true when
  // it names this service; "null" and other schemes do not.
  bool accepts_origin(std::string_view origin) const;

private:
  std::vector<std::string> extra_; // lower case
};

} // namespace station
