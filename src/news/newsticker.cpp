#include "news/newsticker.h"

#include "news/frm_gestionenews.h"
#include "news/frm_news.h"
#include "news/newsfile.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "platform/webpane.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace {

enum Direction { Idle = 0, In = 1, Out = 2 };

} // namespace

NewsTicker::NewsTicker(TFrm_News *ticker, TFrm_GestioneNews *settings, Setup setup, QObject *parent)
    : QObject(parent)
    , m_ticker(ticker)
    , m_settings(settings)
    , m_setup(std::move(setup))
{
    connect(settings, &TFrm_GestioneNews::categoryClicked, this, &NewsTicker::CategoryClick);
    connect(settings, &TFrm_GestioneNews::SpeedButton16Click, this, &NewsTicker::SpeedButton16Click);
    connect(&settings->Timer1(), &QTimer::timeout, this, &NewsTicker::Timer1Timer);
    connect(&ticker->browser(), &WebPane::titleChange, this, &NewsTicker::WebBrowser1TitleChange);
    connect(ticker->SpeedButton1(), &QPushButton::clicked, this, &NewsTicker::NascondiClick);
}

QString NewsTicker::filePath() const
{
    return m_setup.settingsFolder + QLatin1String(NewsFile::FileName);
}

QPoint NewsTicker::restingPlace() const
{
    const QRect area = m_setup.workArea();
    return {area.x() + area.width() - TFrm_News::ClientWidth, area.y() + area.height() - TFrm_News::ClientHeight};
}

QPoint NewsTicker::hiddenPlace() const
{
    const QRect area = m_setup.workArea();
    return {area.x() + area.width(), restingPlace().y()};
}

void NewsTicker::Restore()
{
    NewsFile file;
    if (QFile::exists(filePath())) {
        QString failure;
        if (const std::optional<QStringList> lines = TextFile::readLines(filePath(), failure))
            file = NewsFile::fromLines(*lines);
        else
            m_setup.dialogs->error(m_settings, failure);
    }
    m_seconds = file.seconds;
    m_settings->Edit1()->setText(QString::number(m_seconds));
    if (file.categoryText != QLatin1String("0") && !file.categoryText.isEmpty())
        showCategory(file.categoryText, m_seconds);
    m_ticker->setTag(file.category());
    m_settings->markCategory(file.category());
}

void NewsTicker::showCategory(const QString &categoryText, int seconds)
{
    // The category goes into the address as a value of its own, whatever the file held.
    const QString category = QString::fromLatin1(QUrl::toPercentEncoding(categoryText));
    m_feedAddress = m_setup.serverRoot() + QStringLiteral("/Radio/RssSintonia.asp?IdNotizia=") + category;
    m_pageAddress = m_feedAddress + QStringLiteral("&TempoRitardo=") + QString::number(seconds);
    m_ticker->browser().navigate(m_pageAddress);
    m_ticker->setTag(NewsFile{categoryText, seconds}.category());
    // It waits beyond the right edge until its page reports a title.
    m_ticker->move(hiddenPlace());
    m_ticker->show();
}

void NewsTicker::CategoryClick(int category)
{
    m_settings->markCategory(0);
    if (m_ticker->isVisible() && m_ticker->tag() == category) {
        m_ticker->hide();
        m_ticker->setTag(0);
        return;
    }
    m_settings->markCategory(category);
    showCategory(QString::number(category), NewsFile::secondsFrom(m_settings->Edit1()->text()));
}

void NewsTicker::SpeedButton16Click()
{
    const int typed = NewsFile::secondsFrom(m_settings->Edit1()->text());
    if (typed != m_seconds
        && m_setup.dialogs->question(m_settings, QStringLiteral("Conferma"),
                                     QString::fromUtf8("Si è deciso di modificare il tempo di visualizzazione delle "
                                                       "news. Confermare?"))) {
        m_seconds = typed;
        // Without a category shown in this run there is no page to load again.
        if (!m_feedAddress.isEmpty()) {
            m_pageAddress = m_feedAddress + QStringLiteral("&TempoRitardo=") + QString::number(typed);
            m_ticker->browser().navigate(m_pageAddress);
        }
    }
    const QString failure = TextFile::writeLines(filePath(), NewsFile::toLines(m_ticker->tag(), m_seconds));
    if (!failure.isEmpty()) {
        m_setup.dialogs->error(m_settings, failure);
        return;
    }
    m_settings->close();
}

void NewsTicker::WebBrowser1TitleChange(const QString &title)
{
    if (title == m_ticker->lastTitle() || title.toUpper() == m_pageAddress.toUpper())
        return;
    m_ticker->setLastTitle(title);
    slide(title.toUpper() == QLatin1String("NO") ? Out : In);
}

void NewsTicker::NascondiClick()
{
    slide(Out);
}

void NewsTicker::slide(int direction)
{
    m_settings->setTimerTag(direction);
    m_settings->Timer1().start();
}

void NewsTicker::Timer1Timer()
{
    const QRect area = m_setup.workArea();
    const int right = area.x() + area.width();
    const int left = m_ticker->x();
    if (m_settings->timerTag() == In && left > right - TFrm_News::ClientWidth) {
        m_ticker->move(left - 1, restingPlace().y());
        return;
    }
    if (m_settings->timerTag() == Out && left < right) {
        m_ticker->move(left + 1, restingPlace().y());
        return;
    }
    m_settings->setTimerTag(Idle);
    m_settings->Timer1().stop();
}
