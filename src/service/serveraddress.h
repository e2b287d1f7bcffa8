#pragma once

#include <QString>

// The pages of the station service, each the current mirror's root followed by a fixed
// path. Query values are inserted as they are, without escaping.
namespace ServerAddress {

inline constexpr char ClientVersion[] = "4.5";
inline constexpr char CustomisationNumber[] = "25"; // 0 would mark the generic edition
inline constexpr int CustomisationValue = 25;
inline constexpr char RadioCode[] = "0";
// The name of the service's web site, as its pages give it in their titles.
inline constexpr char SiteName[] = "Ventaglio.com";

QString access(const QString &root);
QString catalogue(const QString &root);
QString banner(const QString &root);
QString stationById(const QString &root, int stationId);

} // namespace ServerAddress
