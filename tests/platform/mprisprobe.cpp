#include "mprisprobe.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QTest>

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
} // namespace

QVariantMap plainMap(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

MprisProbe::MprisProbe(const QString &service, const QDBusConnection &bus)
    : QDBusAbstractInterface(service, ObjectPath, "org.freedesktop.DBus.Properties", bus, nullptr)
    , m_player(service)
{
    setTimeout(ReplyTimeoutMs);
    connect(this, &MprisProbe::PropertiesChanged, this,
            [this](const QString &interface, const QVariantMap &changed, const QStringList &) {
                QVariantMap plain = changed;
                if (plain.contains(QStringLiteral("Metadata")))
                    plain[QStringLiteral("Metadata")] = plainMap(plain.value(QStringLiteral("Metadata")));
                m_changes.append({interface, plain});
            });
}

QDBusMessage MprisProbe::message(const QString &interface, const QString &method, const QVariantList &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_player, ObjectPath, interface, method);
    message.setArguments(arguments);
    return message;
}

QVariant MprisProbe::get(const QString &name, const QString &interface) const
{
    const QDBusMessage reply = connection().call(message(PropertiesInterface, QStringLiteral("Get"), {interface, name}),
                                                 QDBus::Block, ReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

QVariantMap MprisProbe::metadata() const
{
    return plainMap(get(QStringLiteral("Metadata")));
}

QDBusMessage MprisProbe::call(const QString &method, const QVariantList &arguments, const QString &interface) const
{
    return connection().call(message(interface, method, arguments), QDBus::Block, ReplyTimeoutMs);
}

bool MprisProbe::send(const QString &method, const QVariantList &arguments, const QString &interface) const
{
    QDBusMessage call = message(interface, method, arguments);
    call.setAutoStartService(false);
    return connection().send(call); // a call sent this way asks for no reply
}

QDBusMessage MprisProbe::setProperty(const QString &interface, const QString &name, const QVariant &value) const
{
    return connection().call(message(PropertiesInterface, QStringLiteral("Set"),
                                     {interface, name, QVariant::fromValue(QDBusVariant(value))}),
                             QDBus::Block, ReplyTimeoutMs);
}

QList<QVariantMap> MprisProbe::changes(const QString &interface) const
{
    QList<QVariantMap> result;
    for (const auto &[changedInterface, changed] : m_changes) {
        if (changedInterface == interface)
            result.append(changed);
    }
    return result;
}

QVariant MprisProbe::lastChange(const QString &name, const QString &interface) const
{
    QVariant last;
    for (const QVariantMap &changed : changes(interface)) {
        if (changed.contains(name))
            last = changed.value(name);
    }
    return last;
}

bool MprisProbe::waitUntilListening(int timeoutMs)
{
    // The match rule goes out with the first connection to the signal; a round trip to
    // the bus daemon after it means the daemon has it.
    return QTest::qWaitFor([this] { return connection().interface()->isServiceRegistered(m_player).isValid(); },
                           timeoutMs);
}
