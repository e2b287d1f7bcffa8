#pragma once

#include <QString>

namespace Folders {

// The folder of the user's data files ($XDG_CONFIG_HOME/sintonia/), created when missing,
// with a trailing "/".
QString settingsFolder();

// The folder of the captured server pages, private to the user: $XDG_RUNTIME_DIR/sintonia/
// when XDG_RUNTIME_DIR is set, otherwise sintonia-<uid>/ in the system's temporary folder;
// made with mode 0700, with a trailing "/".
struct TempFolder
{
    QString path;
    // Why the usual folder was refused (a link, another owner, not a folder, or it could
    // not be made); `path` is then a new private folder of this run.
    QString problem;
};
TempFolder tempFolder();

// The usual folder itself, whether or not it is fit for use.
QString usualTempFolder();

} // namespace Folders
