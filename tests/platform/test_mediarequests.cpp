// The queue that carries the desktop's requests from the bus thread to the window: order
// kept, repeats and steps folded, a flood bounded, and the window told once per batch.
#include "platform/mediarequests.h"

#include <QTest>

namespace {

using Request = MediaRequests::Request;

Request command(Media::Command c)
{
    return {false, c, 0};
}

Request steps(int n)
{
    return {true, Media::Command::Play, n};
}

} // namespace

Q_DECLARE_METATYPE(QList<Request>)

class TestMediaRequests : public QObject
{
    Q_OBJECT

private slots:
    void requestsQueue_data()
    {
        QTest::addColumn<QList<Request>>("pushed");
        QTest::addColumn<QList<bool>>("tell");   // what each push returns
        QTest::addColumn<QList<Request>>("taken");
        using C = Media::Command;
        QTest::newRow("one command") << QList<Request>{command(C::Play)} << QList<bool>{true}
                                     << QList<Request>{command(C::Play)};
        QTest::newRow("steps add up") << QList<Request>{steps(1), steps(1), steps(-3), steps(1)}
                                      << QList<bool>{true, false, false, false} << QList<Request>{steps(0)};
        QTest::newRow("order kept") << QList<Request>{steps(1), command(C::Pause), steps(1), command(C::Play)}
                                    << QList<bool>{true, false, false, false}
                                    << QList<Request>{steps(1), command(C::Pause), steps(1), command(C::Play)};
        QTest::newRow("a repeated command once") << QList<Request>{command(C::Stop), command(C::Stop), command(C::Raise)}
                                                 << QList<bool>{true, false, false}
                                                 << QList<Request>{command(C::Stop), command(C::Raise)};
        QTest::newRow("toggles kept") << QList<Request>{command(C::PlayPause), command(C::PlayPause)}
                                      << QList<bool>{true, false}
                                      << QList<Request>{command(C::PlayPause), command(C::PlayPause)};
        QTest::newRow("steps bounded") << QList<Request>{steps(70), steps(70), steps(70)}
                                       << QList<bool>{true, false, false}
                                       << QList<Request>{steps(MediaRequests::MaxSteps)};
        QTest::newRow("steps bounded back") << QList<Request>{steps(-1000)} << QList<bool>{true}
                                            << QList<Request>{steps(-MediaRequests::MaxSteps)};
        QList<Request> many;
        QList<bool> tell;
        QList<Request> kept;
        for (int i = 0; i < 40; ++i) {
            const Request r = i % 2 ? command(C::Play) : command(C::Pause);
            many.append(r);
            tell.append(i == 0);
            if (i < MediaRequests::Capacity)
                kept.append(r);
        }
        QTest::newRow("no more than the capacity waits") << many << tell << kept;
    }

    void requestsQueue()
    {
        QFETCH(QList<Request>, pushed);
        QFETCH(QList<bool>, tell);
        QFETCH(QList<Request>, taken);
        MediaRequests queue;
        for (int i = 0; i < pushed.size(); ++i) {
            const Request &r = pushed[i];
            QCOMPARE(r.isStep ? queue.pushStep(r.steps) : queue.push(r.command), tell[i]);
        }
        QCOMPARE(queue.take(), taken);
        QVERIFY(queue.take().isEmpty());
        QVERIFY(queue.push(Media::Command::Stop)); // empty again: the next one tells
    }
};

QTEST_GUILESS_MAIN(TestMediaRequests)
#include "test_mediarequests.moc"
