#include "service/serveraddress.h"

namespace ServerAddress {

QString access(const QString &root)
{
    return root + QStringLiteral("/radio/AccessoSintonia.asp?versione=") + QLatin1String(ClientVersion)
        + QStringLiteral("&Personalizzazione=") + QLatin1String(CustomisationNumber)
        + QStringLiteral("&Radio=") + QLatin1String(RadioCode);
}

QString catalogue(const QString &root)
{
    return root + QStringLiteral("/Radio/CaricaDati.asp?id=") + QLatin1String(CustomisationNumber)
        + QStringLiteral("&idRadio=") + QLatin1String(RadioCode);
}

QString banner(const QString &root)
{
    return root + QStringLiteral("/Radio/radio.asp?dettaglio=") + QLatin1String(CustomisationNumber)
        + QStringLiteral("&Radio=") + QLatin1String(RadioCode);
}

QString stationById(const QString &root, int stationId)
{
    return root + QStringLiteral("/Radio/mostraRadio.asp?Id=") + QString::number(stationId);
}

} // namespace ServerAddress
