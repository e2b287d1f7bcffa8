#pragma once

#include <QString>

namespace DisplayText {

// A text from a page or the server made fit for a hint or a caption: control characters
// become blanks and it is cut to `maxLength` characters, with "…" when it was longer.
QString displayable(const QString &text, int maxLength = 200);

} // namespace DisplayText
