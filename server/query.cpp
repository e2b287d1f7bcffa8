#include "query.h"

#include "numbers.h"

#include <algorithm>

namespace station {

namespace {

const std::string *first_value(const QueryParams &params, std::string_view key) {
  const auto found = params.find(std::string(key));
  return found == params.end() ? nullptr : &found->second;
}

bool host_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
}

bool ascii_alnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool valid_local_part(std::string_view local) {
  constexpr std::string_view kSigns = "!#$%&'*+/=?^_`{|}~-.";
  if (local.empty() || local.size() > 64 || local.front() == '.' || local.back() == '.' ||
      local.find("..") != std::string_view::npos)
    return false;
  return std::all_of(local.begin(), local.end(), [&](char c) {
    return ascii_alnum(c) || kSigns.find(c) != std::string_view::npos;
  });
}

bool valid_label(std::string_view label) {
  return !label.empty() && label.size() <= 63 && label.front() != '-' && label.back() != '-' &&
         std::all_of(label.begin(), label.end(), [](char c) { return ascii_alnum(c) || c == '-'; });
}

bool valid_domain(std::string_view domain) {
  int labels = 0;
  std::string_view last;
  while (true) {
    const auto dot = domain.find('.');
    last = domain.substr(0, dot);
    if (!valid_label(last))
      return false;
    ++labels;
    if (dot == std::string_view::npos)
      break;
    domain.remove_prefix(dot + 1);
  }
  return labels >= 2 && last.size() >= 2 &&
         std::all_of(last.begin(), last.end(), [](char c) { return ascii_alnum(c) && !(c >= '0' && c <= '9'); });
}

} // namespace

std::optional<std::string> text_param(const QueryParams &params, std::string_view key,
                                      std::size_t max_length) {
  const auto *value = first_value(params, key);
  if (!value)
    return std::string();
  if (value->size() > max_length)
    return std::nullopt;
  return *value;
}

bool valid_email(std::string_view address) {
  const auto at = address.find('@');
  if (address.size() > 254 || at == std::string_view::npos ||
      address.find('@', at + 1) != std::string_view::npos)
    return false;
  return valid_local_part(address.substr(0, at)) && valid_domain(address.substr(at + 1));
}

std::optional<std::int64_t> int_param(const QueryParams &params, std::string_view key,
                                      std::int64_t min, std::int64_t max) {
  const auto *value = first_value(params, key);
  if (!value)
    return std::nullopt;
  return parse_decimal(*value, min, max);
}

std::optional<std::string> version_param(const QueryParams &params, std::string_view key,
                                         std::size_t max_length) {
  const auto *value = first_value(params, key);
  if (!value || value->empty() || value->size() > max_length)
    return std::nullopt;
  if (!std::all_of(value->begin(), value->end(),
                   [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
    return std::nullopt;
  return *value;
}

std::string request_host(std::string_view host_header, int local_port) {
  if (!host_header.empty() && host_header.size() <= 50 &&
      std::all_of(host_header.begin(), host_header.end(), host_char))
    return std::string(host_header);
  return "127.0.0.1:" + std::to_string(local_port);
}

} // namespace station
