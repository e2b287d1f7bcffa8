#include "settings/proxysettings.h"

#include "settings/optionsfile.h"

ProxySettings::Outcome ProxySettings::outcome() const
{
    if (!address.isEmpty() && !port.isEmpty())
        return Outcome::Proxy;
    return useBrowserDefaults ? Outcome::Untouched : Outcome::Direct;
}

ProxySettings ProxySettings::fromLines(const QStringList &lines)
{
    ProxySettings s;
    if (lines.size() >= 1)
        s.address = lines[0].left(MaxTextLength);
    if (lines.size() >= 2)
        s.port = lines[1].left(MaxTextLength);
    s.useBrowserDefaults = lines.size() >= 3 && OptionsFile::isOn(lines[2]);
    return s;
}

QStringList ProxySettings::toLines() const
{
    return {address, port, OptionsFile::switchText(useBrowserDefaults)};
}
