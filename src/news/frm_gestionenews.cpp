#include "news/frm_gestionenews.h"

#include "platform/screencentre.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Rows top to bottom: the label and the category id; rows 8 and 9 cross their ids.
constexpr struct { const char *label; int id; } CategoryRows[] = {
    {"Top News", 1},        {"News in English", 2},     {"News dall'Italia", 3}, {"News dal Mondo", 4},
    {"Calcio", 5},          {"Sport in generale", 6},   {"Spettacolo", 7},       {"Economia e finanza", 9},
    {"Cultura e società", 8}, {"Scieza", 10},           {"Internet", 11},        {"Moda", 12},
    {"Musica", 13},         {"Cinema", 14},             {"Meteo", 15},
};

} // namespace

TFrm_GestioneNews::TFrm_GestioneNews(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GestioneNews"));
    setWindowTitle(QStringLiteral("Gestione news"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(331, 339);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);

    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    auto *heading = new QLabel(QStringLiteral("News disponibili"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 0, 0, 1, 2);
    int row = 1;
    for (const auto &c : CategoryRows) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(row));
        button->setProperty("tag", c.id);
        button->setFixedSize(12, 12);
        button->setCheckable(true);
        button->setAutoDefault(false);
        const QString text = QString::fromUtf8(c.label);
        button->setAccessibleName(text);
        auto *label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("Lbl_News%1").arg(row));
        label->setBuddy(button);
        connect(button, &QPushButton::clicked, this, [this, id = c.id] { emit categoryClicked(id); });
        grid->addWidget(button, row, 0);
        grid->addWidget(label, row, 1);
        ++row;
    }

    auto *duration = new QLabel(QStringLiteral("Durata esposizione news"), this);
    duration->setObjectName(QStringLiteral("Label2"));
    duration->setWordWrap(true);
    auto *secondsLabel = new QLabel(QStringLiteral("Secondi:"), this);
    secondsLabel->setObjectName(QStringLiteral("Label3"));
    m_edit = new QLineEdit(QStringLiteral("30"), this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMaxLength(9);
    m_edit->setAccessibleName(duration->text());
    secondsLabel->setBuddy(m_edit);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("SpeedButton16"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &TFrm_GestioneNews::SpeedButton16Click);
    grid->addWidget(duration, 1, 2, 2, 2);
    grid->addWidget(secondsLabel, 3, 2);
    grid->addWidget(m_edit, 3, 3);
    grid->addWidget(close, 15, 3);
    grid->setColumnStretch(1, 1);

    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(5);
    m_timer.setTimerType(Qt::PreciseTimer);
}

QPushButton *TFrm_GestioneNews::categoryButton(int row) const
{
    return findChild<QPushButton *>(QStringLiteral("SpeedButton%1").arg(row));
}

void TFrm_GestioneNews::markCategory(int category)
{
    for (int row = 1; row <= Categories; ++row) {
        QPushButton *b = categoryButton(row);
        b->setChecked(b->property("tag").toInt() == category);
    }
}

int TFrm_GestioneNews::markedCategory() const
{
    for (int row = 1; row <= Categories; ++row) {
        if (categoryButton(row)->isChecked())
            return categoryButton(row)->property("tag").toInt();
    }
    return 0;
}

void TFrm_GestioneNews::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
