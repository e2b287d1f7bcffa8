#include "service/endpoints.h"

#include "platform/textfile.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

QString loopback(int port)
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

} // namespace

Endpoints Endpoints::defaults()
{
    Endpoints e;
    for (int n = 0; n < MirrorCount; ++n)
        e.mirrors[static_cast<size_t>(n)] = loopback(47801 + n);
    e.productSite = loopback(47810);
    e.mainSite = loopback(47811);
    e.secondSite = loopback(47812);
    e.sisterSite = loopback(47813);
    return e;
}

bool Endpoints::isUsableHost(const QString &line)
{
    if (line.isEmpty() || line.size() > MaxLineLength)
        return false;
    static const QRegularExpression pattern(QStringLiteral(
        "^[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)*"
        "(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    if (match.hasCaptured(1)) {
        const int port = match.captured(1).toInt();
        if (port < 1 || port > 65535)
            return false;
    }
    return true;
}

Endpoints Endpoints::fromLines(const QStringList &lines)
{
    Endpoints e = defaults();
    const auto take = [&lines](int lineNumber, QString &target) {
        if (lineNumber <= lines.size()) {
            const QString value = lines.at(lineNumber - 1).trimmed();
            if (isUsableHost(value))
                target = value;
        }
    };
    for (int n = 0; n < MirrorCount; ++n)
        take(n + 1, e.mirrors[static_cast<size_t>(n)]);
    take(7, e.productSite);
    take(8, e.mainSite);
    take(9, e.secondSite);
    take(10, e.sisterSite);
    return e;
}

Endpoints Endpoints::fromFile(const QString &path)
{
    // Ten short lines; anything beyond the first few kilobytes is not ours.
    const auto lines = TextFile::readLines(path, 4096);
    return lines ? fromLines(*lines) : defaults();
}
