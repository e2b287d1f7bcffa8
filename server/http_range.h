// The Range header of a request for a body of known size. Only a single
// byte range is served in part; anything else gets the whole body, which a
// server may always send instead (never a part of it under "200 OK").
#pragma once

#include <cstdint>
#include <string_view>

namespace station {

struct RangeAnswer {
  enum class Kind { Whole, Part, Unsatisfiable };
  Kind kind = Kind::Whole;
  std::uint64_t first = 0; // of the part
  std::uint64_t last = 0;  // inclusive
};

// header: the Range header's value, or nullptr without one.
RangeAnswer resolve_range(const std::string *header, std::uint64_t size);

} // namespace station
