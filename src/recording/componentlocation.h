#pragma once

#include <QString>
#include <QStringList>

// Where the recorder component plugin is installed. Its file is the component marker:
// the recording page offers the installer while no folder holds it.
namespace ComponentLocation {

inline constexpr char FileName[] = "libsintonia-audioctl.so";

// $SINTONIA_AUDIOCTL_DIR alone when set; otherwise <program folder>/../lib/sintonia and
// the program folder.
QStringList folders();
// The plugin file in the first folder that holds it; empty when none does.
QString find();

} // namespace ComponentLocation
