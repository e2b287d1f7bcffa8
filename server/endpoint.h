// The ten ports of the station service: six mirrors and four sites.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace station {

enum class PortKind { Mirror, Site };

inline constexpr int kMirrorCount = 6;
inline constexpr int kSiteCount = 4;
inline constexpr int kPortCount = kMirrorCount + kSiteCount;

// A mirror is numbered 1..6; a site 1..4 in the order of the client's address
// file: product web site, maker's main site, maker's second site, sister site.
struct Endpoint {
  PortKind kind = PortKind::Mirror;
  int number = 1;

  bool operator==(const Endpoint &) const = default;
};

// "mirror1".."mirror6", "product", "maker", "second", "sister".
std::string endpoint_name(Endpoint endpoint);

// Position 0..9 in address-file order (mirrors first, then sites).
int endpoint_index(Endpoint endpoint);
Endpoint endpoint_at(int index);

// Accepts "3" (a mirror), "mirror3", "site2" or one of the site names.
std::optional<Endpoint> parse_endpoint(std::string_view text);

// Every endpoint, in address-file order.
std::array<Endpoint, kPortCount> all_endpoints();

} // namespace station
