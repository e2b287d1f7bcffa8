#include "host_names.h"

#include "ascii.h"
#include "numbers.h"

#include <algorithm>

namespace station {

namespace {

bool label_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Lower-case dot-separated labels of letters, digits and inner hyphens.
bool valid_name(std::string_view name) {
  if (name.empty() || name.size() > 253)
    return false;
  while (true) {
    const auto dot = name.find('.');
    const auto label = name.substr(0, dot);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
        !std::all_of(label.begin(), label.end(), label_char))
      return false;
    if (dot == std::string_view::npos)
      return true;
    name.remove_prefix(dot + 1);
  }
}

bool under(std::string_view name, std::string_view domain) {
  return name.size() > domain.size() + 1 && name.ends_with(domain) &&
         name[name.size() - domain.size() - 1] == '.';
}

} // namespace

HostNames::HostNames(std::vector<std::string> extra) {
  for (const auto &name : extra)
    extra_.push_back(ascii::lower(name));
}

bool HostNames::accepts(std::string_view host) const {
  const auto colon = host.rfind(':');
  if (colon != std::string_view::npos) {
    if (!parse_decimal(host.substr(colon + 1), 1, 65535) || host.size() - colon - 1 > 5)
      return false;
    host = host.substr(0, colon);
  }
  const std::string name = ascii::lower(host);
  if (name == "127.0.0.1" || name == "localhost")
    return true;
  if (!valid_name(name))
    return false;
  if (under(name, "localhost") || under(name, "test"))
    return true;
  return std::find(extra_.begin(), extra_.end(), name) != extra_.end();
}

bool HostNames::accepts_origin(std::string_view origin) const {
  constexpr std::string_view kScheme = "http://";
  if (origin.size() < kScheme.size() || ascii::lower(origin.substr(0, kScheme.size())) != kScheme)
    return false;
  origin.remove_prefix(kScheme.size());
  const auto end = origin.find_first_of("/?#");
  const auto authority = origin.substr(0, end);
  if (authority.find('@') != std::string_view::npos)
    return false;
  return accepts(authority);
}

} // namespace station
