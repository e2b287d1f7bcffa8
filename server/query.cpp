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

} // namespace

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
