#pragma once

#include <QString>

// A hint that shows `text` exactly as it is: a text that Qt would take for markup is
// escaped, so that a name from a page cannot bring pictures or links into a tooltip.
QString plainToolTip(const QString &text);
