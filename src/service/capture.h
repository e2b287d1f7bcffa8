#pragma once

#include <QByteArray>
#include <QString>

class WebPane;

// Server pages that carry data are saved by their pane as text into the temporary
// folder and read back from there.
namespace Capture {

inline constexpr char CatalogueFile[] = "tmpSN.txt";
inline constexpr char ConvertedCatalogueFile[] = "tmp1SN.txt";
inline constexpr char PickerFile[] = "tmp2SN.txt";
inline constexpr char SaveFailedText[] = "SaveAs HTML fail!";

// Replaces every occurrence of `search` (case-sensitive), searching again after each
// replacement from where a new occurrence could begin, until none is left. A replacement
// that contains the search text is applied in one pass, so that it cannot loop forever.
QByteArray ReplaceAll(QByteArray text, const QByteArray &search, const QByteArray &replacement);

// Every "<BR>" (upper case only) becomes a line break; each input line is written back
// followed by CR LF.
QByteArray convertBreaks(const QByteArray &page);

// The pane shows the browser's own page for a load that failed. Such a page is captured
// as an empty page: a server that failed is never reported to the user.
bool showsErrorPage(const WebPane &pane);

// Creates `path` empty, replacing an earlier file. Returns an empty text on success,
// otherwise the file system's description of the failure.
QString writeEmptyCapture(const QString &path);

// Turns tmpSN.txt into tmp1SN.txt in `tempFolder`. Returns an empty text on success,
// otherwise the file system's description of the failure.
QString ConvertBreaks(const QString &tempFolder);

} // namespace Capture
