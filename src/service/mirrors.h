#pragma once

#include "service/endpoints.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

class Clock;
class RandomGenerator;
class WebPane;
class QWidget;

// The mirror in use, the access handshake with the station service and the two rules
// that move to the next mirror when a server page fails. Every server address is built
// from ServerRoot() at the moment it is used, so a move applies to all later requests.
class Mirrors final : public QObject
{
    Q_OBJECT

signals:
    // Emitted by RequestCatalogue before the catalogue pane navigates: whoever keeps the
    // catalogue empties its store.
    void catalogueRequested();

public:
    // Attempts of one failover on one mirror are at least this far apart, so that a
    // round over six dead mirrors does not spin.
    static constexpr qint64 MinAttemptIntervalMs = 1000;

    Mirrors(const Endpoints &endpoints, RandomGenerator &random, Clock &clock, QObject *parent = nullptr);

    // The panes this part drives and watches, and the widget under which the lamps live.
    void attach(QWidget *lampRoot, WebPane *wbPrincipale, WebPane *webBrowser3, WebPane *webBrowser2);

    void ChooseMirror();
    void StartAccess();
    void RequestCatalogue();

    QString ServerRoot() const;
    int MirrorIndex() const { return m_mirrorIndex; }
    int MirrorCount() const { return m_mirrorCount; }
    QString AccessTitle() const { return m_accessTitle; }
    const Endpoints &endpoints() const { return m_endpoints; }

    void WB_PrincipaleTitleChange(const QString &text);
    void WB_PrincipaleProgressChange(int progress, int progressMax);
    void WebBrowser2TitleChange(const QString &text);

private:
    // Runs one failover's attempts: at once when the mirror was last tried long enough
    // ago, otherwise when that time has come (a later attempt replaces a waiting one).
    class Pacer
    {
    public:
        Pacer(Clock &clock, std::function<void()> attempt);
        void request(int mirror);

    private:
        void attemptNow(int mirror);

        Clock &m_clock;
        std::function<void()> m_attempt;
        std::array<qint64, Endpoints::MirrorCount + 1> m_lastAttemptMs;
        QTimer m_retry;
        int m_waitingMirror = 0;
    };

    void moveLamp(int from, int to);
    bool bannerFailed(const QString &title) const;

    Endpoints m_endpoints;
    RandomGenerator &m_random;
    QWidget *m_lampRoot = nullptr;
    WebPane *m_home = nullptr;
    WebPane *m_catalogue = nullptr;
    WebPane *m_banner = nullptr;
    std::array<QString, Endpoints::MirrorCount> m_mirrorHost;
    int m_mirrorCount = Endpoints::MirrorCount;
    int m_mirrorIndex = 1;
    QString m_accessTitle;
    Pacer m_access;
    Pacer m_bannerFailover;
};
