#pragma once

// A desktop media widget in miniature: reads the player's properties, calls its methods
// and keeps every PropertiesChanged it hears.
#include <QDBusAbstractInterface>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QVariantMap>

class MprisProbe final : public QDBusAbstractInterface
{
    Q_OBJECT

signals:
    void PropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);

public:
    static constexpr char RootInterface[] = "org.mpris.MediaPlayer2";
    static constexpr char PlayerInterface[] = "org.mpris.MediaPlayer2.Player";
    static constexpr int ReplyTimeoutMs = 5000;

    explicit MprisProbe(const QString &service, const QDBusConnection &bus = QDBusConnection::sessionBus());

    // A property of the player interface (or `interface`); invalid when the call fails.
    QVariant get(const QString &name, const QString &interface = QLatin1String(PlayerInterface)) const;
    QVariantMap metadata() const;
    QString status() const { return get(QStringLiteral("PlaybackStatus")).toString(); }
    // A method of the player interface (or `interface`), waiting for the reply.
    QDBusMessage call(const QString &method, const QVariantList &arguments = {},
                      const QString &interface = QLatin1String(PlayerInterface)) const;
    // The same without waiting for, or asking for, a reply.
    bool send(const QString &method, const QVariantList &arguments = {},
              const QString &interface = QLatin1String(PlayerInterface)) const;
    QDBusMessage setProperty(const QString &interface, const QString &name, const QVariant &value) const;

    // The changes heard for `interface`, each with its nested maps made plain.
    QList<QVariantMap> changes(const QString &interface = QLatin1String(PlayerInterface)) const;
    // The last value heard for a property, or invalid.
    QVariant lastChange(const QString &name, const QString &interface = QLatin1String(PlayerInterface)) const;
    // Waits until the probe's subscription has reached the bus (a change can be missed before).
    bool waitUntilListening(int timeoutMs = 10000);

private:
    QDBusMessage message(const QString &interface, const QString &method, const QVariantList &arguments) const;

    QString m_player;
    QList<std::pair<QString, QVariantMap>> m_changes;
};

// Nested maps arrive as marshalled arguments.
QVariantMap plainMap(const QVariant &value);
