#pragma once

#include <QString>

namespace Folders {
// The folder of the user's data files ($XDG_CONFIG_HOME/sintonia/), created when missing,
// with a trailing "/".
QString settingsFolder();
// The folder of the captured server pages: the system's temporary folder with a trailing "/".
QString tempFolder();
}
