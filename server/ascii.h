// Small helpers over ASCII text, for protocol and file syntax: header names, schemes,
// playlist keys. Bytes outside A-Z are left as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace station::ascii {

inline char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string lower(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    c = lower(c);
  return out;
}

// `prefix` is given in lower case.
inline bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[i]) != prefix[i])
      return false;
  return true;
}

// Without the spaces and tabs at both ends.
inline std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

} // namespace station::ascii
