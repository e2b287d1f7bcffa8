#pragma once

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPushButton;

// The news settings window "Gestione news" (331 x 339, white, centred): the fifteen
// categories as small buttons with their labels, the display time in Edit1, "Chiudi"
// (SpeedButton16), and the ticker's slide timer Timer1 (5 ms; its tag is the direction).
class TFrm_GestioneNews final : public QDialog
{
    Q_OBJECT

signals:
    void categoryClicked(int category);
    void SpeedButton16Click();

public:
    static constexpr int Categories = 15;

    explicit TFrm_GestioneNews(QWidget *parent = nullptr);

    // The button of row `row` (1..15); its tag is its category id.
    QPushButton *categoryButton(int row) const;
    // Marks the button whose tag is `category` and no other; 0 marks none.
    void markCategory(int category);
    int markedCategory() const;
    QLineEdit *Edit1() const { return m_edit; }
    QTimer &Timer1() { return m_timer; }
    int timerTag() const { return m_timerTag; }
    void setTimerTag(int tag) { m_timerTag = tag; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
    QTimer m_timer;
    int m_timerTag = 0;
};
