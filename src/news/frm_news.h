#pragma once

#include <QWidget>

class PaneFactory;
class QPushButton;
class WebPane;

// The news ticker: a borderless tool window of 250 x 200 kept above the others, without a
// taskbar entry, with "Nascondi" (SpeedButton1) over its browser WebBrowser1. Its tag is
// the category on show; it remembers the last page title it acted on.
class TFrm_News final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 250;
    static constexpr int ClientHeight = 200;

    explicit TFrm_News(PaneFactory &panes, QWidget *parent = nullptr);

    WebPane &browser() const { return *m_browser; }
    QPushButton *SpeedButton1() const { return m_hide; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    QString lastTitle() const { return m_lastTitle; }
    void setLastTitle(const QString &title) { m_lastTitle = title; }

private:
    WebPane *m_browser = nullptr;
    QPushButton *m_hide = nullptr;
    int m_tag = 0;
    QString m_lastTitle;
};
