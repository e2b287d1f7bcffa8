#include "settings/frm_gestioneopzioni.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QWidget *page(QTabWidget *pages, const QString &name, const QString &caption)
{
    auto *p = new QWidget;
    p->setObjectName(name);
    pages->addTab(p, caption);
    return p;
}

} // namespace

TFrm_GestioneOpzioni::TFrm_GestioneOpzioni(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GestioneOpzioni"));
    setWindowTitle(QStringLiteral("Opzioni Sintonia"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    auto *layout = new QGridLayout(this);
    auto *pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(pages, 0, 0, 1, 2);
    layout->addWidget(button(this, QStringLiteral("BitBtn1"), QStringLiteral("Esci senza salvare")), 1, 0);
    layout->addWidget(button(this, QStringLiteral("BitBtn2"), QStringLiteral("Salva ed esci")), 1, 1);

    // Start-up options.
    QWidget *start = page(pages, QStringLiteral("TabSheet1"), QStringLiteral("Opzioni di avvio"));
    auto *startGrid = new QGridLayout(start);
    const struct { const char *check; const char *label; const char *text; } switches[] = {
        {"Chk_AvvioAutomatico", "Lbl_AvvioAutomatico", "Esecuzione automatica \"avvia in automatico il software Sintonia\""},
        {"Chk_EsecuzioneRadio", "Lbl_EsecuzioneRadio", "Esegui la mia radio preferita in automatico"},
        {"Chk_Google", "Lbl_Google", "Visualizza Googlesearch all'avvio"},
        {"Chk_Msn", "Lbl_Msn", "Attiva plug-in per la musica di MSN Messenger"},
    };
    int row = 0;
    for (const auto &s : switches) {
        auto *check = new QCheckBox(start);
        check->setObjectName(QLatin1String(s.check));
        QLabel *text = label(start, QLatin1String(s.label), QString::fromUtf8(s.text));
        text->setBuddy(check);
        check->setAccessibleName(text->text());
        startGrid->addWidget(check, row, 0);
        startGrid->addWidget(text, row, 1);
        ++row;
    }
    startGrid->addWidget(label(start, QStringLiteral("Lbl_NomeRadio"), QString()), row, 1);
    startGrid->addWidget(button(start, QStringLiteral("SpeedButton1"), QStringLiteral("Cambia")), row, 0);

    // Personal stations: "Cambia" and "Cancella" for the slots shown on the page.
    QWidget *personal = page(pages, QStringLiteral("TabSheet2"), QStringLiteral("Radio Personali"));
    auto *personalGrid = new QGridLayout(personal);
    for (int n = 0; n < 5; ++n) {
        personalGrid->addWidget(button(personal, QStringLiteral("BitBtn%1").arg(3 + n), QStringLiteral("Cambia")), n, 0);
        personalGrid->addWidget(button(personal, QStringLiteral("BitBtn%1").arg(8 + n), QStringLiteral("Cancella")), n, 1);
    }

    // Timetable.
    QWidget *timetable = page(pages, QStringLiteral("TabSheet3"), QStringLiteral("Radio in Playlist"));
    auto *timetableGrid = new QGridLayout(timetable);
    auto *timerSwitch = new QCheckBox(timetable);
    timerSwitch->setObjectName(QStringLiteral("Chk_Emittenti"));
    QLabel *timerLabel = label(timetable, QStringLiteral("Lbl_Emittenti"), QStringLiteral("Attiva timer"));
    timerLabel->setBuddy(timerSwitch);
    timerSwitch->setAccessibleName(timerLabel->text());
    timetableGrid->addWidget(timerSwitch, 0, 0);
    timetableGrid->addWidget(timerLabel, 0, 1);
    timetableGrid->addWidget(button(timetable, QStringLiteral("BitBtn13"), QStringLiteral("Cancella emittente")), 1, 0);
    timetableGrid->addWidget(button(timetable, QStringLiteral("BitBtn14"), QStringLiteral("Aggiungi emittente")), 1, 1);
}
