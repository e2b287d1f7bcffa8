#include "windowrig.h"

#include "platform/textfile.h"
#include "service/cataloguecapture.h"

#include <QTest>

WindowRig::WindowRig(int startMirror, const QStringList &serverLines, const QString &tempFolder)
{
    if (!serverLines.isEmpty())
        TextFile::writeLines(settings.filePath(QStringLiteral("ServerSN.txt")), serverLines);
    random.draws = {startMirror - 1};
    services = PlatformServices{&panes, &dialogs, &shell, &random, &clock, &notices,
                                settings.path() + QLatin1Char('/'),
                                tempFolder.isNull() ? temp.path() + QLatin1Char('/') : tempFolder,
                                temp.filePath(QStringLiteral("RecordingFile")), autostartFolder(), &wallClock, &proxy, [this] { return workArea; }, &notifier};
    windows = std::make_unique<SintoniaWindows>(services);
}

void WindowRig::restart()
{
    windows.reset();
    windows = std::make_unique<SintoniaWindows>(services);
}

QWidget *WindowRig::window(const QString &name) const
{
    for (QWidget *w : windows->all()) {
        if (w->objectName() == name)
            return w;
    }
    return nullptr;
}

bool WindowRig::deliverCatalogue(const QByteArray &page)
{
    FakeWebPane *catalogue = pane("WebBrowser3");
    catalogue->setSaveResult(true, page);
    const int saves = catalogue->saves();
    catalogue->finishLoad(QStringLiteral("catalogue"));
    return catalogue->saves() == saves + 1
        && QTest::qWaitFor([this] { return !main()->catalogue().captureInFlight(); }, 5000);
}

QByteArray demoCatalogue(int list1, int list3, const QList<QByteArray> &trailer)
{
    QList<QByteArray> fields;
    for (int list : {1, 3}) {
        for (int r = 1; r <= 15; ++r) {
            const bool filled = r <= (list == 1 ? list1 : list3);
            const QByteArray id = QByteArray::number(list * 100 + r);
            fields << (filled ? "http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=" + id : QByteArray())
                   << (filled ? "Name " + id : QByteArray()) << (filled ? "Caption " + id : QByteArray())
                   << (filled ? "x" : QByteArray());
        }
    }
    fields += trailer;
    return fields.join("<BR>");
}
