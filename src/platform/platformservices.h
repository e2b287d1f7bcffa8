#pragma once

#include <QString>

class PaneFactory;
class Dialogs;
class Shell;
class RandomGenerator;
class Clock;

// What the windows need from the desktop, handed to them at creation. The real program
// passes the Linux implementations; tests pass fakes.
struct PlatformServices
{
    PaneFactory *panes = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    RandomGenerator *random = nullptr;
    Clock *clock = nullptr;
    QString settingsFolder; // with a trailing "/"
    QString tempFolder;     // with a trailing "/"
};
