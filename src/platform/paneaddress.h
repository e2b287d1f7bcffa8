#pragma once

#include <QString>

class QUrl;

namespace PaneAddress {
// While a page loads, and for a page without a title, the engine reports the address
// without its scheme as the title ("127.0.0.1:8765/a.html"). The program expects the full
// address there. Returns `navigated` when `title` is `url` without its scheme, otherwise
// `title` unchanged.
QString titleForProgram(const QString &title, const QUrl &url, const QString &navigated);

// The location the engine's own error page reports.
inline constexpr char ErrorPageLocation[] = "chrome-error://chromewebdata/";
}
