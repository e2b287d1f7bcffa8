// Strict parsing of decimal numbers taken from untrusted text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace station {

// Plain ASCII digits only (no sign, no blanks), at most 18 of them, and the
// value within [min, max]; anything else is no number.
std::optional<std::int64_t> parse_decimal(std::string_view text, std::int64_t min,
                                          std::int64_t max);

} // namespace station
