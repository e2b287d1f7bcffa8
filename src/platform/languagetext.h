#pragma once

#include <QString>

// The interface texts in the language in use, by key (1..128). The main window owns the
// table; every part that shows a translated text asks through this interface.
class LanguageTextSource
{
public:
    virtual ~LanguageTextSource() = default;
    virtual QString LanguageText(int key) const = 0;
};
