// Text taken from news feeds, made fit for one line of a small pane: valid
// UTF-8, no control characters, bounded in length; and the same text made
// safe inside a page's script data.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace station {

// One line of plain text: malformed UTF-8 becomes U+FFFD; control
// characters, line and paragraph separators and runs of blanks become one
// blank; direction overrides are dropped; blanks at both ends are trimmed.
// Text longer than max_chars characters is cut to max_chars - 1 of them and
// "…", so it never ends inside a character.
std::string one_line(std::string_view utf8, std::size_t max_chars);

// The text of an HTML fragment: tags dropped, character references and the
// usual named entities decoded (an unknown entity stays as written). The
// result still wants one_line().
std::string html_to_text(std::string_view html);

// A JSON string literal (with its quotes) that is plain ASCII and holds no
// '<', '>', '&' or quote of either kind, so it may sit inside a script
// element or an attribute of a page in any ASCII-compatible code page.
std::string json_string(std::string_view utf8);

// The host of an absolute http(s) address, or empty.
std::string_view link_host(std::string_view link);

} // namespace station
