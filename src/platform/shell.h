#pragma once

#include <QString>

// The desktop's "open": web addresses in the user's browser, folders in the file manager.
class Shell
{
public:
    virtual ~Shell() = default;
    // Returns false when the desktop could not open it; callers decide whether to report it.
    virtual bool open(const QString &target) = 0;
};

class DesktopShell final : public Shell
{
public:
    bool open(const QString &target) override;
};
