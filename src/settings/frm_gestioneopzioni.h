#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

// The options dialog: borderless, black, 363 x 384, centred, with the pages "Opzioni di
// avvio", "Radio personali" and "Radio in PlayList" above "Esci senza salvare" and "Salva ed
// esci". It only holds the controls; what they do is the options' business.
class TFrm_GestioneOpzioni final : public QDialog
{
    Q_OBJECT

signals:
    // "Cambia" or "Cancella" on row `slot` of the personal stations.
    void changeClicked(int slot);
    void clearClicked(int slot);
    void SpeedButton1Click();

public:
    static constexpr int ClientWidth = 363;
    static constexpr int ClientHeight = 384;
    static constexpr int PersonalRows = 15;

    explicit TFrm_GestioneOpzioni(QWidget *parent = nullptr);

    QTabWidget *PageControl1() const { return m_pages; }
    QCheckBox *check(const char *name) const;
    QLabel *Lbl_NomeRadio() const { return m_nomeRadio; }
    // Lbl_Radio1 .. Lbl_Radio15.
    QLabel *stationLabel(int slot) const;
    // The check boxes carry the texts of their labels to assistive tools.
    void refreshAccessibleNames();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildStartPage(QWidget *page);
    void buildPersonalPage(QWidget *page);
    void buildTimetablePage(QWidget *page);
    void Chk_EsecuzioneRadioClick();

    QTabWidget *m_pages = nullptr;
    QLabel *m_nomeRadio = nullptr;
    QPushButton *m_speedButton = nullptr;
};
