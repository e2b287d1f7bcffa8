#pragma once

#include <QByteArray>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The media-player object on the session bus; it lives in the notice thread.
class MprisService final : public QObject
{
    Q_OBJECT

public:
    MprisService();
    void start();
    void apply(const QByteArray &record);
    void stop();

    QString playbackStatus() const { return m_status; }
    QVariantMap metadata() const { return m_metadata; }

private:
    QDBusConnection m_bus;
    QString m_status = QStringLiteral("Stopped");
    QVariantMap m_metadata;
    bool m_registered = false;
};

class MprisRootAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ no)
    Q_PROPERTY(bool CanRaise READ no)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)

public:
    explicit MprisRootAdaptor(MprisService *parent) : QDBusAbstractAdaptor(parent) {}
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Sintonia"); }
    QStringList none() const { return {}; }

public slots:
    void Raise() {}
    void Quit() {}
};

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
    Q_PROPERTY(bool CanGoNext READ no)
    Q_PROPERTY(bool CanGoPrevious READ no)
    Q_PROPERTY(bool CanPlay READ no)
    Q_PROPERTY(bool CanPause READ no)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ no)

public:
    explicit MprisPlayerAdaptor(MprisService *parent) : QDBusAbstractAdaptor(parent), m_service(parent) {}
    QString playbackStatus() const { return m_service->playbackStatus(); }
    QVariantMap metadata() const { return m_service->metadata(); }
    double one() const { return 1.0; }
    qlonglong position() const { return 0; }
    bool no() const { return false; }

public slots:
    // The station plays in its page; the desktop's controls have nothing to drive.
    void Play() {}
    void Pause() {}
    void PlayPause() {}
    void Stop() {}
    void Next() {}
    void Previous() {}

private:
    MprisService *m_service;
};
