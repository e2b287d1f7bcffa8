#pragma once

#include <QRect>
#include <QString>

#include <functional>

class PaneFactory;
class Dialogs;
class Shell;
class RandomGenerator;
class Clock;
class WallClock;
class NoticeSink;
class ProxyControl;
class DesktopNotifier;
class MediaRemote;

// What the windows need from the desktop, handed to them at creation. The real program
// passes the Linux implementations; tests pass fakes.
struct PlatformServices
{
    PaneFactory *panes = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    RandomGenerator *random = nullptr;
    Clock *clock = nullptr;
    NoticeSink *notices = nullptr; // where the now-playing notice goes
    QString settingsFolder; // with a trailing "/"
    QString tempFolder;     // with a trailing "/"
    QString recordingFolder; // empty: ~/Sintonia/RecordingFile
    QString autostartFolder; // empty: the desktop's autostart folder
    WallClock *wallClock = nullptr; // the time of day the timetable follows
    ProxyControl *proxy = nullptr;
    std::function<QRect()> workArea; // empty: the primary screen's available area
    DesktopNotifier *notifier = nullptr; // none: no notifications
    MediaRemote *media = nullptr; // the desktop's media controls; none: not offered
};
