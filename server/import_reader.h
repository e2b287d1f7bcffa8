// An import file of any of the three formats, told apart by its content.
#pragma once

#include "import_entry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace station {

enum class ImportFormat { M3u, Pls, Json };

// JSON when the first character after blanks (and a byte order mark) is '['
// or '{'; PLS when the first line is "[playlist]" in any case; M3U otherwise.
ImportFormat detect_format(std::string_view text);

// The reader of the text's format; returns what makes the file unusable.
std::string read_import_text(std::string_view text, const ReadLimits &limits, ReadSink &sink);
ReadResult read_import_text(std::string_view text, const ReadLimits &limits = {});

inline constexpr std::size_t kMaxImportBytes = 64u << 20;

// The bytes of a file of at most max_bytes; nothing, with `error` set, for a
// larger file or one that cannot be read.
std::optional<std::string> read_import_bytes(const std::string &path, std::string &error,
                                             std::size_t max_bytes = kMaxImportBytes);

ReadResult read_import_file(const std::string &path, const ReadLimits &limits = {},
                            std::size_t max_bytes = kMaxImportBytes);

} // namespace station
