#include "settings/personalpick.h"

#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "platform/webpane.h"
#include "service/pickercapture.h"
#include "service/serveraddress.h"
#include "settings/optionsfile.h"
#include "settings/stationpicker.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace PersonalPick {

namespace {

// The confirmation page is saved as soon as it has loaded; a click on "Salva ed esci"
// while it still loads, or right after, must not read the file before the save is done.
void waitForCapture(StationPicker &picker)
{
    const auto pending = [&picker] { return picker.browser().busy() || picker.capture().inFlight(); };
    if (!pending())
        return;
    QEventLoop loop;
    const auto check = [&loop, &pending] {
        if (!pending())
            loop.quit();
    };
    QObject::connect(&picker.capture(), &PickerCapture::captured, &loop, check);
    QObject::connect(&picker.browser(), &WebPane::progressChange, &loop, check, Qt::QueuedConnection);
    QTimer::singleShot(CaptureWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

QString confirmationTitle()
{
    return QStringLiteral("Radio personale - ") + QLatin1String(ServerAddress::SiteName);
}

TRadio fromCapture(const QStringList &lines)
{
    const auto line = [&lines](int number) {
        return number <= lines.size() ? lines[number - 1].left(OptionsFile::MaxTextLength) : QString();
    };
    TRadio radio;
    radio.Id = OptionsFile::decimal(line(39), 0);
    radio.Name = line(41);
    radio.Caption = line(43);
    return radio;
}

std::optional<TRadio> pickStation(StationPicker &picker, const QString &serverRoot, Dialogs &dialogs,
                                  QWidget *messageParent)
{
    const QString capturePath = picker.capture().filePath();
    // What an earlier pick left must not pass for this one's choice.
    QFile::remove(capturePath);
    picker.setLastTitle(QString());
    picker.browser().navigate(serverRoot + QLatin1String(PagePath));
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    if (picker.lastTitle() != confirmationTitle()) {
        dialogs.message(messageParent, QLatin1String(NothingChosenText));
        return std::nullopt;
    }
    waitForCapture(picker);
    QString reason;
    const std::optional<QStringList> lines = TextFile::readLines(capturePath, reason);
    if (!lines) {
        dialogs.error(messageParent, reason);
        return std::nullopt;
    }
    return fromCapture(*lines);
}

} // namespace PersonalPick
