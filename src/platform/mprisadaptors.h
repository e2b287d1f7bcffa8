#pragma once

#include "platform/mprisservice.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>

// org.mpris.MediaPlayer2: the program itself.
class MprisRootAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ attached)
    Q_PROPERTY(bool CanRaise READ attached)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)

public:
    explicit MprisRootAdaptor(MprisService *parent) : QDBusAbstractAdaptor(parent), m_service(parent) {}
    bool attached() const { return m_service->attached(); }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Sintonia"); }
    // The installed desktop entry, org.sintonia.Sintonia.desktop, without its suffix.
    QString desktopEntry() const { return QStringLiteral("org.sintonia.Sintonia"); }
    QStringList none() const { return {}; }

public slots:
    void Raise() { m_service->request(Media::Command::Raise); }
    void Quit() { m_service->request(Media::Command::Quit); }

private:
    MprisService *m_service;
};

// org.mpris.MediaPlayer2.Player: the station in the listening pane. A live station has no
// position to seek to and no rate or volume of its own.
class MprisPlayerAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ attached)

public:
    explicit MprisPlayerAdaptor(MprisService *parent) : QDBusAbstractAdaptor(parent), m_service(parent) {}
    QString playbackStatus() const { return m_service->playbackStatus(); }
    QVariantMap metadata() const { return m_service->metadata(); }
    double one() const { return 1.0; }
    qlonglong position() const { return 0; }
    bool no() const { return false; }
    bool attached() const { return m_service->attached(); }
    bool canGoNext() const { return attached() && m_service->state().canGoNext; }
    bool canGoPrevious() const { return attached() && m_service->state().canGoPrevious; }
    bool canPlay() const { return attached() && m_service->state().canPlay; }
    bool canPause() const { return attached() && m_service->state().canPause; }

public slots:
    void Play() { m_service->request(Media::Command::Play); }
    void Pause() { m_service->request(Media::Command::Pause); }
    void PlayPause() { m_service->request(Media::Command::PlayPause); }
    void Stop() { m_service->request(Media::Command::Stop); }
    void Next() { m_service->requestStep(1); }
    void Previous() { m_service->requestStep(-1); }
    // Nothing to seek in a live station.
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath &, qlonglong) {}

private:
    MprisService *m_service;
};
