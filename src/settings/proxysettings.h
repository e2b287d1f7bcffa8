#pragma once

#include <QString>
#include <QStringList>

// The proxy the user gave, kept in "PrxSN.txt": address, port, and with no proxy given
// whether to leave the desktop's own settings in force ("SI") or connect directly.
struct ProxySettings
{
    static constexpr char FileName[] = "PrxSN.txt";
    static constexpr int MaxTextLength = 1000;

    QString address;
    QString port;
    bool useBrowserDefaults = true;

    // What the program does with them.
    enum class Outcome { Proxy, Direct, Untouched };
    Outcome outcome() const;

    // A missing line 3 turns the desktop's settings off.
    static ProxySettings fromLines(const QStringList &lines);
    QStringList toLines() const;
};
