#pragma once

#include <QRect>
#include <QWidget>

#include <functional>

class ClickableLabel;
class PaneFactory;
class Shell;
class WebPane;

// The search window "Ricerca con Google": a tool window of 392 x 40 without caption or
// taskbar entry, kept above the others, at the bottom right of the primary screen's work
// area. Only its handle Image1 (15 pixels, left) shows until the handle slides it out;
// WebBrowser1 holds the service's one-line search form, whose results open in the user's
// browser.
class TFrm_GoogleFinder final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 392;
    static constexpr int ClientHeight = 40;
    static constexpr int Collapsed = 17; // what shows of it when it is slid in

    struct Setup
    {
        std::function<QString()> serverRoot;
        std::function<QRect()> workArea;  // the primary screen's available area
        std::function<bool()> searchAtStart;
        Shell *shell = nullptr;
    };

    TFrm_GoogleFinder(PaneFactory &panes, Setup setup, QWidget *parent = nullptr);

    void Image1Click();
    // Shown exactly while the search-at-start switch is on.
    void applySwitch(bool on) { setVisible(on); }
    bool collapsed() const;
    WebPane &browser() const { return *m_browser; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    int rightEdge() const;
    void loadForm();

    Setup m_setup;
    ClickableLabel *m_handle = nullptr;
    WebPane *m_browser = nullptr;
    bool m_formLoaded = false;
};
