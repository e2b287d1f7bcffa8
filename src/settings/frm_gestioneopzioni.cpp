#include "settings/frm_gestioneopzioni.h"

#include "platform/screencentre.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QWidget *page(QTabWidget *pages, const QString &name, const QString &caption)
{
    auto *p = new QWidget;
    p->setObjectName(name);
    pages->addTab(p, caption);
    return p;
}

// The names of the "Cambia" and "Cancella" buttons of row n.
QString changeButtonName(int n)
{
    return QStringLiteral("BitBtn%1").arg(n <= 5 ? 2 + n : 15 + 2 * (n - 6));
}

QString clearButtonName(int n)
{
    return QStringLiteral("BitBtn%1").arg(n <= 5 ? 7 + n : 16 + 2 * (n - 6));
}

} // namespace

TFrm_GestioneOpzioni::TFrm_GestioneOpzioni(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GestioneOpzioni"));
    setWindowTitle(QStringLiteral("Opzioni Sintonia"));
    setAccessibleName(windowTitle());
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setAccessibleName(QStringLiteral("Opzioni"));
    layout->addWidget(m_pages, 0, 0, 1, 2);
    QPushButton *leave = button(this, QStringLiteral("BitBtn1"), QStringLiteral("Esci senza salvare"));
    QPushButton *save = button(this, QStringLiteral("BitBtn2"), QStringLiteral("Salva ed esci"));
    save->setDefault(true);
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(leave, 1, 0);
    layout->addWidget(save, 1, 1);

    buildStartPage(page(m_pages, QStringLiteral("TabSheet1"), QStringLiteral("Opzioni di avvio")));
    buildPersonalPage(page(m_pages, QStringLiteral("TabSheet2"), QStringLiteral("Radio personali")));
    buildTimetablePage(page(m_pages, QStringLiteral("TabSheet3"), QStringLiteral("Radio in PlayList")));
    refreshAccessibleNames();
}

void TFrm_GestioneOpzioni::buildStartPage(QWidget *start)
{
    auto *grid = new QGridLayout(start);
    const struct { const char *check; const char *label; const char *text; bool ticked; } switches[] = {
        {"Chk_AvvioAutomatico", "Lbl_AvvioAutomatico", "Esecuzione automatica \"avvia in automatico il software Sintonia\"", false},
        {"Chk_EsecuzioneRadio", "Lbl_EsecuzioneRadio", "Esegui la mia radio preferita in automatico", false},
        {"Chk_Google", "Lbl_Google", "Visualizza GoogleSearch all'avvio", true},
        {"Chk_Msn", "Lbl_Msn", "Attiva plug-in per la musica di MSN Messenger", true},
    };
    int row = 0;
    for (const auto &s : switches) {
        auto *check = new QCheckBox(start);
        check->setObjectName(QLatin1String(s.check));
        check->setChecked(s.ticked);
        QLabel *text = label(start, QLatin1String(s.label), QString::fromUtf8(s.text));
        text->setWordWrap(true);
        text->setBuddy(check);
        grid->addWidget(check, row, 0, Qt::AlignTop);
        grid->addWidget(text, row, 1);
        ++row;
        if (QLatin1String(s.check) == QLatin1String("Chk_EsecuzioneRadio")) {
            // The start-up station: chosen with SpeedButton1, named in Lbl_NomeRadio.
            m_speedButton = button(start, QStringLiteral("SpeedButton1"), QStringLiteral("Seleziona"));
            m_speedButton->hide();
            connect(m_speedButton, &QPushButton::clicked, this, &TFrm_GestioneOpzioni::SpeedButton1Click);
            m_nomeRadio = label(start, QStringLiteral("Lbl_NomeRadio"), QString());
            m_nomeRadio->setAccessibleName(QStringLiteral("Radio all'avvio"));
            m_nomeRadio->hide();
            grid->addWidget(m_speedButton, row, 0);
            grid->addWidget(m_nomeRadio, row, 1);
            ++row;
            connect(check, &QCheckBox::toggled, this, &TFrm_GestioneOpzioni::Chk_EsecuzioneRadioClick);
        }
    }
    grid->setRowStretch(row, 1);
}

