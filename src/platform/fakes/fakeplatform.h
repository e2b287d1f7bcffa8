#pragma once

#include "platform/clock.h"
#include "platform/desktopnotifier.h"
#include "platform/dialogs.h"
#include "platform/noticesink.h"
#include "platform/proxycontrol.h"
#include "platform/randomgenerator.h"
#include "platform/shell.h"

#include <QList>
#include <QStringList>

// Answers given in advance; every box shown is recorded.
class ScriptedDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &text) override { shown.append(text); }
    void error(QWidget *, const QString &text) override { errors.append(text); }
    bool question(QWidget *, const QString &, const QString &text) override;
    bool input(QWidget *, const QString &, const QString &prompt, QString &value) override;

    QList<bool> questionAnswers;   // taken from the front; No when empty
    QList<QString> inputAnswers;   // taken from the front; a null text cancels; cancel when empty
    QStringList shown;
    QStringList errors;
    QStringList questions;
    QStringList prompts;
};

class RecordingShell final : public Shell
{
public:
    bool open(const QString &target) override
    {
        opened.append(target);
        return true;
    }
    QStringList opened;
};

// Draws taken from the front of the list; 0 when it is empty.
class ScriptedRandom final : public RandomGenerator
{
public:
    void seedFromClock() override { ++seeds; }
    int draw(int n) override;
    QList<int> draws;
    int seeds = 0;
};

class FakeClock final : public Clock
{
public:
    qint64 nowMs() const override { return now; }
    qint64 now = 1'000'000;
};

class FakeWallClock final : public WallClock
{
public:
    QDateTime localNow() const override { return now; }
    QDateTime now{QDate(2026, 12, 10), QTime(8, 0)};
};

// Keeps every notice record delivered.
class RecordingNotices final : public NoticeSink
{
public:
    void deliver(const QByteArray &record) override { records.append(record); }
    QList<QByteArray> records;
};

// Keeps every proxy setting asked for: "proxy host:port", "direct".
class RecordingProxy final : public ProxyControl
{
public:
    bool ApplyProxy(bool useProxy, const QString &address, const QString &port) override
    {
        applied.append(useProxy ? QStringLiteral("proxy ") + address + QLatin1Char(':') + port : QStringLiteral("direct"));
        return true;
    }
    QStringList applied;
};

// Keeps every notification: "summary | body".
class RecordingNotifier final : public DesktopNotifier
{
public:
    void notify(const QString &summary, const QString &body) override { shown.append(summary + QStringLiteral(" | ") + body); }
    QStringList shown;
};
