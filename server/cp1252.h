// Windows-1252, the code page of every page the service sends.
#pragma once

#include <string>
#include <string_view>

namespace station {

// UTF-8 text to Windows-1252 bytes. A character the code page lacks, and every
// byte of malformed UTF-8, becomes '?'.
std::string utf8_to_cp1252(std::string_view utf8);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
// value, as Windows does.
std::string cp1252_to_utf8(std::string_view bytes);

} // namespace station
