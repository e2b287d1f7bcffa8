#include "stationservice.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace StationService {

namespace {
QStringList hosts(const char *variable)
{
    QStringList list;
    const QStringList ports = qEnvironmentVariable(variable).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &port : ports)
        list.append(QStringLiteral("127.0.0.1:") + port.trimmed());
    return list;
}
} // namespace

bool available()
{
    return mirrorHosts().size() == 6 && siteHosts().size() == 4
        && !qEnvironmentVariableIsEmpty("SINTONIA_TEST_SERVICE_LOG");
}

QStringList mirrorHosts() { return hosts("SINTONIA_TEST_MIRROR_PORTS"); }
QStringList siteHosts() { return hosts("SINTONIA_TEST_SITE_PORTS"); }
QStringList serverFileLines() { return mirrorHosts() + siteHosts(); }

bool setFault(int mirror, const QString &mode)
{
    QNetworkAccessManager network;
    const QUrl url(QStringLiteral("http://%1/_control/fault?mirror=%2&mode=%3")
                       .arg(siteHosts().value(0)).arg(mirror).arg(mode));
    QNetworkRequest request(url);
    request.setTransferTimeout(5000);
    QNetworkReply *reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(6000, &loop, &QEventLoop::quit);
    loop.exec();
    const bool ok = reply->isFinished() && reply->error() == QNetworkReply::NoError;
    delete reply;
    return ok;
}

QStringList logLines(int fromLine)
{
    QFile file(qEnvironmentVariable("SINTONIA_TEST_SERVICE_LOG"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(fromLine);
}

int logLineCount() { return int(logLines().size()); }

QStringList requests(const QStringList &lines, int mirror, const QString &path)
{
    // time, port, endpoint name, method, target, status, note: tab-separated
    QStringList found;
    const QString port = mirrorHosts().value(mirror - 1).section(QLatin1Char(':'), 1);
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() >= 5 && fields[1] == port && fields[4].startsWith(path))
            found.append(line);
    }
    return found;
}

} // namespace StationService
