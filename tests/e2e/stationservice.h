#pragma once

// The local station service that scripts/test-session.sh starts for the end-to-end tests:
// its ports, its fault switches and its request log.
#include <QString>
#include <QStringList>

namespace StationService {

// False when the tests run outside the test session (no service was started for them).
bool available();
QStringList mirrorHosts(); // "127.0.0.1:port" of mirrors 1..6
QStringList siteHosts();   // product, main, second, sister site
// The ten lines of a ServerSN.txt that points the program at the service.
QStringList serverFileLines();
// Switches the fault of mirror n ("none", "refuse", "title", "slow"); true when the
// service confirmed it.
bool setFault(int mirror, const QString &mode);
// The request log lines written since `fromLine`.
QStringList logLines(int fromLine = 0);
int logLineCount();
// Log lines of requests to mirror n whose path starts with `path`.
QStringList requests(const QStringList &lines, int mirror, const QString &path);

} // namespace StationService
