#pragma once

#include <QString>

// Start with the desktop: the XDG autostart entry "Sintonia.desktop" in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart).
namespace Autostart {

inline constexpr char EntryName[] = "Sintonia.desktop";

// The user's autostart folder, with a trailing "/".
QString defaultFolder();

// What a login starts for the program file `program`: an installed copy's launcher
// (../libexec/sintonia/sintonia-start, which also starts the local station service when
// none is running) when there is one, otherwise the program itself.
QString programToStart(const QString &program);

// The entry's text for `program`, the full path of the program file.
QByteArray entry(const QString &program);

// `on`: writes the entry that starts `program`; otherwise removes it. A folder that cannot
// be written changes nothing, silently; the result says whether the entry is as asked.
bool apply(const QString &folder, bool on, const QString &program);

} // namespace Autostart
