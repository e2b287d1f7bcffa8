#pragma once

#include <QString>

#include <array>

// The hosts the program talks to: the six mirrors of the station service and the four
// web sites. Read once at start from "ServerSN.txt" in the settings folder, one
// host[:port] per line; a missing or unusable line keeps its built-in default.
struct Endpoints
{
    static constexpr int MirrorCount = 6;
    static constexpr int MaxLineLength = 50;

    std::array<QString, MirrorCount> mirrors; // mirror n at index n - 1
    QString productSite;
    QString mainSite;
    QString secondSite;
    QString sisterSite;

    static Endpoints defaults();
    // Lines 1..10 of the file, each a host[:port] text.
    static Endpoints fromLines(const QStringList &lines);
    static Endpoints fromFile(const QString &path);

    // A host name or IPv4 address, optionally followed by ":" and a port 1..65535, at most
    // MaxLineLength characters.
    static bool isUsableHost(const QString &line);
};

inline constexpr char EndpointsFileName[] = "ServerSN.txt";