void TFrm_GestioneOpzioni::buildPersonalPage(QWidget *personal)
{
    auto *grid = new QGridLayout(personal);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(4, 4, 4, 4);
    for (int n = 1; n <= PersonalRows; ++n) {
        QPushButton *clear = button(personal, clearButtonName(n), QStringLiteral("Cancella"));
        QPushButton *change = button(personal, changeButtonName(n), QStringLiteral("Cambia"));
        for (QPushButton *b : {clear, change}) {
            b->setProperty("tag", n);
            b->setFixedHeight(21);
        }
        clear->setAccessibleDescription(QStringLiteral("Radio %1").arg(n));
        change->setAccessibleDescription(clear->accessibleDescription());
        connect(clear, &QPushButton::clicked, this, [this, n] { emit clearClicked(n); });
        connect(change, &QPushButton::clicked, this, [this, n] { emit changeClicked(n); });
        QLabel *caption = label(personal, QStringLiteral("Lbl_R_%1").arg(n), QStringLiteral("Radio %1:").arg(n));
        QLabel *name = label(personal, QStringLiteral("Lbl_Radio%1").arg(n), QString());
        name->setAccessibleName(caption->text());
        grid->addWidget(clear, n - 1, 0);
        grid->addWidget(change, n - 1, 1);
        grid->addWidget(caption, n - 1, 2);
        grid->addWidget(name, n - 1, 3);
    }
    grid->setColumnStretch(3, 1);
}

void TFrm_GestioneOpzioni::buildTimetablePage(QWidget *timetable)
{
    auto *grid = new QGridLayout(timetable);
    auto *list = new QTableView(timetable);
    list->setObjectName(QStringLiteral("StrGrd_TimerTmp"));
    list->setAccessibleName(QStringLiteral("Radio in PlayList"));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(15);
    list->verticalHeader()->setMinimumSectionSize(15);
    list->horizontalHeader()->setDefaultSectionSize(63);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setWordWrap(false);
    grid->addWidget(list, 0, 0, 1, 2);
    // The hidden grid holds key, id, name and caption of each row.
    auto *hidden = new QTableView(timetable);
    hidden->setObjectName(QStringLiteral("StrGrd_Timer"));
    hidden->hide();

    auto *timerSwitch = new QCheckBox(timetable);
    timerSwitch->setObjectName(QStringLiteral("Chk_Emittenti"));
    QLabel *timerLabel = label(timetable, QStringLiteral("Lbl_Emittenti"), QStringLiteral("Attiva timer"));
    timerLabel->setBuddy(timerSwitch);
    auto *switchRow = new QHBoxLayout;
    switchRow->addWidget(timerSwitch);
    switchRow->addWidget(timerLabel, 1);
    grid->addLayout(switchRow, 1, 0, 1, 2);
    grid->addWidget(button(timetable, QStringLiteral("BitBtn13"), QStringLiteral("Cancella emittente")), 2, 0);
    grid->addWidget(button(timetable, QStringLiteral("BitBtn14"), QStringLiteral("Aggiungi emittente")), 2, 1);
    grid->setRowStretch(0, 1);
}

QCheckBox *TFrm_GestioneOpzioni::check(const char *name) const
{
    return findChild<QCheckBox *>(QLatin1String(name));
}

QLabel *TFrm_GestioneOpzioni::stationLabel(int slot) const
{
    return findChild<QLabel *>(QStringLiteral("Lbl_Radio%1").arg(slot));
}

void TFrm_GestioneOpzioni::refreshAccessibleNames()
{
    const QList<QLabel *> labels = findChildren<QLabel *>();
    for (QLabel *l : labels) {
        if (auto *box = qobject_cast<QCheckBox *>(l->buddy()))
            box->setAccessibleName(l->text());
    }
}

void TFrm_GestioneOpzioni::Chk_EsecuzioneRadioClick()
{
    const bool ticked = check("Chk_EsecuzioneRadio")->isChecked();
    m_speedButton->setVisible(ticked);
    m_nomeRadio->setVisible(ticked);
}

void TFrm_GestioneOpzioni::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
