#include "http_range.h"

#include "ascii.h"

#include <algorithm>
#include <optional>
#include <string>

namespace station {

namespace {

std::optional<std::uint64_t> number(std::string_view digits) {
  if (digits.empty() || digits.size() > 19)
    return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

} // namespace

RangeAnswer resolve_range(const std::string *header, std::uint64_t size) {
  const RangeAnswer whole;
  if (!header)
    return whole;
  std::string_view byte_range = ascii::trim_blanks(*header);
  if (!byte_range.starts_with("bytes="))
    return whole; // another unit: ignored
  byte_range.remove_prefix(6);
  if (byte_range.find(',') != std::string_view::npos)
    return whole; // several ranges: the whole body instead
  byte_range = ascii::trim_blanks(byte_range);
  const auto dash = byte_range.find('-');
  if (dash == std::string_view::npos)
    return whole; // malformed: ignored
  const auto from = byte_range.substr(0, dash);
  const auto to = byte_range.substr(dash + 1);
  RangeAnswer part{RangeAnswer::Kind::Part, 0, 0};
  const RangeAnswer unsatisfiable{RangeAnswer::Kind::Unsatisfiable, 0, 0};
  if (from.empty()) { // the last N bytes
    const auto suffix = number(to);
    if (!suffix)
      return whole;
    if (*suffix == 0 || size == 0)
      return unsatisfiable;
    part.first = size - std::min(*suffix, size);
    part.last = size - 1;
    return part;
  }
  const auto first = number(from);
  const auto last = to.empty() ? std::optional<std::uint64_t>(UINT64_MAX) : number(to);
  if (!first || !last || *last < *first)
    return whole;
  if (*first >= size)
    return unsatisfiable;
  part.first = *first;
  part.last = std::min(*last, size - 1);
  return part;
}

} // namespace station
