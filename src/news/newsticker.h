#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class Dialogs;
class TFrm_GestioneNews;
class TFrm_News;

// What the news ticker and its settings window do: the category on show, its page on the
// station service, the slide in and out at the bottom right of the screen, and
// "NewsSN.txt".
class NewsTicker final : public QObject
{
    Q_OBJECT

public:
    struct Setup
    {
        QString settingsFolder;                 // with a trailing "/"
        std::function<QString()> serverRoot;
        std::function<QRect()> workArea;         // the primary screen's available area
        Dialogs *dialogs = nullptr;
    };

    NewsTicker(TFrm_News *ticker, TFrm_GestioneNews *settings, Setup setup, QObject *parent = nullptr);

    // The settings window's creation: the ticker as the file left it.
    void Restore();
    void CategoryClick(int category);
    void SpeedButton16Click(); // "Chiudi"
    void WebBrowser1TitleChange(const QString &title);
    void NascondiClick();
    void Timer1Timer();

    // Where the ticker rests and where it hides, just beyond the right edge.
    QPoint restingPlace() const;
    QPoint hiddenPlace() const;
    QString newsPageAddress() const { return m_pageAddress; }
    int storedSeconds() const { return m_seconds; }
    QString filePath() const;

private:
    void showCategory(const QString &categoryText, int seconds);
    void slide(int direction);

    TFrm_News *m_ticker;
    TFrm_GestioneNews *m_settings;
    Setup m_setup;
    int m_seconds = 30;
    QString m_feedAddress;
    QString m_pageAddress;
};
