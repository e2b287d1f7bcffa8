// Values taken from a request: query parameters and the Host header. All of
// them are untrusted; every reader checks form and length.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace station {

// Decoded query parameters, key to value; the same type as httplib::Params.
using QueryParams = std::multimap<std::string, std::string>;

// The first value of `key` as a decimal number within [min, max].
std::optional<std::int64_t> int_param(const QueryParams &params, std::string_view key,
                                      std::int64_t min, std::int64_t max);

// The first value of `key` if it has 1..max_length characters, each a digit
// or a dot (a version such as "4.5").
std::optional<std::string> version_param(const QueryParams &params, std::string_view key,
                                         std::size_t max_length);

// The first value of `key` as free text of at most max_length bytes: empty
// when the key is missing, nothing when the value is longer.
std::optional<std::string> text_param(const QueryParams &params, std::string_view key,
                                      std::size_t max_length);

// A plain e-mail address: at most 254 characters, a local part of 1..64
// letters, digits and the usual signs (no leading, trailing or double dot),
// '@', and a domain of at least two dot-separated labels of letters, digits
// and inner hyphens, the last one letters only.
bool valid_email(std::string_view address);

// The host the client used for this port, as "host[:port]", when the Host
// header is a plausible host name or address of at most 50 characters;
// otherwise "127.0.0.1:<local port>".
std::string request_host(std::string_view host_header, int local_port);

} // namespace station
