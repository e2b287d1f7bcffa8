#include "endpoint.h"

#include "numbers.h"

namespace station {

namespace {

constexpr std::array<std::string_view, kSiteCount> kSiteNames = {"product", "maker", "second",
                                                                 "sister"};

std::optional<int> number_in(std::string_view digits, int max) {
  const auto value = parse_decimal(digits, 1, max);
  if (!value)
    return std::nullopt;
  return static_cast<int>(*value);
}

} // namespace

std::string endpoint_name(Endpoint endpoint) {
  if (endpoint.kind == PortKind::Mirror)
    return "mirror" + std::to_string(endpoint.number);
  return std::string(kSiteNames.at(static_cast<std::size_t>(endpoint.number - 1)));
}

int endpoint_index(Endpoint endpoint) {
  return endpoint.kind == PortKind::Mirror ? endpoint.number - 1
                                           : kMirrorCount + endpoint.number - 1;
}

Endpoint endpoint_at(int index) {
  if (index < kMirrorCount)
    return {PortKind::Mirror, index + 1};
  return {PortKind::Site, index - kMirrorCount + 1};
}

std::optional<Endpoint> parse_endpoint(std::string_view text) {
  if (text.starts_with("mirror"))
    text.remove_prefix(6);
  else if (text.starts_with("site")) {
    if (const auto n = number_in(text.substr(4), kSiteCount))
      return Endpoint{PortKind::Site, *n};
    return std::nullopt;
  } else {
    for (std::size_t i = 0; i < kSiteNames.size(); ++i)
      if (text == kSiteNames[i])
        return Endpoint{PortKind::Site, static_cast<int>(i) + 1};
  }
  if (const auto n = number_in(text, kMirrorCount))
    return Endpoint{PortKind::Mirror, *n};
  return std::nullopt;
}

std::array<Endpoint, kPortCount> all_endpoints() {
  std::array<Endpoint, kPortCount> all{};
  for (int i = 0; i < kPortCount; ++i)
    all[static_cast<std::size_t>(i)] = endpoint_at(i);
  return all;
}

} // namespace station
