// Stream and home page addresses from import files: only absolute http and
// https addresses, in printable ASCII, are kept.
#pragma once

#include <string>
#include <string_view>

namespace station {

struct AddressCheck {
  std::string address; // the usable address, when error is empty
  std::string error;   // why the given text is no usable address
};

// Blanks around the address are dropped, the scheme is put in lower case,
// and blanks, non-ASCII bytes and the characters an HTML attribute or a URL
// must not hold literally are percent-encoded. Control characters, other
// schemes, a missing or implausible host and more than 2048 bytes are
// refused.
AddressCheck check_address(std::string_view given);

// Whether the address names a playlist rather than a stream, by the end of
// its path: ".m3u", ".m3u8", ".pls" in any case.
bool names_playlist(std::string_view address);

} // namespace station
