#pragma once

#include <QDialog>

class Dialogs;
class PaneFactory;
class PickerCapture;
class WebPane;

// A window that shows the station service's search page, where the user chooses a station
// (544 x 390, centred): the browser WebBrowser1 above a black bar with "Esci senza salvare"
// (BitBtn1) and "Salva ed esci" (BitBtn2). It remembers the title of the last page its
// browser reported and saves every page it finishes loading as "tmp2SN.txt".
class StationPicker : public QDialog
{
    Q_OBJECT

public:
    StationPicker(const QString &name, const QString &caption, PaneFactory &panes, Dialogs &dialogs,
                  const QString &tempFolder, QWidget *parent = nullptr);
    ~StationPicker() override;

    WebPane &browser() const { return *m_browser; }
    PickerCapture &capture() const { return *m_capture; }
    QString lastTitle() const { return m_lastTitle; }
    void setLastTitle(const QString &title) { m_lastTitle = title; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void WebBrowser1TitleChange(const QString &text);

    WebPane *m_browser = nullptr;
    PickerCapture *m_capture = nullptr;
    QString m_lastTitle;
};
